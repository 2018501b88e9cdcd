#include "fertilisers/duengerwahl.h"

#include "fertilisers/eignung.h"
#include "fertilisers/mengen.h"
#include "requirement/duengerliste.h"
#include "requirement/kalkbedarf.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"

namespace kav {

namespace {

bool kalkGewaehlt(const WizardState& s) { return s.strAktKalkNr.startsWith(QLatin1String("Ka")); }

const std::vector<DuengerAuswahlZeile>& liste(const WizardState& s)
{
    static const std::vector<DuengerAuswahlZeile> leer;
    return s.rsDuengerAuswahl ? *s.rsDuengerAuswahl : leer;
}

} // namespace

std::vector<Baumknoten> GewaehlteDuengerBaumFuellen(const WizardState& s, const Duengerkatalog& k, const Gebietsschema& g)
{
    std::vector<Baumknoten> v;
    for (const DuengerAuswahlZeile& z : liste(s)) {
        const std::optional<DuengerZeile> d = k.duenger(z.DuengerNr);
        if (d)
            v.push_back({z.DuengerNr, QStringLiteral("Duenger"), d->Typ, DuengerKnotenText(*d, g), false, {}});
        else
            v.push_back({z.DuengerNr, QStringLiteral("Duenger"), QString(), z.DuengerNr, false, {}});
    }
    if (kalkGewaehlt(s))
        v.push_back({s.strAktKalkNr, QStringLiteral("Kalk"), QStringLiteral("Kalk"), s.strAktKalkName, false, {}});
    return v;
}

namespace {

// The amount after a choice: the one of the choice, unless the catalogue run that follows shows its
// own: no sentence once nothing more is needed, the dose of a lime chosen before entered again.
void mengeZeigen(Anzeige& a, const QString& txtMenge, const QString& satz)
{
    a.txtMenge = a.katalog->txtMenge.value_or(txtMenge);
    a.lblMenge = a.katalog->lblMenge.value_or(satz);
}

} // namespace

bool VerfahrenFragen(const WizardState& s, const Einstellungen& e)
{
    const int offene = int(BedarfOffen(s.sngNSaldo)) + int(BedarfOffen(s.sngPSaldo)) + int(BedarfOffen(s.sngKSaldo));
    return offene >= 2 && !e.blnImmerOptimal && !istMischkulturPlan(s);
}

Duengerwahl::Duengerwahl(WizardState& s, const Einstellungen& e, const Gebietsschema& g, const Duengerquellen& q)
    : m_s(s), m_e(e), m_g(g), m_q(q)
{
}

bool Duengerwahl::istGewaehlt(const QString& duengerNr) const
{
    for (const DuengerAuswahlZeile& z : liste(m_s))
        if (z.DuengerNr.compare(duengerNr, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

Anzeige Duengerwahl::rechnen(WizardState& t, bool mitVerfahren, bool summieren) const
{
    if (summieren)
        GewaehlteDuengerSummieren(t, m_q.duenger);
    RestbedarfBerechnen(t);
    if (mitVerfahren) {
        const bool alleOffen = BedarfOffen(t.sngNSaldo) && BedarfOffen(t.sngPSaldo) && BedarfOffen(t.sngKSaldo);
        if (m_e.blnImmerOptimal || istMischkulturPlan(t) || !alleOffen)
            t.blnOptimal = true;
    }
    KalkbedarfBerechnen(t, m_q.kalkbedarf);
    Anzeige a;
    a.katalog = DuengerBaumFuellen(t, t.blnOptimal, m_q.katalog, m_g);
    a.zeilen = BedarfsMeldungenAnzeigen(t, m_g);
    a.gewaehlt = GewaehlteDuengerBaumFuellen(t, m_q.katalog, m_g);
    a.lblMenge = a.katalog->lblMenge;
    a.txtMenge = a.katalog->txtMenge;
    return a;
}

Anzeige Duengerwahl::laden()
{
    WizardState t = m_s;
    Anzeige a = rechnen(t, true);
    const bool geliefert = t.sngDuengerN > 0 || t.sngDuengerP > 0 || t.sngDuengerK > 0;
    a.cmbWeiter = a.katalog->cmbWeiter.value_or(false) || geliefert;
    // empty unless a lime chosen before is entered again with its dose
    a.txtMenge = a.katalog->txtMenge.value_or(QString());
    a.lblMenge = a.katalog->lblMenge.value_or(QString());
    m_s = std::move(t);
    return a;
}

Anzeige Duengerwahl::neuRechnen()
{
    WizardState t = m_s;
    Anzeige a = rechnen(t, false);
    a.cmbWeiter = a.katalog->cmbWeiter;
    m_s = std::move(t);
    return a;
}

std::optional<Hinweis> Duengerwahl::hornHinweis(const DuengerZeile& d) const
{
    try {
        const std::optional<int> woche = HornStartwoche(m_s, m_q.plaene);
        if (!woche)
            return std::nullopt;
        return HornHinweis(d.DuengerNr, d.Norg == 1, *woche);
    } catch (const std::exception&) {
        return std::nullopt; // the notice is left out, the choice goes on
    }
}

Anzeige Duengerwahl::waehlen(const QString& duengerNr, const QString& klassenTag)
{
    Anzeige a;
    const std::optional<DuengerZeile> d = m_q.katalog.duenger(duengerNr);
    if (!d)
        return neuRechnen();
    if (istGewaehlt(d->DuengerNr)) {
        a.meldung = kDoppelterDuenger;
        return a;
    }
    a.ersterKnoten = true;
    if (!frmNPK3_DuengerGruppeErlaubt(klassenTag))
        return a;
    const Klasse klasse = *klasseAus(klassenTag);
    const std::optional<Mengenvorschlag> m = frmNPK3_DuengerMengeBerechnen(*d, klasse, m_s, m_g);
    if (!m)
        return a;

    WizardState t = m_s;
    t.strAktDuengerNr = d->DuengerNr;
    DuengerNaehrstoffeSummieren(t, m->menge, m_q.duenger);
    Anzeige r = rechnen(t, false, false);
    r.hinweis = hornHinweis(*d); // for a fertiliser that is taken, not for one refused
    r.ersterKnoten = true;
    mengeZeigen(r, m->txtMenge, m->lblMenge);
    r.cmbWeiter = r.katalog->cmbWeiter;
    m_s = std::move(t);
    return r;
}

Anzeige Duengerwahl::kalkWaehlen(const QString& kalkNr)
{
    Anzeige a;
    WizardState t = m_s;
    KalkEintrag e = KalkDuengerEintragen(t, kalkNr, m_q.katalog, m_g);
    if (e.ergebnis == KalkErgebnis::OhneCarbonat) {
        a.meldung = QStringLiteral("Der Kalk „%1“ enthält weder CaCO3 noch MgCO3 und kann den Kalkbedarf des Bodens "
                                   "nicht decken. Bitte wählen Sie einen anderen Kalk.")
                        .arg(e.Bezeichnung);
        return a;
    }
    if (e.ergebnis == KalkErgebnis::NichtGefunden)
        return a;
    a.lblMenge = e.katalog.lblMenge;
    a.txtMenge = e.katalog.txtMenge;
    a.cmbWeiter = e.katalog.cmbWeiter;
    a.katalog = std::move(e.katalog);
    a.gewaehlt = GewaehlteDuengerBaumFuellen(t, m_q.katalog, m_g);
    m_s = std::move(t);
    return a;
}

Anzeige Duengerwahl::zuruecknehmen()
{
    if (liste(m_s).empty() && !kalkGewaehlt(m_s))
        return {};
    WizardState t = m_s;
    if (!kalkGewaehlt(t))
        t.rsDuengerAuswahl->pop_back();
    t.strAktKalkNr = QStringLiteral("x");
    t.strAktKalkName.clear();
    t.sngKalkCaCO3 = t.sngKalkMgCO3 = t.sngKalkBedarf = 0;
    t.strAktDuengerNr.clear();
    DuengerNaehrstoffeSummieren(t, std::nullopt, m_q.duenger);
    Anzeige a = rechnen(t, false, false);
    a.cmbWeiter = a.katalog->cmbWeiter;
    QString zahl, satz;
    if (!liste(t).empty()) {
        // the choice before is shown again, with the amount it was taken with
        const float menge = liste(t).back().Menge;
        zahl = m_g.zahlText(double(menge));
        satz = MengenSatz(menge, t, m_g);
    }
    mengeZeigen(a, zahl, satz);
    m_s = std::move(t);
    return a;
}

bool Duengerwahl::weiter(QString* meldung)
{
    WizardState t = m_s;
    t.strAktDuengerNr.clear();
    DuengerNaehrstoffeSummieren(t, std::nullopt, m_q.duenger);
    RestbedarfBerechnen(t);
    const bool nichts = t.sngDuengerN == 0 && t.sngDuengerP == 0 && t.sngDuengerK == 0 && t.sngOrgSubMenge == 0
                        && liste(t).empty() && !kalkGewaehlt(t);
    m_s = std::move(t);
    if (nichts && meldung)
        *meldung = kKeineDuengung;
    return !nichts;
}

Anzeige Duengerwahl::neuerDuenger(const QString& duengerNr)
{
    const std::optional<DuengerZeile> d = m_q.katalog.duenger(duengerNr);
    if (!d)
        return neuRechnen();
    if (istGewaehlt(d->DuengerNr)) {
        // chosen before: it keeps its place, and the sums follow its new contents
        Anzeige a = neuRechnen();
        a.meldung = kDoppelterDuenger;
        return a;
    }
    const Klasse klasse = DuengerBewerten(*d, m_s, m_s.blnOptimal);
    m_s.strKategorie = klassenSchluessel(klasse);
    const bool passt = klasse == Klasse::Gruen || (!m_s.blnOptimal && klasse == Klasse::Gelb);
    const std::optional<Mengenvorschlag> m = passt ? frmNPK3_DuengerMengeBerechnen(*d, klasse, m_s, m_g) : std::nullopt;
    if (!m) {
        Anzeige a = neuRechnen();
        a.ungeeignet = true;
        return a;
    }
    const std::optional<Hinweis> h = hornHinweis(*d);
    WizardState t = m_s;
    t.strAktDuengerNr = d->DuengerNr;
    DuengerNaehrstoffeSummieren(t, m->menge, m_q.duenger);
    Anzeige a = rechnen(t, false, false);
    a.hinweis = h;
    a.ersterKnoten = true;
    mengeZeigen(a, m->txtMenge, m->lblMenge);
    a.cmbWeiter = a.katalog->cmbWeiter;
    m_s = std::move(t);
    return a;
}

} // namespace kav
