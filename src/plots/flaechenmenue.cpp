#include "plots/flaechenmenue.h"

#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/frmanalysenwerte.h"
#include "plots/frmflaeche.h"
#include "plots/frmflaechegruppe.h"
#include "plots/loeschungen.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"
#include "services/meldungsbox.h"

#include <QMessageBox>

namespace kav {

namespace {

void baumAuffrischen()
{
    if (frmAnalysenWerte* s = analysenSeite())
        s->baumAuffrischen();
}

// After a deletion: the tree again, and the page shows what is stored (nothing of a deleted entry).
void nachLoeschung()
{
    if (frmAnalysenWerte* s = analysenSeite())
        s->baumNachLoeschung();
}

void melden(const Schreibergebnis& r)
{
    if (!r.ok && app().anzeige)
        app().anzeige->zeige(r.meldung);
}

Loeschungen loeschungen() { return Loeschungen(app().db->cnDaten()); }

} // namespace

void mnuUmschalt_Click()
{
    bool& nurAktuelle = app().einstellungen.blnAnzeigeAktuellFl;
    nurAktuelle = !nurAktuelle;
    baumAuffrischen();
}

void mnuGruEbene_Click()
{
    // the parent is the node of the right click (strAktGruppierungNr)
    GruppeDialogOeffnen(true);
}

void mnuFlaecheE1_Click()
{
    app().bedarf.strAktGruppierungNr = QStringLiteral("0");
    FlaecheDialogOeffnen(true);
}

void mnuNeueFlache_Click()
{
    FlaecheDialogOeffnen(true);
    baumAuffrischen();
}

void mnuGrpAendern_Click() { GruppeDialogOeffnen(false); }

void mnuGrpLoeschen_Click() { GruppeLoeschen(QStringLiteral("Flaeche")); }

void mnuFlaAendern_Click() { FlaecheDialogOeffnen(false); }

void mnuFlaLoeschen_Click() { FlaecheLoeschen(); }

void mnuAnalyseLoeschen_Click()
{
    const QString nr = app().bedarf.strAktAnalysenNr;
    QString datum = nr, flaeche;
    if (frmAnalysenWerte* s = analysenSeite()) {
        const FlaechenBaum& m = s->trvFlaechen()->modell();
        if (const int i = m.finde(nr); i >= 0) {
            datum = m.knoten(i).text;
            if (const int e = m.knoten(i).eltern; e >= 0)
                flaeche = m.knoten(e).text;
        }
    }
    // nothing is deleted without a "Ja"; "Nein" is the default
    if (JaNeinFrage(kAnalyseLoeschenTitel, analyseLoeschenFrage(datum, flaeche), QMessageBox::No, ui().haupt.data())
            != QMessageBox::Yes
        || !app().db)
        return;
    melden(loeschungen().AnalyseLoeschen(nr));
    nachLoeschung();
}

void GruppeLoeschen(const QString& strTyp)
{
    const auto antwort = JaNeinFrage(kGruppeLoeschenTitel, kGruppeLoeschenFrage, QMessageBox::Cancel, ui().haupt.data(),
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (antwort != QMessageBox::Yes && antwort != QMessageBox::No)
        return;
    if (!app().db)
        return;
    const QString nr = app().bedarf.strAktFlaechenNr;
    melden(antwort == QMessageBox::Yes ? loeschungen().GruppeMitUnterpunktenLoeschen(nr) : loeschungen().GruppeAufloesen(nr));
    if (strTyp == QLatin1String("Flaeche"))
        nachLoeschung();
}

void FlaecheLoeschen()
{
    const auto antwort =
        JaNeinFrage(kFlaecheLoeschenTitel, kFlaecheLoeschenFrage, QMessageBox::No, ui().haupt.data());
    if (antwort != QMessageBox::Yes || !app().db)
        return;
    melden(loeschungen().FlaecheLoeschen(app().bedarf.strAktFlaechenNr));
    nachLoeschung();
}

} // namespace kav
