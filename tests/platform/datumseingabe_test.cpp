// A date typed key by key in the date formats of the locales: the separators coming by themselves,
// digits no date can follow from refused, Backspace across the separators, the range of the box.
#include "platform/datumseingabe.h"

#include <gtest/gtest.h>

using kav::forms::DatumsEingabe;

namespace {

// Types `tasten` ('<' is Backspace) and returns the text, then "=" and the date when there is one.
std::string getippt(const char* format, const char* tasten, const QDate& von = {}, const QDate& bis = {})
{
    DatumsEingabe e{QString::fromLatin1(format)};
    e.setBereich(von, bis);
    e.setBasis(QDate(2026, 12, 6));
    for (const char* t = tasten; *t; ++t) {
        if (*t == '<')
            e.zuruecknehmen();
        else
            e.zeichen(QLatin1Char(*t));
    }
    const auto d = e.datum();
    return (e.text() + (d ? QStringLiteral("=") + d->toString(Qt::ISODate) : QString())).toStdString();
}

} // namespace

TEST(DatumsEingabe, FormateZiffernTrennerRueckschrittUndBereich)
{
    const struct {
        const char* format;
        const char* tasten;
        std::string ergebnis;
    } faelle[] = {
        {"dd.MM.yyyy", "0101", "01.01"},
        {"dd.MM.yyyy", "01.", "01."},
        {"dd.MM.yyyy", "01..", "01."},            // the separator is there already
        {"dd.MM.yyyy", "4.7", "4.7"},             // 4 and 7 are whole: no second digit can follow
        {"dd.MM.yyyy", "472025", "4.7.2025=2025-07-04"},
        {"dd.MM.yyyy", "3", "3"},
        {"dd.MM.yyyy", "32", "3"},                // no 32nd day
        {"dd.MM.yyyy", "00", "0"},
        {"dd.MM.yyyy", "0.", "0"},
        {"dd.MM.yyyy", "1.13", "1.1"},            // no 13th month
        {"dd.MM.yyyy", "31.02", "31.0"},          // no 31 February
        {"dd.MM.yyyy", "29.02.2023", "29.02.202"}, // 2023 is no leap year
        {"dd.MM.yyyy", "29.02.2024", "29.02.2024=2024-02-29"},
        {"dd.MM.yyyy", "01.01.19001", "01.01.1900=1900-01-01"},
        {"dd.MM.yyyy", "01.01.1900<<<<", "01.01."},
        {"dd.MM.yyyy", "01.01.1900<<<<<", "01.01"},
        {"dd.MM.yyyy", "01.01.1900<<<<<<<<<<<<15032031", "15.03.2031=2031-03-15"},
        {"dd.MM.yyyy", "x", ""},
        {"MM/dd/yyyy", "12252030", "12/25/2030=2030-12-25"},
        {"M/d/yy", "3.4.27", "3/4/27=2027-03-04"},   // a point ends a part as the slash does
        {"yyyy-MM-dd", "20310315", "2031-03-15=2031-03-15"},
        {"yyyy-MM-dd", "2031-3-4", "2031-3-4=2031-03-04"},
        {"d. M. yyyy", "1.2.2031", "1. 2. 2031=2031-02-01"},
        {"dd MMM yyyy", "01", ""},                // month names cannot be typed so
    };
    for (const auto& f : faelle)
        EXPECT_EQ(getippt(f.format, f.tasten), f.ergebnis) << f.format << " " << f.tasten;

    const QDate von(1950, 1, 1), bis(2026, 12, 6);
    EXPECT_EQ(getippt("dd.MM.yyyy", "01.01.1900", von, bis), "01.01.190");
    EXPECT_EQ(getippt("dd.MM.yyyy", "01.01.1950", von, bis), "01.01.1950=1950-01-01");
    EXPECT_EQ(getippt("dd.MM.yyyy", "06.12.2026", von, bis), "06.12.2026=2026-12-06");
    EXPECT_EQ(getippt("dd.MM.yyyy", "07.12.2026", von, bis), "07.12.202");
}

namespace {

using kav::forms::DatumsAbweisung;
using Grund = DatumsAbweisung::Grund;

// One part of `datum` typed alone ('<' is Backspace): the text, then "=" and the date when there is
// one, "!" when the typing is whole, or "#" and the reason refused (2: a day its month does not have,
// 3: no leap year).
std::string teilGetippt(const QDate& datum, char art, const char* tasten)
{
    DatumsEingabe e{QStringLiteral("dd.MM.yyyy")};
    e.teilTippen(datum, QLatin1Char(art));
    for (const char* t = tasten; *t; ++t) {
        if (*t == '<') {
            e.zuruecknehmen();
        } else if (!e.zeichen(QLatin1Char(*t))) {
            if (e.abweisung())
                return e.text().toStdString() + "#" + std::to_string(int(e.abweisung()->grund));
        }
    }
    const auto d = e.datum();
    return (e.text() + (d ? QStringLiteral("=") + d->toString(Qt::ISODate) : QString())
            + (e.fertig() ? QStringLiteral("!") : QString()))
        .toStdString();
}

} // namespace

