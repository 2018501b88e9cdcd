#include "plan/duengeplan.h"

#include "plan/duengeplan_lauf.h"
#include "services/gebietsschema.h"
#include "platform/rounding.h"

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

const QString kKalkAnfang = QStringLiteral(
    "Um den Kalkversorgungszustand des Bodens langfristig zu sichern, sollte eine jährliche Kalkung mit ");
const QString kWarnung = QStringLiteral("Die letzte Analyse der Fläche liegt bereits länger als 5 Jahre zurück. "
                                        "Sie sollten die Fläche möglichst bald erneut untersuchen lassen.");

QString benannt(const QString& was, const QString& nr)
{
    return was + QStringLiteral(" \u201E") + (nr.isEmpty() ? QStringLiteral("keine Auswahl") : nr)
           + QStringLiteral("\u201C");
}

// The plan rows from the chosen list in the order of choice; a fertiliser without a row is named.
std::vector<DuengerPlanZeile> planZeilen(const WizardState& s, const DuengerQuelle& q, QStringList& fehlend)
{
    std::vector<DuengerPlanZeile> plan;
    if (!s.rsDuengerAuswahl)
        return plan;
    std::vector<DuengerAuswahlZeile> liste = *s.rsDuengerAuswahl;
    std::stable_sort(liste.begin(), liste.end(),
                     [](const DuengerAuswahlZeile& a, const DuengerAuswahlZeile& b) { return a.Nr < b.Nr; });
    for (const DuengerAuswahlZeile& a : liste) {
        const std::optional<DuengerGehalt> d = q.gehalt(a.DuengerNr);
        if (!d) {
            const QString name = benannt(QStringLiteral("der Dünger"), a.DuengerNr);
            if (!fehlend.contains(name))
                fehlend << name;
            continue;
        }
        plan.push_back({d->Bezeichnung, a.Menge, static_cast<float>(d->N), static_cast<float>(d->P2O5),
                        static_cast<float>(d->K2O), d->Typ, a.Nr});
    }
    return plan;
}

// The lime sentence; empty unless the crop's lime class asks for lime advice (1). A lime without
// carbonate cannot be dosed: the need is then given as carbonic lime.
QString kalkSatz(const WizardState& s, const Gebietsschema& g)
{
    if (s.sngKulturPH != 1.0f)
        return {};
    if (!(s.sngKalkBedarf > 0.0f))
        return QStringLiteral("Ihr Boden ist ausreichend mit Kalk versorgt. Eine Kalkung ist nicht notwendig.");
    const float carbonat = s.sngKalkCaCO3 + s.sngKalkMgCO3;
    const bool kalkGewaehlt = !s.strAktKalkNr.isEmpty() && s.strAktKalkNr != QLatin1String("x");
    if (kalkGewaehlt && carbonat > 0.0f) {
        // lime in 5 g steps: the need over the carbonate share
        const float m = runden(s.sngKalkBedarf / (carbonat / 100.0f) / 5.0f) * 5.0f;
        return kKalkAnfang + g.locale.toString(static_cast<double>(m), 'f', 0) + QStringLiteral(" g ")
               + s.strAktKalkName + QStringLiteral(" je m² durchgeführt werden.");
    }
    return kKalkAnfang + g.locale.toString(static_cast<double>(runden(s.sngKalkBedarf)), 'f', 0)
           + QStringLiteral(" g kohlensaurem Kalk je m² durchgeführt werden.");
}

} // namespace

QString EinfacheZahl(float wert, const Gebietsschema& g)
{
    // a value that needs more than seven digits before or four zeros after the point takes an exponent
    if (wert == 0.0f || std::isnan(wert))
        return QStringLiteral("0");
    return g.locale.toString(static_cast<double>(wert), 'G', 7);
}

bool OrgSubGewaehlt(const WizardState& s)
{
    return !s.strAktOrgSubNr.isEmpty() && s.strAktOrgSubNr != QLatin1String("x");
}

QString PlanKopf::meldung() const
{
    if (fehlend.isEmpty())
        return {};
    return QStringLiteral("Die Düngeempfehlung kann nicht erstellt werden. Nicht mehr vorhanden: ")
           + fehlend.join(QStringLiteral(", "))
           + QStringLiteral(". Bitte gehen Sie zurück und treffen Sie Ihre Auswahl neu.");
}

