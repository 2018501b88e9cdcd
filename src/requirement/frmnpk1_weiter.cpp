// The crop step: Next by the kind of crop (the planner for a mixed culture, else the calculation and
// the green-manure or organic-matter step), Back to the plot step and Cancel.
#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "plots/wertebereiche.h"
#include "requirement/bedarfsquellen.h"
#include "requirement/kulturschrittwerte.h"
#include "requirement/frmmkeditor.h"
#include "requirement/frmnpk1.h"
#include "requirement/nmindaten.h"
#include "requirement/wizardschritte.h"
#include "requirement/wizardseiten.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"

#include <QCalendarWidget>
#include <QComboBox>

#include <cmath>

namespace kav {

std::optional<float> frmNPK1::flaecheLesen()
{
    const AppContext& a = app();
    if (m_txtFlaeche->text().trimmed().isEmpty()) {
        m_txtFlaeche->setText(FlaechenText(a.bedarf.sngFlaecheGroesse, a.gebiet));
        return a.bedarf.sngFlaecheGroesse;
    }
    const std::optional<double> z = a.gebiet.zahlLesen(m_txtFlaeche->text().trimmed());
    if (!z || !std::isfinite(*z))
        return std::nullopt;
    return static_cast<float>(*z);
}

std::optional<float> frmNPK1::flaecheNehmbar()
{
    if (FlaecheZuGross(m_txtFlaeche->text(), app().gebiet))
        return std::nullopt;
    const std::optional<float> f = flaecheLesen();
    return f && *f > 0 ? f : std::nullopt;
}

void frmNPK1::txtFlaeche_LostFocus()
{
    // an area out of range stays in the box as typed; Next says why it is not taken
    if (const std::optional<float> f = flaecheNehmbar())
        app().bedarf.sngFlaecheGroesse = *f;
}

void frmNPK1::eingabeZurueckweisen(QLineEdit* box, const Meldung& m)
{
    WizardMelden(m);
    box->setFocus();
    box->selectAll();
}

void frmNPK1::cmbNext_MouseUp()
{
    if (IstMischkultur(app().bedarf.strAktKulturNr))
        mischkulturWeiter();
    else
        kulturWeiter();
}

bool frmNPK1::nminInZustand()
{
    WizardState& s = app().bedarf;
    const NminEingabe e = NminTextLesen(m_txtNmin->text(), app().gebiet);
    if (e.art == NminEingabe::Art::KeineZahl)
        return false;
    s.sngNminWert = e.art == NminEingabe::Art::Leer ? -1.0f : static_cast<float>(e.wert);
    s.intNminEinheit = static_cast<qint16>(std::max(0, m_comNmin->currentIndex()));
    return true;
}

void frmNPK1::mischkulturWeiter()
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    const QString name = m_txtNPK->text();
    const std::optional<double> laenge = a.gebiet.zahlLesen(m_txtLaenge->text().trimmed());
    const std::optional<double> breite = a.gebiet.zahlLesen(m_txtBreite->text().trimmed());
    if (!breite || !laenge || !(*breite > 0) || !(*laenge > 0) || !std::isfinite(*breite) || !std::isfinite(*laenge)) {
        WizardMelden(fehlerMeldungFuer(QStringLiteral("Flaechenmaße")));
        return;
    }
    if (const std::optional<Meldung> m = BeetZuGross(m_txtLaenge->text(), m_txtBreite->text(), a.gebiet)) {
        eingabeZurueckweisen(*laenge > kSeiteBis ? m_txtLaenge : m_txtBreite, *m);
        return;
    }
    if (!nminImBereich())
        return;
    if (!nminInZustand()) {
        WizardMelden(fehlerMeldungFuer(QStringLiteral("Nmin")));
        return;
    }
    s.sngBeetLaenge = static_cast<float>(*laenge);
    s.sngBeetBreite = static_cast<float>(*breite);
    const QString planId = s.strAktKulturNr.startsWith(QLatin1String("ID")) ? s.strAktKulturNr : QString();
    if (!MischkulturPlanerOeffnen(name, planId))
        return;
    // a word on mixed cultures in the notice window
    if (ui().hinweisZeigen)
        ui().hinweisZeigen(QStringLiteral("KAV - Mischkulturen"), QStringLiteral("Ein paar Worte zum Thema Mischkultur:"),
                           QStringLiteral("Es gibt eine Reihe von Punkten, die gegen die Anlage von Mischkulturen im "
                                          "Haus- und Kleingarten sprechen."),
                           QStringLiteral("Mischkultur"));
}

void frmNPK1::kulturWeiter()
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    if (s.strAktKulturNr.isEmpty()) {
        WizardMelden(fehlerMeldungFuer(QStringLiteral("Kultur")));
        return;
    }
    if (const std::optional<Meldung> m = FlaecheZuGross(m_txtFlaeche->text(), a.gebiet)) {
        eingabeZurueckweisen(m_txtFlaeche, *m);
        return;
    }
    const std::optional<float> flaeche = flaecheLesen();
    if (!flaeche || !(*flaeche > 0)) {
        WizardMelden(fehlerMeldungFuer(QStringLiteral("Flaechengroesse")));
        return;
    }
    s.sngFlaecheGroesse = *flaeche;
    if (!blnNminGesendet()) {
        if (!nminImBereich())
            return;
        if (!frmNPK1_NminSpeichern()) {
            WizardMelden(fehlerMeldungFuer(QStringLiteral("Nmin")));
            return;
        }
        if (a.einstellungen.strDatenAufServer == QLatin1String("Wahr") && !m_txtNmin->text().trimmed().isEmpty())
            frmNPK1_NminUebertragen();
    } else {
        s.sngNminWert = static_cast<float>(NminTextLesen(m_txtNmin->text(), a.gebiet).wert);
    }
    s.datKulturbeginn = QDateTime(m_calStart->selectedDate(), QTime(0, 0));
    if (!a.db)
        return;
    const SqlQuellen q(a.db->cnKav(), a.db->cnDaten());
    const Neuberechnung r = BedarfNeuBerechnen(s, q.bedarf(), *a.uhr);
    WizardMelden(r.meldung);
    if (!r.ok)
        return;
    const QString schritt = KulturWeiterSchritt(s);
    FormulareEntladen();
    SeiteZeigen(QStringLiteral("frmTitel"));
    a.rahmen.strFensterZeigen = schritt;
    SeiteZeigen(QStringLiteral("frm") + schritt);
}

void frmNPK1::cmbBack_MouseUp()
{
    AppContext& a = app();
    BedarfVariablenZuruecksetzen(a.bedarf, 1);
    FormulareEntladen();
    a.rahmen.strFensterZeigen = QStringLiteral("NPK");
    SeiteZeigen(QStringLiteral("frmNPK"));
}

void frmNPK1::cmbAbbruch_Click() { BerechnungAbbrechen(); }

void frmNPK1::lblNmin_Click() { LexikonZeigen(QStringLiteral("Nitratschnelltest")); }

} // namespace kav
