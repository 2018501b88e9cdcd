// The analysis page: storing, going on to the crop step and sending one analysis.
#include "frame/oberflaeche.h"
#include "frame/wartezeiger.h"
#include "platform/datumsfeld.h"
#include "plots/analysendaten.h"
#include "plots/analysesenden.h"
#include "plots/frmalteanalyse.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/frmanalysenwerte.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"
#include "services/server.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QToolButton>

namespace kav {

bool frmAnalysenWerte::AnalysenWerteSpeichern(bool blnMeldung)
{
    // a sampling date being typed ends first: one left unfinished is refused and nothing is stored,
    // under the date shown before least of all
    if (auto* datum = qobject_cast<forms::DatumsFeld*>(dtpProbenahme()); datum && !datum->beenden())
        return false;
    AppContext& a = app();
    WizardState& w = a.bedarf;
    AnalyseEingabe e;
    e.strAktFlaechenNr = w.strAktFlaechenNr;
    e.strAktAnalysenNr = w.strAktAnalysenNr.isEmpty() ? kNeueAnalyse : w.strAktAnalysenNr;
    e.datum = dtpProbenahme()->date();
    e.intBodenart = w.intBodenart;
    e.bodenartListenIndex = cobBodenart()->currentIndex();
    for (int i = 2; i <= 6; ++i)
        e.txtWert[static_cast<size_t>(i - 2)] = txtWert(i)->text();

    AnalyseGespeichert r;
    if (a.db) {
        r = AnalysenDaten(a.db->cnDaten(), a.gebiet, *a.uhr, a.zufall).AnalysenWerteSpeichern(e);
    } else {
        r.meldung = fehlerMeldungFuer(QStringLiteral("Analysenwerte"));
    }
    if (!r.ok) {
        if (blnMeldung && a.anzeige)
            a.anzeige->zeige(r.meldung);
        return false;
    }
    werteUebergeben(r, w);
    m_ungespeichert = false;
    baumAuffrischen(); // the new analysis under its plot; the open groups stay open
    EingabeEnable(true);
    return true;
}

void frmAnalysenWerte::gespeichertenPfadAufklappen()
{
    // the plot of the stored analysis opens with its groups; the node the page shows stays the
    // selected one, in view
    FlaechenBaumAnsicht* t = trvFlaechen();
    const QString plot = app().bedarf.strAktFlaechenNr;
    t->pfadAufklappen(plot, true, false, false);
    t->pfadAufklappen(t->modell().finde(m_letzterKnoten) >= 0 ? m_letzterKnoten : plot, false, true, true);
}

void frmAnalysenWerte::cmbSpeichern_Click() { speichern(); }

void frmAnalysenWerte::cmbWeiter_Click()
{
    if (!AnalysenWerteSpeichern(true))
        return;
    const QDate probennahme = dtpProbenahme()->date();
    try {
        ui().fenster.zeigen(QStringLiteral("frmNPK1"));
    } catch (const std::exception&) {
        return; // the crop step cannot open: the page stays with the analysis stored
    }
    app().rahmen.strFensterZeigen = QStringLiteral("NPK1");
    entladen();
    // this way skips the plot step: its notice of an old analysis comes here
    AlteAnalyseMelden(probennahme);
}

void frmAnalysenWerte::cmbSenden_Click()
{
    AppContext& a = app();
    cmbSenden()->setEnabled(false);
    if (!AnalysenWerteSpeichern(true)) {
        cmbSenden()->setEnabled(true);
        EingabeEnable(true);
        cmbWeiter()->setEnabled(false);
        return;
    }
    EingabeEnable(true);
    gespeichertenPfadAufklappen();
    trvFlaechen()->setFocus(Qt::OtherFocusReason); // on the node stored, which stays selected
    AnalyseGesendet g;
    {
        // the wait shows at once; a click made while it lasts is dropped
        const WarteZeiger warten(cmbSenden());
        if (a.server && a.db) {
            g = EinzelAnalyseSenden(*a.server, a.db->cnDaten(), a.einstellungen.strProgrammID,
                                    a.bedarf.strAktFlaechenNr, a.bedarf.strAktAnalysenNr, *a.uhr);
        } else {
            g.meldung = fehlerMeldungFuer(QStringLiteral("SQL-DB"));
        }
    }
    if (!g.ok()) {
        if (a.anzeige)
            a.anzeige->zeige(g.meldung);
        return;
    }
    // the tree built again as it was; the inputs wait for the next node chosen
    baumAuffrischen();
    gespeichertenPfadAufklappen();
    cmbSenden()->setEnabled(true);
}

} // namespace kav
