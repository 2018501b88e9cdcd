// The recommendation document: the plan of Kohlrabi on 10 m² with a base and a top dressing, lime
// and the warning about an old analysis, rendered and checked by real readers; page breaks of long
// plans; long sentences broken at blanks inside the margins.
#include "pdf_testhilfe.h"
#include "plan/empfehlungsdokument.h"
#include "plan/schriftbreite.h"
#include "planfixture.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

// The document of `r`, checked by qpdf and pdfinfo to have `seiten` pages.
std::string drucken(const Empfehlungsraster& r, int seiten)
{
    EmpfehlungsAngaben a{"Kohlrabi", "Gemüsebeet", "15.03.2020",
                         QImage(test::programmOrdner() + "/Bilder/" + kDokumentLogo), "1.0.0",
                         QDate(2026, 5, 2)};
    clsPDF pdf = test::neuesPdf();
    frmNPK4_EmpfehlungDrucken(pdf, r, a);
    const std::string d = pdf.Value();
    EXPECT_EQ(test::pruefeDokument(d), seiten);
    return d;
}

// Pixels of rows y0..y1 (x from 40 to 560) that satisfy `wie`.
int pixel(const QImage& b, int y0, int y1, const std::function<bool(QColor)>& wie)
{
    return test::punkte(b, QRect(QPoint(40, y0), QPoint(560, y1)), wie);
}
using test::dunkel;
bool rot(QColor c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; }

TEST(Empfehlungsdokument, KohlrabiAufEinerSeite)
{
    test::PlanDateien d;
    WizardState s = test::kohlrabi();
    Empfehlungsraster r;
    ASSERT_TRUE(d.planen(s, PlanEingang::aus(s), 2026, r).ok);
    const QImage b = test::rendern(drucken(r, 1));
    ASSERT_EQ(b.size(), QSize(596, 842));
    // row 7 at baseline 253.56: a light yellow band from 239.16 to 257.16 holding its text
    EXPECT_EQ(b.pixelColor(400, 250), QColor(255, 255, 128));
    EXPECT_GT(pixel(b, 244, 255, dunkel), 100);
    // the logo, the title, the warning in red after the two-line lime row, nothing after it, the footer
    EXPECT_GT(pixel(b, 43, 80, [](QColor c) { return c.saturation() > 80; }), 50);
    EXPECT_GT(pixel(b, 116, 130, dunkel), 100);
    EXPECT_GT(pixel(b, 440, 472, rot), 100);
    EXPECT_EQ(pixel(b, 480, 800, [](QColor c) { return c != Qt::white; }), 0);
    EXPECT_GT(pixel(b, 805, 816, dunkel), 20);
    // every line, the two of the lime sentence too, ends before the right margin where the rule ends
    EXPECT_EQ(test::punkte(b, QRect(QPoint(556, 90), QPoint(595, 800)), dunkel), 0);
}

// Amount rows from 4 to `letzte`, the last two of them a two-line lime row and the warning; the end
// row at `ende`, empty rows before it.
Empfehlungsraster langerPlan(int letzte, bool kalkUndWarnung, int ende)
{
    Empfehlungsraster r;
    for (int i = 4; i <= letzte - (kalkUndWarnung ? 2 : 0); ++i)
        r.menge(i, QString("%1 g Hornspäne auf 10 m²").arg(i));
    if (kalkUndWarnung) {
        r.kalk(letzte - 1, "Um den Kalkversorgungszustandes des Bodens langfristig zu sichern, sollte eine "
                           "jährliche Kalkung mit 295 g Algenkalk je m² durchgeführt werden.");
        r.warnung(letzte, QString("Warnung ").repeated(16));
    }
    r.ende(ende);
    return r;
}

TEST(Empfehlungsdokument, SeitenwechselNachDerWirklichenZeilenhoehe)
{
    // lime 34, warning 35, end 36: the warning at 793.56 would run into the footer, it begins page 2
    const std::string zwei = drucken(langerPlan(35, true, 36), 2);
    EXPECT_EQ(pixel(test::rendern(zwei, 1), 780, 815, rot), 0);
    EXPECT_GT(pixel(test::rendern(zwei, 2), 116, 150, rot), 100);
    EXPECT_NE(test::inhalt(zwei, 2).find("Kav - Humavera Version 1.0.0; Empfehlung erstellt am 02.05.2026"),
              std::string::npos);
    // empty rows and the end row begin no page; two rows less fit on one
    drucken(langerPlan(36, false, 41), 1);
    drucken(langerPlan(33, true, 34), 1);
}

