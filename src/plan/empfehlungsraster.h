#pragma once
// The content of the plan grid flgReport: rows of three text cells with their colours and emphasis.
// The plan writes it row by row, the page shows it, the recommendation document prints it.
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace kav {

// Colours as &H00BBGGRR.
inline constexpr int32_t kFarbeSchwarz = 0;
inline constexpr int32_t kFarbeWeiss = 0xFFFFFF;
inline constexpr int32_t kFarbeRot = 0x0000FF;
inline constexpr int32_t kFarbeHellgelb = 0x80FFFF; // background of amount rows

class Empfehlungsraster {
public:
    static constexpr int kSpalten = 3;

    struct Zelle {
        QString text;
        int32_t hinterfarbe = kFarbeWeiss; // the grid's background
        int32_t textfarbe = kFarbeSchwarz;
        bool fett = false;
        bool unterstrichen = false;
        float schriftgroesse = 0; // points; 0: the grid's font
    };
    struct Zeile {
        std::array<Zelle, kSpalten> zellen;
        bool verbunden = false; // cells of the same text show as one across the row
        float hoehe = 1;        // in standard row heights
        bool ende = false;      // the end marker below the last row of the plan
        bool fehler = false;    // a message that the plan could not be made

        // No cell holds text.
        bool leer() const;
    };

    void leeren() { m_zeilen.clear(); }
    int Rows() const { return static_cast<int>(m_zeilen.size()); }
    // Row r; the grid grows to hold it.
    Zeile& zeile(int r);
    // Row r, an empty row for an index outside the grid.
    const Zeile& zeile(int r) const;
    const QString& TextMatrix(int r, int c) const;

    // The kinds of rows the plan writes. Text rows carry their text in all three cells.
    void titel(int r, const QString& text);
    void leererTitel(int r);
    void aussage(int r, const QString& text);     // bold
    void ueberschrift(int r, const QString& text); // underlined
    void menge(int r, const QString& text);        // light yellow background
    void kalk(int r, const QString& text);         // four times as high as the row above
    void warnung(int r, const QString& text);      // red, twice as high as the row above
    void ende(int r);                              // "XXX" in white, size 1, column 0 only; never printed
    void fehler(int r, const QString& text);       // red, three rows high

    bool operator==(const Empfehlungsraster& o) const;

private:
    Zeile& textZeile(int r, const QString& text);
    std::vector<Zeile> m_zeilen;
};

bool operator==(const Empfehlungsraster::Zelle& a, const Empfehlungsraster::Zelle& b);
bool operator==(const Empfehlungsraster::Zeile& a, const Empfehlungsraster::Zeile& b);

} // namespace kav
