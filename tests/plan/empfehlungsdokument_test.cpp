// The recommendation document: the plan of the first worked case rendered and checked by real
// readers, page breaks of long plans, and the breaking of long texts.
#include "pdf_testhilfe.h"
#include "plan/empfehlungsdokument.h"
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

TEST(Empfehlungsdokument, ErsterFallAufEinerSeite)
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
}

// Amount rows from 4 to `letzte`, the last two of them a two-line lime row and the warning; the end
// row at `ende`, empty rows before it.
Empfehlungsraster langerPlan(int letzte, bool kalkUndWarnung, int ende)
{
    Empfehlungsraster r;
    for (int i = 4; i <= letzte - (kalkUndWarnung ? 2 : 0); ++i)
        r.menge(i, QString("%1 g Hornspäne auf 10 m²").arg(i));
    if (kalkUndWarnung) {
        r.kalk(letzte - 1, QString(140, 'x').replace(90, 1, ' '));
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

TEST(Empfehlungsdokument, LangeTexteUmbrechen)
{
    const QString satz = QString("Wort ").repeated(30); // a blank at every fifth position
    const std::tuple<QString, QStringList> faelle[] = {
        {QString(99, 'a'), {QString(99, 'a')}},
        {QString(99, 'a') + ' ', {QString(99, 'a') + ' ', ""}},
        {satz, {satz.left(100), satz.mid(100)}},
        {QString(120, 'a') + " b", {QString(100, 'a'), QString(20, 'a') + " b"}},
        {QString(250, 'a'), {QString(100, 'a'), QString(99, 'a'), QString(51, 'a')}},
    };
    for (const auto& [text, zeilen] : faelle)
        EXPECT_EQ(TextUmbrechen(text), zeilen) << text.size();
    EXPECT_FLOAT_EQ(MillimeterInPunkte(45), 127.559055f);
    EXPECT_EQ(EmpfehlungsDateiName(QDateTime(QDate(2026, 5, 2), QTime(7, 8, 9))), "tmpDokument_02052026070809.pdf");
}

} // namespace
