// The analysis page: values typed and not yet stored are never dropped without a question (another
// node, another sampling date, another page, the end of the program), and after a deletion the page
// shows what is stored.
#include "frame/oberflaeche.h"
#include "frame/mdizentral.h"
#include "plots/analysendaten.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/flaechendaten.h"
#include "plots/flaechentexte.h"
#include "plots/frmanalysenwerte.h"
#include "plots/wertebereiche.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungsbox.h"

#include <QDateEdit>
#include <QToolButton>

namespace kav {

bool frmAnalysenWerte::speichern()
{
    cmbSpeichern()->setEnabled(false);
    const bool ok = AnalysenWerteSpeichern(true);
    gespeichertenPfadAufklappen();
    cmbSpeichern()->setEnabled(true);
    if (ok)
        trvFlaechen()->setFocus(Qt::OtherFocusReason); // on the node stored, which stays selected
    return ok;
}

bool frmAnalysenWerte::ungespeicherteWerteKlaeren()
{
    if (!m_ungespeichert)
        return true;
    const auto antwort = JaNeinFrage(kUngespeichertTitel, kUngespeichertFrage, QMessageBox::Yes, ui().haupt.data(),
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Question);
    if (antwort == QMessageBox::No) {
        m_ungespeichert = false;
        return true;
    }
    // "Ja" stores as "Speichern" does; values that cannot be stored keep the user on them
    return antwort == QMessageBox::Yes && speichern();
}

bool frmAnalysenWerte::darfVerlassenWerden() { return ungespeicherteWerteKlaeren(); }

bool frmAnalysenWerte::knotenWechselKlaeren(const QString& neu)
{
    const QString gezeigt = m_letzterKnoten;
    if (!ungespeicherteWerteKlaeren()) {
        // the user stays: the node of the values is selected again
        const QSignalBlocker still(trvFlaechen());
        trvFlaechen()->pfadAufklappen(gezeigt, false, true, true);
        return false;
    }
    // storing built the tree anew: the node chosen is selected again
    if (trvFlaechen()->key(trvFlaechen()->currentItem()) != neu) {
        const QSignalBlocker still(trvFlaechen());
        trvFlaechen()->pfadAufklappen(neu, false, true, true);
    }
    return true;
}

bool frmAnalysenWerte::gezeigteFlaecheAuffrischen()
{
    AppContext& a = app();
    std::optional<FlaechenZeile> f;
    try {
        if (a.db)
            f = flaecheLesen(a.db->cnDaten(), a.bedarf.strAktFlaechenNr);
    } catch (const std::exception&) {
        f.reset();
    }
    if (!f || f->Gliederungspunkt)
        return false;
    m_strFlaechenBezeichnung = f->Bezeichnung;
    const QString t = lblFlaeche()->text();
    lblFlaeche()->setText((t.startsWith(kUeberschriftWerte) ? kUeberschriftWerte : kUeberschriftEingabe) + f->Bezeichnung);
    return true;
}

void frmAnalysenWerte::datumZeigen(const QDate& datum)
{
    const QSignalBlocker sperre(dtpProbenahme());
    dtpProbenahme()->setDate(datum);
    m_datumGezeigt = datum;
}

void frmAnalysenWerte::dtpProbenahme_Change()
{
    AppContext& a = app();
    WizardState& w = a.bedarf;
    const QDate neu = dtpProbenahme()->date();
    std::optional<QString> nr;
    try {
        if (a.db)
            nr = analyseZuDatum(a.db->cnDaten(), w.strAktFlaechenNr, neu);
    } catch (const std::exception&) {
        nr.reset();
    }
    if (m_ungespeichert && w.strAktAnalysenNr == kNeueAnalyse && !nr
        && probennahmeAusserhalb(m_datumGezeigt, a.uhr->today(), a.gebiet)) {
        // new values typed under a date they can never be stored with: the date typed now corrects it
        m_datumGezeigt = neu;
        return;
    }
    if (m_ungespeichert) {
        // the values typed belong to the date shown before: they are stored (or dropped) under it
        datumZeigen(m_datumGezeigt);
        if (!ungespeicherteWerteKlaeren())
            return;
        datumZeigen(neu);
    }
    m_datumGezeigt = neu;
    w.strAktAnalysenNr = nr ? *nr : kNeueAnalyse;
    AnalysenWerteEintragen();
    // an analysis node shown before is no longer what the page shows: its plot is (on this date)
    const FlaechenBaum& m = trvFlaechen()->modell();
    if (const int i = m.finde(m_letzterKnoten); i >= 0 && m.knoten(i).art == KnotenArt::Analyse)
        m_letzterKnoten = m.knoten(m.knoten(i).eltern).key;
}

void frmAnalysenWerte::baumNachLoeschung()
{
    // the keys from the node shown up to the root, as the tree was before
    QStringList pfad;
    const FlaechenBaum& alt = trvFlaechen()->modell();
    for (int i = alt.finde(m_letzterKnoten); i >= 0; i = alt.knoten(i).eltern)
        pfad << alt.knoten(i).key;
    baumAuffrischen();
    const FlaechenBaum& neu = trvFlaechen()->modell();
    if (!m_letzterKnoten.isEmpty() && m_ungespeichert && neu.finde(m_letzterKnoten) >= 0) {
        // the entry of the values typed is still there: they stay on the page
        const QSignalBlocker still(trvFlaechen());
        trvFlaechen()->pfadAufklappen(m_letzterKnoten, false, true, true);
        EingabeEnable(true);
        return;
    }
    // values typed for an entry that was deleted go with it
    m_ungespeichert = false;
    for (const QString& key : pfad) {
        if (neu.finde(key) < 0)
            continue;
        {
            const QSignalBlocker still(trvFlaechen());
            trvFlaechen()->pfadAufklappen(key, false, true, true);
        }
        NodeClick();
        return;
    }
    m_letzterKnoten.clear();
    NodeClick();
}

} // namespace kav