// The sentences of the plan that are longer than 100 characters: the lime sentence with a chosen
// lime and with carbonic lime, the warning, the message about a missing row.
QStringList langeSaetze()
{
    test::PlanDateien d;
    QStringList saetze;
    const std::function<void(WizardState&)> faelle[] = {
        [](WizardState&) {},
        [](WizardState& s) { s.strAktKalkNr = "x", s.sngKalkBedarf = 1e19f; },
        [](WizardState& s) { s.rsDuengerAuswahl->push_back({"Du9999", 5, 3}), s.strAktOrgSubNr = "OS9999"; },
    };
    for (const auto& aendern : faelle) {
        WizardState s = test::kohlrabi();
        aendern(s);
        Empfehlungsraster r;
        d.planen(s, PlanEingang::aus(s), 2026, r);
        for (int i = 0; i < r.Rows(); ++i)
            if (r.TextMatrix(i, 0).size() > 100 && !saetze.contains(r.TextMatrix(i, 0)))
                saetze << r.TextMatrix(i, 0);
    }
    return saetze;
}

TEST(Empfehlungsdokument, LangeSaetzeBrechenAnLeerzeichenInnerhalbDerRaender)
{
    const float breite = 596 - 2 * MillimeterInPunkte(15);
    const QStringList saetze = langeSaetze();
    ASSERT_EQ(saetze.size(), 4);
    for (const QString& satz : saetze) {
        SCOPED_TRACE(satz.toStdString());
        const QStringList z = TextUmbrechen(satz, breite, 12);
        ASSERT_GE(z.size(), 2);
        EXPECT_EQ(z.join(QString()), satz);
        for (qsizetype i = 0; i < z.size(); ++i) {
            EXPECT_LE(TextBreite(QStringView(z[i]).trimmed(), 12), breite) << i;
            if (i + 1 == z.size())
                break;
            // a line ends after a blank, before a word that would not have fitted on it
            EXPECT_TRUE(z[i].endsWith(' ') && !z[i + 1].startsWith(' ')) << i;
            EXPECT_GT(TextBreite(z[i] + z[i + 1].section(' ', 0, 0), 12), breite) << i;
        }
    }

    // at 12 points an 'a' is 6.672 points wide, a 'W' 11.328: 76 a fit between the margins
    const QString a76(76, 'a');
    const std::tuple<QString, QStringList> faelle[] = {
        {"", {""}},
        {a76 + "   ", {a76 + "   "}},              // blanks at the end take no room
        {a76 + "a", {a76, "a"}},                    // a word wider than a line is cut hard
        {"b " + a76 + "aaaa", {"b ", a76, "aaaa"}}, // after the blank before it
        {QString(90, 'W'), {QString(45, 'W'), QString(45, 'W')}},
    };
    for (const auto& [text, zeilen] : faelle)
        EXPECT_EQ(TextUmbrechen(text, breite, 12), zeilen) << text.toStdString();

    // the widths of the font the document names, in Windows-1252; a character it lacks is a '?'
    const std::pair<const char*, float> breiten[] = {
        {"Wort", 25.332f}, {"äöüß", 27.348f}, {"„€“ m²", 31.992f}, {"→", 6.672f}, {"\U0001F600", 6.672f}, {"\t", 0}};
    for (const auto& [text, punkte] : breiten)
        EXPECT_NEAR(TextBreite(QString::fromUtf8(text), 12), punkte, 1e-3) << text;
    EXPECT_FLOAT_EQ(MillimeterInPunkte(45), 127.559055f);
    EXPECT_EQ(EmpfehlungsDateiName(QDateTime(QDate(2026, 5, 2), QTime(7, 8, 9))), "tmpDokument_02052026070809.pdf");
}

// The end row of the grid decides the pages but leaves no text a search, a copy or a screen reader
// would find: the text read from the document ends with the plan's last sentence and the footer.
TEST(Empfehlungsdokument, EndzeileOhneTextImDokument)
{
    test::PlanDateien d;
    WizardState s = test::kohlrabi();
    Empfehlungsraster kohlrabi;
    ASSERT_TRUE(d.planen(s, PlanEingang::aus(s), 2026, kohlrabi).ok);
    const struct {
        Empfehlungsraster r;
        int seiten;
        const char* letzteZeile;
    } faelle[] = {
        {kohlrabi, 1, "möglichst bald erneut untersuchen lassen."},
        {langerPlan(35, true, 36), 2, "Warnung Warnung"},
        {langerPlan(36, false, 41), 1, "36 g Hornspäne auf 10 m²"},
    };
    for (const auto& f : faelle) {
        const std::string dokument = drucken(f.r, f.seiten);
        const QString text = test::leseText(dokument);
        EXPECT_FALSE(text.contains("XXX")) << text.toStdString();
        QStringList zeilen = text.split('\n', Qt::SkipEmptyParts);
        zeilen.removeIf([](const QString& z) { return z.trimmed().isEmpty() || z.startsWith("Kav - Humavera Version"); });
        ASSERT_FALSE(zeilen.isEmpty());
        EXPECT_TRUE(zeilen.last().trimmed().endsWith(f.letzteZeile)) << zeilen.last().toStdString();
        for (int seite = 1; seite <= f.seiten; ++seite)
            EXPECT_EQ(test::inhalt(dokument, seite).find("(XXX)"), std::string::npos) << seite;
    }
}

} // namespace