PlanKopf PlanKopfLesen(const WizardState& s, const Planquellen& q, const Gebietsschema& g)
{
    PlanKopf k;
    if (istMischkulturPlan(s)) {
        k.strKultur = QStringLiteral("Mischkultur");
    } else {
        k.kultur = q.kulturen.kultur(s.strAktKulturNr);
        if (k.kultur)
            k.strKultur = k.kultur->Bezeichnung;
        else
            k.fehlend << benannt(QStringLiteral("die Kultur"), s.strAktKulturNr);
    }
    if (const std::optional<QString> f = q.angaben.flaechenName(s.strAktFlaechenNr))
        k.strFlaeche = *f;
    else
        k.fehlend << benannt(QStringLiteral("die Fläche"), s.strAktFlaechenNr);
    if (const std::optional<QString> d = q.angaben.analysenDatum(s.strAktAnalysenNr)) {
        const std::optional<QDateTime> datum = g.datumLesen(*d);
        k.analyseDatum = datum ? datum->date() : QDate();
        k.strAnalyseDatum = datum ? g.datumText(k.analyseDatum) : *d;
    } else {
        k.fehlend << benannt(QStringLiteral("die Bodenanalyse"), s.strAktAnalysenNr);
    }
    if (OrgSubGewaehlt(s)) {
        if (const std::optional<QString> o = q.angaben.orgSubName(s.strAktOrgSubNr))
            k.strOrgSubName = *o;
        else
            k.fehlend << benannt(QStringLiteral("der Kompost oder Mist"), s.strAktOrgSubNr);
    }
    return k;
}

PlanErgebnis DuengeplanErstellen(WizardState& s, const PlanEingang& eingang, const Planquellen& q,
                                 const Gebietsschema& g, const QDate& heute, Empfehlungsraster& flgReport)
{
    flgReport.leeren();
    eingang.zurueckgeben(s);
    s.rsDuengerPlan.clear();

    PlanKopf kopf = PlanKopfLesen(s, q, g);
    std::vector<DuengerPlanZeile> plan = planZeilen(s, q.duenger, kopf.fehlend);
    if (!kopf.fehlend.isEmpty()) {
        flgReport.fehler(0, kopf.meldung());
        return {false, kopf.meldung()};
    }
    s.rsDuengerPlan = std::move(plan);
    const bool misch = istMischkulturPlan(s);
    const bool dauer = !misch && s.blnDauerKultur;
    const bool analyseAlt = kopf.analyseDatum.isValid() && heute.year() - kopf.analyseDatum.year() >= 5;

    // Titles and the need statement
    Planlauf lauf(s, kopf, q, g, heute.year(), flgReport);
    int& z = lauf.intZeile;
    flgReport.titel(0, QStringLiteral("Düngeempfehlung für ") + kopf.strKultur
                           + (dauer ? QStringLiteral(" (Dauerkultur)") : QString()));
    flgReport.titel(1, QStringLiteral("Fläche: '") + kopf.strFlaeche + QStringLiteral("', Analyse vom ")
                           + kopf.strAnalyseDatum);
    if (dauer)
        flgReport.leererTitel(2);
    z = 4;
    const bool hatPlan = !s.rsDuengerPlan.empty();
    if (OrgSubGewaehlt(s)) {
        const QString menge = EinfacheZahl(s.sngOrgSubMenge, g);
        flgReport.aussage(z, s.strAktOrgSubNr == QLatin1String("OS1001")
                                 ? QStringLiteral("Zusätzlich zu einer jährlichen Kompostgabe von ") + menge
                                       + QStringLiteral(" l je m²  ")
                                 : QStringLiteral("Zusätzlich zu einer jährlichen Gabe von ") + menge
                                       + QStringLiteral(" kg ") + kopf.strOrgSubName + QStringLiteral(" je m²  "));
        ++z;
        flgReport.aussage(z, hatPlan ? QStringLiteral("wird folgende Düngung benötigt:")
                                     : QStringLiteral("wird keine weitere Düngung benötigt."));
    } else {
        flgReport.aussage(z, hatPlan ? QStringLiteral("Es wird folgende Düngung benötigt:")
                                     : QStringLiteral("Es wird keine Düngung benötigt."));
    }
    if (hatPlan) {
        z += 2;
        if (dauer)
            lauf.dauerkultur();
        else if (misch)
            lauf.mischkultur();
        else
            lauf.gewoehnlicheKultur();
    }

    // Lime, warning, end marker
    ++z;
    flgReport.kalk(z, kalkSatz(s, g));
    ++z;
    if (analyseAlt)
        flgReport.warnung(z, kWarnung);
    flgReport.ende(z + 1);
    return {true, {}};
}

} // namespace kav
