#pragma once
// clsPDF: the program's own writer of PDF 1.1 documents (recommendation pages, mixed-culture chart).
//
// One object makes one document in memory; SavePDF writes it. Positions are points from the top-left
// page corner, y downwards. Texts are UTF-8 and are written as Windows-1252, one byte per character
// ("?" for characters that code page lacks). Colours are &H00BBGGRR.
//
// Failures (a file that cannot be written or read, a picture that cannot be loaded, a counter that
// overflows) throw kav::PdfFehler; the failing step adds nothing to the document.
#include <cstdint>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

class QImage;

namespace kav {

// A failure of the PDF writer; what() is a German text for the user.
class PdfFehler : public std::runtime_error {
public:
    explicit PdfFehler(const std::string& text, std::error_code ursache = {})
        : std::runtime_error(text), m_ursache(ursache) {}
    // The system's error behind a file failure, empty otherwise.
    std::error_code ursache() const { return m_ursache; }

private:
    std::error_code m_ursache;
};

class clsPDF {
public:
    // Local date and time for the creation date; the system clock unless given.
    using Ortszeit = std::function<std::tm()>;

    explicit clsPDF(Ortszeit ortszeit = {});

    // Raised when a page has been opened (before its text) and when its text block has been closed.
    // Handlers may draw (into the page's graphics). Printing lines, changing pages, Clear, Value or
    // SavePDF from a handler throws PdfFehler, and the step that raised the event adds nothing.
    std::function<void()> PageStarted;
    std::function<void()> PageFinished;

    // Properties
    void Color(int32_t Value);
    int32_t DrawColor() const { return m_drawColor; }
    void DrawColor(int32_t Value);
    float DrawWidth() const { return m_drawWidth; }
    void DrawWidth(float Value);
    bool DropBlankPages() const { return m_dropBlankPages; }
    void DropBlankPages(bool Value) { m_dropBlankPages = Value; }
    int32_t FillColor() const { return m_fillColor; }
    void FillColor(int32_t Value);
    int32_t FillMode() const { return m_fillMode; }
    void FillMode(int32_t Value);
    int16_t FontSize() const { return m_fontSize; }
    void FontSize(int16_t Value) { m_fontSize = Value; }
    float Height() const { return seitenHoehe(); }
    void Height(float Value);
    float LeftMargin() const { return m_leftMargin; }
    void LeftMargin(float Value) { m_leftMargin = Value; }
    int32_t LineNumber() const { return m_zeile; }
    int16_t LinesPerPage() const { return m_linesPerPage; }
    void LinesPerPage(int16_t Value) { m_linesPerPage = Value; }
    const std::string& NewPageString() const { return m_newPageString; }
    void NewPageString(std::string Value) { m_newPageString = std::move(Value); }
    int32_t PageNumber() const { return m_seitenZahl; }
    int32_t Orientation() const { return m_orientation; }
    void Orientation(int32_t Value);
    int32_t PaperSize() const { return m_paperSize; }
    void PaperSize(int32_t Value);
    float TopMargin() const { return m_topMargin; }
    void TopMargin(float Value) { m_topMargin = Value; }
    float Width() const { return seitenBreite(); }
    void Width(float Value);

    // Starts a new empty document; non-zero arguments replace the settings, all else is kept.
    void Clear(int16_t FontSize = 0, int16_t LinesPerPage = 0);

    // Drawing (goes into the page graphics; never opens a page)
    void DrawBox(float X, float Y, float Width, float Height); // in the current fill mode
    void DrawBox(float X, float Y, float Width, float Height, int32_t FillMode);
    void DrawCircle(float X, float Y, float r, int32_t FillMode);
    void DrawCurveTo(float x1, float y1, float x2, float y2, float x3, float y3);
    void DrawLine(float x1, float y1, float x2, float y2);
    void DrawLineTo(float X, float Y);
    // Pictures: Pic is the path of a picture file or a loaded picture; 8, 4, 2 and 1 bits per component.
    void DrawPicture(float X, float Y, float Width, float Height, const std::string& Pic, bool ForceGrey = false);
    void DrawPicture(float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey = false);
    void DrawPicture4(float X, float Y, float Width, float Height, const std::string& Pic, bool ForceGrey = false);
    void DrawPicture4(float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey = false);
    void DrawPicture2(float X, float Y, float Width, float Height, const std::string& Pic, bool ForceGrey = false);
    void DrawPicture2(float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey = false);
    void DrawPicture1(float X, float Y, float Width, float Height, const std::string& Pic, bool ForceGrey = false);
    void DrawPicture1(float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey = false);
    void DrawShape(int32_t FillMode = 0);
    void DrawText(float X, float Y, std::string_view Text, float Angle = 0);
    void MoveTo(float X, float Y);

