#include "plan/mischkulturplan.h"

#include "plan/pdfvorgaben.h"
#include "requirement/balkengeometrie.h"
#include "requirement/mischkultur.h"
#include "requirement/mischkulturplaene.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/flaechenname.h"
#include "services/monatsnamen.h"
#include "services/programmstart.h"
#include "platform/rounding.h"
#include "services/sql.h"

#include <QFileInfo>

#include <cmath>

namespace kav {

namespace {

constexpr float kViertelDrehung = 1.5707964f;

std::string utf8(const QString& s) { return s.toStdString(); }

// The landscape chart on the portrait page: landscape (x, y) is drawn at X = y, Y = Height − x, texts
// turned a quarter turn. Height and Width are read from the document each time.
class Quer {
public:
    explicit Quer(clsPDF& pdf) : m_pdf(pdf) {}
    float H() const { return m_pdf.Height(); }
    float W() const { return m_pdf.Width(); }
    void text(float x, float y, const QString& t) { m_pdf.DrawText(y, H() - x, utf8(t), kViertelDrehung); }
    void box(float x0, float y0, float w, float h, int32_t modus) { m_pdf.DrawBox(y0, H() - x0 - w, h, w, modus); }
    void linie(float x1, float y1, float x2, float y2) { m_pdf.DrawLine(y1, H() - x1, y2, H() - x2); }
    void moveTo(float x, float y) { m_pdf.MoveTo(y, H() - x); }
    void lineTo(float x, float y) { m_pdf.DrawLineTo(y, H() - x); }

private:
    clsPDF& m_pdf;
};

// The legend lines on the base dressing before the crops start.
QStringList legende(const MischkulturplanAngaben& a)
{
    if (!a.bodenverbesserer.isEmpty()) {
        if (a.kBedarf <= 0)
            return {a.bodenverbesserer + QStringLiteral("gabe"), QStringLiteral("ohne zusätzliche Grunddüngung"),
                    QStringLiteral("vor Kulturbeginn")};
        return {a.bodenverbesserer + QStringLiteral("gabe"), QStringLiteral("und Grunddüngung"),
                QStringLiteral("mit Kalium vor"), QStringLiteral("Kulturbeginn")};
    }
    if (a.pBedarf > 0 && a.kBedarf > 0)
        return {QStringLiteral("Grunddüngung mit"), QStringLiteral("Phosphat und Kalium"),
                QStringLiteral("vor Kulturbeginn")};
    if (a.pBedarf > 0)
        return {QStringLiteral("Grunddüngung mit"), QStringLiteral("Phosphat vor"), QStringLiteral("Kulturbeginn")};
    if (a.kBedarf > 0)
        return {QStringLiteral("Grunddüngung mit"), QStringLiteral("Kalium vor"), QStringLiteral("Kulturbeginn")};
    return {QStringLiteral(" keine Grunddüngung vor"), QStringLiteral("Kulturbeginn erforderlich")};
}

// A numbered marker above a bar at landscape x = p: a black triangle with its apex on the bar's top
// edge, the number in white inside it.
void marke(clsPDF& pdf, Quer& q, float p, float y, float h, int n)
{
    q.moveTo(p - h / 2, y - h);
    q.lineTo(p + h / 2, y - h);
    q.lineTo(p, y);
    q.lineTo(p - h / 2, y - h);
    pdf.FillColor(0);
    pdf.DrawColor(0);
    pdf.DrawShape(1);
    pdf.FillColor(kWeiss);
    pdf.DrawColor(kWeiss);
    pdf.FontSize(6);
    const QString nummer = (n < 10 ? QStringLiteral(" ") : QString()) + QString::number(n) + QLatin1Char('.');
    q.text(p - h / 3, y - h + 1.05f * float(pdf.FontSize()), nummer);
    pdf.FillColor(0);
    pdf.DrawColor(0);
}

bool imFenster(int w, double woche) { return w <= woche && woche <= w + 1; }

} // namespace

MischkulturplanAngaben MischkulturplanLesen(const QString& mkid, const WizardState& s, const QSqlDatabase& cnDaten,
                                            const QSqlDatabase& cnKav)
{
    MischkulturplanAngaben a;
    try {
        const MischkulturPlaene plaene(cnDaten, {});
        const std::optional<QString> f = flaechenNameLesen(cnDaten, s.strAktFlaechenNr);
        if (!f)
            throw DiagrammFehler("Die Fläche der Mischkultur ist nicht mehr gespeichert. Es wurde nichts gedruckt.");
        const std::optional<MischkulturKopf> kopf = plaene.kopf(mkid);
        if (!kopf)
            throw DiagrammFehler("Die Mischkulturplanung ist nicht mehr gespeichert. Es wurde nichts gedruckt.");
        a.flaeche = *f;
        a.datumPlanung = kopf->DatumPlanung;
        a.balken = plaene.zumZeichnen(mkid);
        const SqlKulturen kulturen(cnKav);
        for (const MischkulturBalken& b : a.balken)
            if (!a.kulturen.count(b.KulturID))
                if (std::optional<KulturZeile> k = kulturen.kultur(b.KulturID))
                    a.kulturen.emplace(b.KulturID, std::move(*k));
        if (!s.strAktOrgSubNr.isEmpty() && s.strAktOrgSubNr != QLatin1String("x")) {
            const QVariant name = sql::scalar(
                cnKav, QStringLiteral("SELECT Bezeichnung FROM OrgSubID WHERE OrgSubNr = ?"), {s.strAktOrgSubNr});
            a.bodenverbesserer = name.isValid() && !name.toString().isEmpty() ? name.toString()
                                                                               : QStringLiteral("Kompost- oder Mist");
        }
        a.startwoche = MischkulturStartwoche(SqlPlaene(cnDaten), mkid);
    } catch (const sql::Error&) {
        throw DiagrammFehler("Die Mischkulturplanung konnte nicht gelesen werden. Es wurde nichts gedruckt.");
    }
    a.beetLaenge = s.sngBeetLaenge;
    a.beetBreite = s.sngBeetBreite;
    a.pBedarf = s.sngPBedarf;
    a.kBedarf = s.sngKBedarf;
    a.werte = s.arrMischkulturWerte;
    return a;
}

QString MischkulturplanFlaechenzeile(const MischkulturplanAngaben& a, const Gebietsschema& g)
{
    const float flaeche = a.beetLaenge * a.beetBreite;
    return QStringLiteral("Fläche: ") + a.flaeche + QStringLiteral(" auf ") + g.zahlText(runden(double(flaeche) * 10) / 10)
        + QStringLiteral(" m²   Planung am: ") + g.datumText(a.datumPlanung.date());
}

void MischkulturplanDrucken(clsPDF& pdf, const MischkulturplanAngaben& a, const Gebietsschema& g)
{
    const auto mm = MillimeterInPunkte;
    Quer q(pdf);

    // 1. page and head
    pdf.NewPage(0, 0);
    pdf.FontSize(12);
    if (!a.logo.isEmpty() && QFileInfo::exists(a.logo)) {
        try {
            pdf.DrawPicture(mm(15), q.H() - mm(15) - 37, 40, 37, a.logo.toStdString());
        } catch (const PdfFehler&) {
            // a logo that cannot be read is left out
        }
    }
    q.text(mm(15) + 37, mm(20), QString::fromUtf8(kHerausgeberZeile));
    q.text(mm(15) + 37, mm(20) + kZeile, QString::fromUtf8(kProgrammZeile));
    q.linie(mm(15), mm(15) + 45, q.H() - mm(15), mm(15) + 45);

    // 2. plot line
    const float L1 = float(rundenGanz(mm(15) + 45 + kZeile));
    q.text(mm(15), L1, MischkulturplanFlaechenzeile(a, g));

    // 3. month grid
    const float L2 = L1 + 2 * kZeile;
    const float gridH = q.W() - mm(40) - L2;
    const float gridW = q.H() - mm(35);
    for (int m = 0; m < 12; ++m)
        q.text(mm(15) + float(m) * gridW / 12, L2, QStringLiteral("        ") + kurzerMonatsname(m + 1));
    const float L3 = float(rundenGanz(L2 + 1.5f * kZeile));
    pdf.DrawColor(0xE0E0E0);
    for (const float f : {0.25f, 0.5f, 0.75f})
        q.linie(mm(15), L3 + f * gridH, q.H() - mm(20), L3 + f * gridH);
    pdf.DrawColor(0);
    for (int t = 0; t <= 22; t += 2) {
        const float a1 = mm(15) + float(t + 1) * gridW / 24;
        const float a2 = mm(15) + float(t + 2) * gridW / 24;
        q.text(mm(15) + float(t) * gridW / 24, L3, QStringLiteral("    I"));
        q.linie(a1, L3, a1, L3 + gridH);
        q.text(a1, L3, QStringLiteral("    II"));
        q.linie(a2, L3, a2, L3 + gridH);
    }
    pdf.FontSize(9);

    // 4. legend on a white box in the grid's top left corner, then the grid's frame
    const QStringList zeilen = legende(a);
    pdf.FillColor(kWeiss);
    q.box(mm(15), L3, gridW / 5, float(zeilen.size()) * kZeile, -1);
    pdf.FillColor(0);
    for (int i = 0; i < zeilen.size(); ++i)
        q.text(q.H() - (gridW + mm(17)), L3 + 0.75f * kZeile * float(i + 1), zeilen[i]);
    q.box(mm(15), L3, gridW, gridH, 0);

    // 5. the bars, a later one over an earlier one
    const float h = gridH / 30;
    for (const MischkulturBalken& b : a.balken) {
        const float oben = L3 + gridH * b.Top;
        const float x = mm(15) + gridW * b.Left;
        const float laenge = gridW * float(b.Dauer) / 365;
        pdf.FillColor(b.Farbe);
        q.box(x, oben, laenge, h, -1);
        pdf.FillColor(SchriftFarbe(b.Farbe));
        const float textBreite = float(b.Kultur.size()) * q.H() / 131;
        q.text(x + (laenge - textBreite) / 2, oben + gridH / 35, b.Kultur);
    }
    pdf.FillColor(0);
    pdf.DrawColor(0);

    // 6. a numbered marker at each dressing of the weeks that need nitrogen, counted from the plan's
    // first week as the recommendation counts its dressings
    int n = 0;
    for (int w = a.startwoche; w <= 53; ++w) {
        if (w < 0 || w >= int(a.werte.size()) || !(a.werte[size_t(w)].Saldo > 0))
            continue;
        ++n;
        for (const MischkulturBalken& b : a.balken) {
            const auto k = a.kulturen.find(b.KulturID);
            if (k == a.kulturen.end())
                continue;
            const KulturZeile& ku = k->second;
            const float oben = L3 + gridH * b.Top;
            const float x = mm(15) + gridW * b.Left;
            if (imFenster(w, b.start) && ku.NGD > 0)
                marke(pdf, q, x, oben, h, n);
            if (imFenster(w, b.start + ku.TerminKD1) && ku.NKD1 > 0)
                marke(pdf, q, x + gridW * 7 * float(ku.TerminKD1) / 365, oben, h, n);
            if (imFenster(w, b.start + ku.TerminKD2) && ku.NKD2 > 0)
                marke(pdf, q, x + gridW * 7 * float(ku.TerminKD2) / 365, oben, h, n);
        }
    }

    // 7. footer and the page's one text line
    pdf.FillColor(0);
    pdf.FontSize(8);
    q.text(mm(15), q.W() - mm(15),
           QStringLiteral("Kav - Humavera Version ") + a.version + QStringLiteral("; Mischkultur erstellt am ")
               + g.datumText(a.heute));
    pdf.PrintLine("");
}

void frmNPK4_MischkulturplanDrucken(clsPDF& pdf, AppContext& a)
{
    if (!a.db)
        throw DiagrammFehler("Die Datenbank ist nicht geöffnet. Es wurde nichts gedruckt.");
    MischkulturplanAngaben angaben =
        MischkulturplanLesen(a.bedarf.strAktKulturNr, a.bedarf, a.db->cnDaten(), a.db->cnKav());
    angaben.version = programmVersion();
    angaben.heute = a.uhr->today();
    angaben.logo = a.ordner.bilder() + QLatin1Char('/') + kDokumentLogoQuer;
    MischkulturplanDrucken(pdf, angaben, a.gebiet);
}

} // namespace kav
