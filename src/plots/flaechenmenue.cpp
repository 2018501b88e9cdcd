#include "plots/flaechenmenue.h"

#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "plots/frmanalysenwerte.h"
#include "plots/frmflaeche.h"
#include "plots/frmflaechegruppe.h"
#include "plots/loeschungen.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace kav {

namespace {

void baumAuffrischen()
{
    if (frmAnalysenWerte* s = analysenSeite())
        s->baumAuffrischen();
}

void melden(const Schreibergebnis& r)
{
    if (!r.ok && app().anzeige)
        app().anzeige->zeige(r.meldung);
}

// A question with the safe button as default (Enter) and as the answer of Escape.
QMessageBox::StandardButton frage(const QString& titel, const QString& text, QMessageBox::StandardButtons knoepfe,
                                  QMessageBox::StandardButton sicher)
{
    QMessageBox box(QMessageBox::NoIcon, titel, text, knoepfe, ui().haupt.data());
    const std::pair<QMessageBox::StandardButton, const char*> texte[] = {
        {QMessageBox::Yes, "Ja"}, {QMessageBox::No, "Nein"}, {QMessageBox::Cancel, "Abbrechen"}};
    for (const auto& [knopf, beschriftung] : texte)
        if (QAbstractButton* b = box.button(knopf))
            b->setText(QString::fromUtf8(beschriftung));
    box.setDefaultButton(sicher);
    box.setEscapeButton(sicher);
    box.exec();
    auto* geklickt = box.clickedButton();
    return geklickt ? box.standardButton(geklickt) : sicher;
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
    if (!app().db)
        return;
    melden(loeschungen().AnalyseLoeschen(app().bedarf.strAktAnalysenNr));
    baumAuffrischen();
}

void GruppeLoeschen(const QString& strTyp)
{
    const auto antwort = frage(kGruppeLoeschenTitel, kGruppeLoeschenFrage,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
    if (antwort != QMessageBox::Yes && antwort != QMessageBox::No)
        return;
    if (!app().db)
        return;
    const QString nr = app().bedarf.strAktFlaechenNr;
    melden(antwort == QMessageBox::Yes ? loeschungen().GruppeMitUnterpunktenLoeschen(nr) : loeschungen().GruppeAufloesen(nr));
    if (strTyp == QLatin1String("Flaeche"))
        baumAuffrischen();
}

void FlaecheLoeschen()
{
    const auto antwort =
        frage(kFlaecheLoeschenTitel, kFlaecheLoeschenFrage, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (antwort != QMessageBox::Yes || !app().db)
        return;
    melden(loeschungen().FlaecheLoeschen(app().bedarf.strAktFlaechenNr));
    baumAuffrischen();
}

} // namespace kav