    // Text lines and pages
    void NewPage(int16_t FontSize = 0, int16_t LinesPerPage = 0);
    void PrintLine(std::string_view Zeile);
    void PrintText(std::string_view Text);
    void PrintFile(const std::string& PathTXT);

    // The finished document; output can go on afterwards as if it had not been called.
    std::string Value();
    // Writes Value to the file, replacing it.
    void SavePDF(const std::string& PathPDF);

private:
    float seitenBreite() const { return m_orientation != 0 ? m_hoehePortrait : m_breitePortrait; }
    float seitenHoehe() const { return m_orientation != 0 ? m_breitePortrait : m_hoehePortrait; }

    void writeHeader();
    void writeTrailer();
    void startPage();
    void endPage();
    void neuesObjekt();
    void objektBeginnen(int32_t nummer);
    void zeileSchreiben(std::string_view text);
    const std::string& fertigerText();

    std::string& grafikZeile();
    void grafikAnhaengen(std::string_view text);
    void operatorSetzen(char op);
    void operatorSchreiben();
    void fuellOperatorSetzen(int32_t modus);
    void wertePendingSetzen();

    // Runs a PageStarted or PageFinished handler; meanwhile the steps that open or close pages refuse.
    void ereignis(const std::function<void()>& handler);
    // Throws PdfFehler while a handler runs; `was` says what is refused ("kann keine Textzeile …").
    void nichtImEreignis(const char* was) const;
    // The whole state of the writer, kept to put back after a failed or a trial step.
    struct Stand;
    Stand stand() const;
    void zurueck(const Stand& s);
    // Runs `schritt`, which opens or closes pages; when it throws, the document is as before.
    void seitenSchritt(const std::function<void()>& schritt);

    void bildZeichnen(int tiefe, float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey);

    Ortszeit m_ortszeit;

    int32_t m_drawColor = 0;
    float m_drawWidth = 0;
    bool m_dropBlankPages = true;
    int32_t m_fillColor = 0;
    int32_t m_fillMode = 0;
    int16_t m_fontSize = 12;
    float m_hoehePortrait = 842;
    int16_t m_linesPerPage = 72;
    float m_leftMargin = 0;
    float m_topMargin = 0;
    std::string m_newPageString = "\f";
    int32_t m_orientation = 0;
    int32_t m_paperSize = 5;
    float m_breitePortrait = 596;

    std::vector<int32_t> m_seitenObjekte; // index k: object number of page k (index 0 unused)
    int32_t m_seitenZahl = 0;
    std::vector<int32_t> m_offsets;       // index n: byte offset of object n (index 0 unused)
    int32_t m_objektZahl = 0;
    std::string m_text;                   // the document so far
    std::string m_grafik;                 // graphics not yet placed in the document
    std::string m_fertig;                 // the finished document kept by Value
    bool m_fertigAktuell = false;
    int16_t m_zeile = 0;                  // text lines on the open page; 0: no page open
    int32_t m_streamStart = 0;
    bool m_farbePending = false;
    bool m_breitePending = false;
    bool m_fuellFarbePending = false;
    float m_stiftX = 0;
    float m_stiftY = 0;
    char m_operator = 0;                  // pending painting operator, 0 for none
    bool m_pfadOffen = false;             // a path has been begun and not yet painted
    bool m_imEreignis = false;            // a PageStarted or PageFinished handler runs
};

} // namespace kav
