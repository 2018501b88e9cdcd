#pragma once
// A date typed key by key, as the user types it: the digits fill day, month and year in the order of
// the date format, and the separator comes by itself when a part is full ("01011900" and
// "01.01.1900" both give 01.01.1900, "1.3.2031" gives 01.03.2031). A typed separator ends a part
// early. A digit that no date can follow from (a 13th month, 31.02.) is refused, and so is the last
// digit of a date that does not exist (29.02.2023) or lies outside the range; abweisung() says why.
// Backspace takes back one character at a time, down to nothing. One part of a date may be typed
// alone (teilTippen), the others staying; and a text is read whole as it is pasted (lesen), with the
// same rules and the same reasons.
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace kav::forms {

// Why a date typed was refused.
struct DatumsAbweisung {
    enum class Grund {
        Tag,           // a day no month has (0, 32)
        Monat,         // a month no year has (0, 13)
        TagImMonat,    // a day its month does not have (31.11.)
        Schaltjahr,    // 29 February of a year that is no leap year
        Bereich,       // a date outside the range (von, bis)
        KeinDatum,     // a text that is no date at all (pasted)
        Unvollstaendig // a date without all its parts, or with a year too short
    };
    Grund grund = Grund::KeinDatum;
    QString getippt;                  // the text with the character refused
    int tag = 0, monat = 0, jahr = 0; // the parts typed (0: none)
    int jahrStellen = 0;              // the digits of the year typed
    QString fehlt;                    // the parts not begun ('d', 'M', 'y'), in the order of the format
    QDate von, bis;
};

class DatumsEingabe {
public:
    // `format`: a Qt date format of day, month and year in digits ("dd.MM.yyyy", "M/d/yy",
    // "yyyy-MM-dd"). Other formats (month names, a time) cannot be typed this way: see moeglich().
    explicit DatumsEingabe(const QString& format);

    bool moeglich() const { return !m_teile.empty(); }
    // The dates that may be typed (limits included); outside them the last digit is refused.
    void setBereich(const QDate& von, const QDate& bis);
    // The century of a two-digit year is the one of `basis`.
    void setBasis(const QDate& basis) { m_basis = basis; }

    // Nothing typed yet; the text of `datum` as if typed (to take back from its end).
    void leeren();
    void setDatum(const QDate& datum);
    // The part `art` ('d', 'M' or 'y') of `datum` typed anew, alone: the other parts stay as in `datum`.
    // The typing is whole (fertig) when the part is, or when a separator ends it.
    void teilTippen(const QDate& datum, QChar art);
    // The part ('d', 'M' or 'y') at the position `pos` of the text of `datum`; a position at the end
    // of a part is that part's.
    QChar teilBei(const QDate& datum, int pos) const;
    // The part typed alone ('d', 'M' or 'y'; none while a whole date is typed), and the part after
    // `art` in the format (none after the last).
    QChar getippterTeil() const { return m_teil >= 0 ? m_teile[size_t(m_teil)].art : QChar(); }
    QChar teilNach(QChar art) const;

    // A digit or a separator typed; false when it is refused (the text stays).
    bool zeichen(QChar c);
    // Why the last character was refused when the date it gave does not exist or lies outside the
    // range; nothing after a character taken, or one that is no part of a date.
    const std::optional<DatumsAbweisung>& abweisung() const { return m_abweisung; }
    // Backspace.
    void zuruecknehmen();

    // What is typed (with the parts that stay, for one part typed alone).
    QString text() const;
    // Nothing typed (Backspace back to nothing, or nothing yet in the part typed alone).
    bool leer() const;
    // Every part typed to its end: nothing more can be typed.
    bool fertig() const;
    // The date typed when day, month and the whole year are there and make a date in the range.
    std::optional<QDate> datum() const;
    // What is typed, as a date refused for being incomplete, with the parts there.
    DatumsAbweisung unvollstaendig() const;
    // `text` read whole, as a paste of it, blanks and line breaks around it left out (the format, range
    // and century of this input; nothing of what is typed): the date, or why there is none. A date
    // left unfinished is refused as a paste of its text is.
    std::variant<QDate, DatumsAbweisung> lesen(const QString& text) const;

private:
    struct Teil {
        QChar art;     // 'd', 'M' or 'y'
        int stellen;   // at most
        QString token;  // as in the format ("dd", "M", "yyyy")
        QString danach; // the separator after it (empty after the last part)
    };
    bool voll(const QStringList& z, int i) const;
    // `alle`: every part of `z` is ended, the last one too.
    std::optional<DatumsAbweisung::Grund> fehler(const QStringList& z, bool alle) const;
    QStringList teileVon(const QDate& datum) const;
    // The part typed alone is ended (whole, or a separator after it).
    bool teilEnde(const QStringList& z) const;
    // `z` with the parts that stay after the part typed alone.
    QStringList mitRest(const QStringList& z) const;
    DatumsAbweisung abweisungAus(DatumsAbweisung::Grund g, const QStringList& z) const;
    int jahrAus(const QString& ziffern) const;
    std::optional<QDate> datumAus(const QStringList& z) const;
    QString textAus(const QStringList& z) const;
    int index(QChar art) const;

    std::vector<Teil> m_teile; // empty when the format cannot be typed
    QString m_trennzeichen;    // characters accepted as a separator
    QStringList m_ziffern;     // the digits of each part begun
    int m_teil = -1;           // the part typed alone (teilTippen), else -1
    QStringList m_rest;        // the parts of the date whose part is typed alone
    QDate m_von, m_bis, m_basis;
    std::optional<DatumsAbweisung> m_abweisung;
};

} // namespace kav::forms
