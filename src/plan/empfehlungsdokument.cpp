#include "plan/empfehlungsdokument.h"

#include "plan/schriftbreite.h"

#include <algorithm>

namespace kav {

namespace {

constexpr int kUmbruchLaenge = 100; // texts from this length are drawn line below line
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

// The lines of a row's first text between the left and the right edge of the bands.
QStringList zeilenVon(const clsPDF& pdf, const QString& t)
{
    return TextUmbrechen(t, pdf.Width() - mm(30), pdf.FontSize());
}

// A short text that fits stands in its row's band; any other is drawn line below line.
bool umbrochen(const QString& t, const QStringList& zeilen) { return t.size() >= kUmbruchLaenge || zeilen.size() > 1; }

// How far a row moves the baseline down: its broken lines, then one line.
float zeilenHoehe(const clsPDF& pdf, const Empfehlungsraster::Zeile& z)
{
    const QString& t = z.zellen[0].text;
    const QStringList zeilen = zeilenVon(pdf, t);
    return umbrochen(t, zeilen) ? kZeile * static_cast<float>(zeilen.size() + 1) : kZeile;
}

} // namespace

QStringList TextUmbrechen(const QString& t, float breite, float schriftgroesse)
{
    const auto passt = [&](long tausendstel) {
        return static_cast<float>(tausendstel) * schriftgroesse / 1000.0f <= breite;
    };
    QStringList zeilen;
    const qsizetype n = t.size();
    qsizetype anfang = 0;
    for (;;) {
        // Up to the first character past the width; blanks at a line's end take no room.
        long tausendstel = 0;
        qsizetype nachBlank = -1; // where the line may end: after a blank that follows a word
        bool wort = false;
        qsizetype i = anfang;
        for (; i < n; ++i) {
            tausendstel += ZeichenBreite(t[i]);
            if (t[i] == QLatin1Char(' ')) {
                if (wort)
                    nachBlank = i + 1;
                continue;
            }
            wort = true;
            if (!passt(tausendstel))
                break;
        }
        if (i == n) {
            zeilen << t.mid(anfang);
            return zeilen;
        }
        const qsizetype schnitt = nachBlank > anfang ? nachBlank : std::max(i, anfang + 1);
        zeilen << t.mid(anfang, schnitt - anfang);
        anfang = schnitt;
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
        y += zeilenHoehe(pdf, flgReport.zeile(i));
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
        const QStringList zeilen = zeilenVon(pdf, c0.text);
        if (z.ende) {
            // the end marker decides the pages; its text is no part of the document
        } else if (!umbrochen(c0.text, zeilen)) {
            text(pdf, mm(15), y, c0.text);
        } else {
            for (const QString& zeile : zeilen) {
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
