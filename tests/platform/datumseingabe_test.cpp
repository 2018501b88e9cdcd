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

// One part ('d', 'M' or 'y') of `datum` typed alone: the text, then "=" and the date when there is one,
// "!" when the typing is whole, or "#" and the reason refused (2: a day its month does not have).
std::string teilGetippt(const QDate& datum, char teil, const char* tasten)
{
    DatumsEingabe e{QStringLiteral("dd.MM.yyyy")};
    e.teilTippen(datum, QLatin1Char(teil));
    for (const char* t = tasten; *t; ++t)
        if (!e.zeichen(QLatin1Char(*t)) && e.abweisung())
            return e.text().toStdString() + "#" + std::to_string(int(e.abweisung()->grund));
    const auto d = e.datum();
    return (e.text() + (d ? "=" + d->toString(Qt::ISODate) : QString()) + (e.fertig() ? "!" : "")).toStdString();
}

// `text` read whole, as pasted: the date, or the reason refused (5: no date, 6: unfinished), the digits
// of the year, the parts missing and the text, split by "/".
std::string gelesen(const char* text)
{
    DatumsEingabe e{QStringLiteral("dd.MM.yyyy")};
    e.setBasis(QDate(2026, 12, 6));
    const auto g = e.lesen(QString::fromUtf8(text));
    if (const QDate* d = std::get_if<QDate>(&g))
        return d->toString(Qt::ISODate).toStdString();
    const auto& a = std::get<kav::forms::DatumsAbweisung>(g);
    return QStringLiteral("%1/%2/%3/%4").arg(int(a.grund)).arg(a.jahrStellen).arg(a.fehlt, a.getippt).toStdString();
}

} // namespace

// A part typed alone: the others stay, the typing is whole with the part or a separator after it, and a
// date that does not exist is refused. The part at each position of a date, its end the part's.
TEST(DatumsEingabe, EinTeilAllein)
{
    EXPECT_EQ(teilGetippt(QDate(2024, 1, 15), 'M', "1"), "15.1.2024=2024-01-15"); // a digit may follow
    EXPECT_EQ(teilGetippt(QDate(2024, 1, 15), 'M', "1."), "15.1.2024=2024-01-15!");
    EXPECT_EQ(teilGetippt(QDate(2024, 2, 29), 'y', "2028"), "29.02.2028=2028-02-29!");
    EXPECT_EQ(teilGetippt(QDate(2024, 2, 29), 'd', "3"), "3.02.2024=2024-02-03"); // a 3rd, or the 30th to come
    EXPECT_EQ(teilGetippt(QDate(2024, 2, 29), 'd', "30"), "3.02.2024#2");
    EXPECT_EQ(teilGetippt(QDate(2024, 2, 29), 'y', "."), "29.02."); // a separator begins nothing

    const DatumsEingabe e{QStringLiteral("dd.MM.yyyy")};
    std::string teile;
    for (int pos = 0; pos <= 10; ++pos)
        teile += char(e.teilBei(QDate(2026, 12, 6), pos).toLatin1());
    EXPECT_EQ(teile, "dddMMMyyyyy");
}

// A text read whole as pasted: blanks and line breaks around it left out; a date unfinished says what it
// lacks as a date typed and left does.
TEST(DatumsEingabe, GanzGelesen)
{
    EXPECT_EQ(gelesen("\t1.3.2031 "), "2031-03-01");
    EXPECT_EQ(gelesen("15032031"), "2031-03-15");
    EXPECT_EQ(gelesen("010225"), "6/2//010225");
    EXPECT_EQ(gelesen("0102"), "6/0/y/0102");
    EXPECT_EQ(gelesen(""), "5/0//");
    EXPECT_EQ(gelesen("heute"), "5/0//heute");
}