// A part typed alone: the others stay, the date is whole with the part (or a separator after it), and a
// date that does not exist is refused whole as when it is typed whole.
TEST(DatumsEingabe, EinTeilAllein)
{
    const struct {
        QDate datum;
        char art;
        const char* tasten;
        std::string ergebnis;
    } faelle[] = {
        {QDate(2024, 1, 15), 'M', "3", "15.3.2024=2024-03-15!"},   // 3 is a whole month
        {QDate(2024, 1, 15), 'M', "1", "15.1.2024=2024-01-15"},    // 1 may be followed by a digit
        {QDate(2024, 1, 15), 'M', "1.", "15.1.2024=2024-01-15!"},  // the separator ends the part
        {QDate(2024, 1, 15), 'M', "12", "15.12.2024=2024-12-15!"},
        {QDate(2024, 1, 15), 'M', "1<", "15..2024"},               // back to nothing in the part
        {QDate(2024, 1, 31), 'M', "02", "31.0.2024#2"},            // no 31 February
        {QDate(2024, 3, 31), 'M', "04", "31.0.2024#2"},            // no 31 April
        {QDate(2024, 2, 29), 'y', "2023", "29.02.202#3"},          // 2023 is no leap year
        {QDate(2024, 2, 29), 'y', "2028", "29.02.2028=2028-02-29!"},
        {QDate(2024, 2, 29), 'y', "202", "29.02.202"},             // a year too short: no date yet
        {QDate(2024, 2, 29), 'd', "3", "3.02.2024=2024-02-03"}, // a 3rd, or the 30th to come
        {QDate(2024, 2, 29), 'd', "30", "3.02.2024#2"},
        {QDate(2024, 2, 29), 'y', ".", "29.02."},                   // a separator begins nothing
    };
    for (const auto& f : faelle)
        EXPECT_EQ(teilGetippt(f.datum, f.art, f.tasten), f.ergebnis) << f.art << " " << f.tasten;

    DatumsEingabe e{QStringLiteral("dd.MM.yyyy")};
    const QDate d(2026, 12, 6);
    EXPECT_EQ(e.teilBei(d, 0), QLatin1Char('d'));
    EXPECT_EQ(e.teilBei(d, 2), QLatin1Char('d')); // the end of the day
    EXPECT_EQ(e.teilBei(d, 3), QLatin1Char('M'));
    EXPECT_EQ(e.teilBei(d, 5), QLatin1Char('M'));
    EXPECT_EQ(e.teilBei(d, 8), QLatin1Char('y'));
    EXPECT_EQ(e.teilBei(d, 10), QLatin1Char('y'));
}

// A text read whole as pasted: blanks and line breaks around it left out; a date unfinished says what
// it lacks (a year too short, the parts missing) as a date typed and left does.
TEST(DatumsEingabe, GanzGelesen)
{
    DatumsEingabe e{QStringLiteral("dd.MM.yyyy")};
    e.setBasis(QDate(2026, 12, 6));
    const auto datum = [&](const char* text) {
        const auto g = e.lesen(QString::fromUtf8(text));
        return std::holds_alternative<QDate>(g) ? std::get<QDate>(g) : QDate();
    };
    const auto abweisung = [&](const char* text) {
        const auto g = e.lesen(QString::fromUtf8(text));
        return std::holds_alternative<DatumsAbweisung>(g) ? std::get<DatumsAbweisung>(g) : DatumsAbweisung{};
    };
    EXPECT_EQ(datum(" 15.03.2026\n"), QDate(2026, 3, 15));
    EXPECT_EQ(datum("\t1.3.2031 "), QDate(2031, 3, 1));
    EXPECT_EQ(datum("15032031"), QDate(2031, 3, 15));

    const struct {
        const char* text;
        Grund grund;
        int jahrStellen;
        const char* fehlt;
        const char* getippt;
    } faelle[] = {
        {"1.1.24", Grund::Unvollstaendig, 2, "", "1.1.24"},
        {"010225", Grund::Unvollstaendig, 2, "", "010225"},
        {"01.02.202", Grund::Unvollstaendig, 3, "", "01.02.202"},
        {"0102", Grund::Unvollstaendig, 0, "y", "0102"},
        {"01.02.", Grund::Unvollstaendig, 0, "y", "01.02."},
        {"1", Grund::Unvollstaendig, 0, "My", "1"},
        {"31.02.2024", Grund::TagImMonat, 0, "y", "31.02"},
        {"29.02.2023", Grund::Schaltjahr, 4, "", "29.02.2023"},
        {"", Grund::KeinDatum, 0, "", ""},
        {"heute", Grund::KeinDatum, 0, "", "heute"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        const DatumsAbweisung a = abweisung(f.text);
        EXPECT_EQ(a.grund, f.grund);
        EXPECT_EQ(a.jahrStellen, f.jahrStellen);
        EXPECT_EQ(a.fehlt.toStdString(), f.fehlt);
        EXPECT_EQ(a.getippt.toStdString(), f.getippt);
    }
}
