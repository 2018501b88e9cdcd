#include "plan/empfehlungsdokument.h"

#include <algorithm>

namespace kav {

namespace {

constexpr float kZeile = 18;        // line pitch
constexpr int kUmbruchLaenge = 100; // texts from this length are broken
constexpr int kErsteZeile = 4;      // rows 0 to 3 hold the grid's own titles

float mm(float v) { return MillimeterInPunkte(v); }

void text(clsPDF& pdf, float x, float y, const QString& t) { pdf.DrawText(x, y, t.toStdString()); }

QString fusszeile(const EmpfehlungsAngaben& a)
{
    return QStringLiteral("Kav - Humavera Version ") + a.strVersion + QStringLiteral("; Empfehlung erstellt am ")
           + a.heute.toString(QStringLiteral("dd.MM.yyyy"));
}

void seitenKopf(clsPDF& pdf, const EmpfehlungsAngaben& a)
{
    if (!a.logo.isNull())
        pdf.DrawPicture(mm(15), mm(15), 40, 37, a.logo, false);
    pdf.DrawText(mm(40), mm(20), kHerausgeberZeile);
    pdf.DrawText(mm(40), mm(20) + kZeile, kProgrammZeile);
    pdf.DrawLine(mm(15), mm(15) + 45, pdf.Width() - mm(15), mm(15) + 45);
}

void fuss(clsPDF& pdf, const EmpfehlungsAngaben& a)
{
    pdf.FillColor(0);
    pdf.FontSize(8);
    text(pdf, mm(15), pdf.Height() - mm(10), fusszeile(a));
}

// How far a row moves the baseline down: its broken lines, then one line.
float zeilenHoehe(const Empfehlungsraster::Zeile& z)
{
    const QString& t = z.zellen[0].text;
    return t.size() < kUmbruchLaenge ? kZeile : kZeile * static_cast<float>(TextUmbrechen(t).size() + 1);
}

} // namespace

QStringList TextUmbrechen(const QString& t)
{
    if (t.size() < kUmbruchLaenge)
        return {t};
    QStringList zeilen;
    QString rest = t;
    int p = kUmbruchLaenge;
    for (;;) {
        const int anfang = std::max(p, 1);
        int q = std::min<int>(anfang, static_cast<int>(rest.size()));
        while (q >= 1 && rest[q - 1] != QLatin1Char(' '))
            --q;
        const int schnitt = q >= 1 ? q : anfang;
        zeilen << rest.left(schnitt);
        rest = rest.mid(schnitt);
        if (rest.size() < kUmbruchLaenge) {
            zeilen << rest;
            return zeilen;
        }
        p = schnitt - 1;
    }
}

float frmNPK4_SeiteWechseln(clsPDF& pdf, const EmpfehlungsAngaben& a)
{
    fuss(pdf, a);
    pdf.FontSize(12);
    pdf.PrintLine("");
    pdf.NewPage(0, 0);
    seitenKopf(pdf, a);
    return mm(45);
}

void frmNPK4_EmpfehlungDrucken(clsPDF& pdf, const Empfehlungsraster& flgReport, const EmpfehlungsAngaben& a,
                               const Zusatzseite& mischkulturplan)
{
    pdf.Orientation(0);
    seitenKopf(pdf, a);
    text(pdf, mm(15), mm(45), QStringLiteral("Düngeempfehlung für ") + a.strKultur);
    text(pdf, mm(15), mm(45) + kZeile,
         QStringLiteral("Fläche: '") + a.strFlaeche + QStringLiteral("', Analyse vom ") + a.strAnalyseDatum);
    const float start = mm(45) + 4 * kZeile;

    // Pages may break when the end row, with every broken line counted, would reach the footer.
    bool mehrereSeiten = false;
    float y = start;
    for (int i = kErsteZeile; i < flgReport.Rows(); ++i) {
        if (flgReport.zeile(i).ende) {
            mehrereSeiten = y >= pdf.Height() - mm(10);
            break;
        }
        y += zeilenHoehe(flgReport.zeile(i));
    }

    y = start;
    const float breite = pdf.Width();
    QString letzteSpalte1 = a.strAnalyseDatum;
    for (int i = kErsteZeile; i < flgReport.Rows(); ++i) {
        const Empfehlungsraster::Zeile& z = flgReport.zeile(i);
        const Empfehlungsraster::Zelle& c0 = z.zellen[0];
        if (mehrereSeiten && y >= pdf.Height() - mm(20) && !z.ende && !z.leer())
            y = frmNPK4_SeiteWechseln(pdf, a);
        pdf.FillColor(c0.hinterfarbe);
        pdf.DrawBox(mm(15), y - 36 / 2.5f, breite - mm(30), kZeile, -1);
        pdf.FillColor(c0.textfarbe);
        if (c0.text.size() < kUmbruchLaenge) {
            text(pdf, mm(15), y, c0.text);
        } else {
            for (const QString& zeile : TextUmbrechen(c0.text)) {
                text(pdf, mm(15), y, zeile);
                y += kZeile;
            }
        }
        if (c0.unterstrichen)
            pdf.DrawLine(mm(15), y + mm(1), breite - mm(15), y + mm(1));

        const Empfehlungsraster::Zelle& c1 = z.zellen[1];
        if (c1.text != letzteSpalte1 && c1.text != c0.text) {
            pdf.FillColor(c1.textfarbe);
            text(pdf, breite / 2.75f, y, c1.text);
            letzteSpalte1 = c1.text;
        }
        const Empfehlungsraster::Zelle& c2 = z.zellen[2];
        if (c2.text != c0.text) {
            text(pdf, breite * 2 / 3, y, c2.text);
        } else if (c2.text.isEmpty()) {
            pdf.FillColor(c2.hinterfarbe);
            pdf.DrawBox(breite * 2 / 3 - mm(2), y - 36 / 3.0f, breite - (breite * 2 / 3 + mm(13)), kZeile, -1);
        }
        y += kZeile;
    }

    fuss(pdf, a);
    // the empty line opens the page: everything drawn so far belongs to it
    pdf.PrintLine("");
    // The mixed-culture chart follows the recommendation pages.
    if (a.mischkultur && mischkulturplan)
        mischkulturplan(pdf);
}

} // namespace kav
