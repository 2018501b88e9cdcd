#include "plots/frmflaechegruppe.h"

#include "frame/anordnung.h"
#include "frame/oberflaeche.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/flaechendaten.h"
#include "plots/frmanalysenwerte.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace kav {

void GruppeDialogOeffnen(bool neu) { flaechenDialogOeffnen(QStringLiteral("frmFlaecheGruppe"), neu); }

frmFlaecheGruppe::frmFlaecheGruppe() : FlaechenDialog(QStringLiteral("frmFlaecheGruppe"))
{
    setWindowTitle(QStringLiteral("Kav - Gruppe"));
    m_lblBezeichnung = new QLabel(QStringLiteral("Bezeichnung:"), this);
    m_lblBezeichnung->setObjectName(QStringLiteral("lblBezeichnung"));
    forms::setFontBold(m_lblBezeichnung, true);

    auto* raster = new QGridLayout;
    raster->addWidget(m_lblBezeichnung, 0, 0);
    raster->addWidget(m_txtBezeichnung, 0, 1);
    raster->addWidget(m_lblMax, 0, 2);
    auto* flagge = new QHBoxLayout;
    flagge->addWidget(m_imgAktuellerDatensatz);
    flagge->addWidget(m_lblAktuellerDatensatz);
    flagge->addStretch(1);
    raster->addLayout(flagge, 1, 1, 1, 2);
    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(raster);
    spalte->addSpacing(8);
    spalte->addLayout(knopfZeile());
}

void frmFlaecheGruppe::Form_Load()
{
    AppContext& a = app();
    // help shows the plot dialog's topic
    a.rahmen.strAktivesFenster = QStringLiteral("frmFlaeche");
    modusLesen();
    knoepfeLaden(benutzerFarbeHell(a.einstellungen));

    eintragLaden(true); // the mode is read here, once
    forms::inhaltsgroesseFesthalten(this);
    amBaumPlatzieren(true);
    BenutzerverlaufZeichnen(this, a.einstellungen);
}

void frmFlaecheGruppe::changeEvent(QEvent* e)
{
    FlaechenDialog::changeEvent(e);
    // the buttons take the light shade whenever the dialog becomes active; nothing typed is touched
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        knoepfeFaerben(benutzerFarbeHell(app().einstellungen));
}

void frmFlaecheGruppe::cmbSpeichern_Click()
{
    AppContext& a = app();
    if (!a.db)
        return;
    FlaechenDaten d(a.db->cnDaten(), a.gebiet, *a.uhr, a.zufall);
    const QString name = bezeichnung();
    const Schreibergebnis r =
        m_neu ? d.gruppeNeu(name, m_gruppierungNr) : d.gruppeAendern(m_flaechenNr, name, aktuellerDatensatz());
    if (!r.ok) {
        if (a.anzeige)
            a.anzeige->zeige(r.meldung);
        return;
    }
    m_flaechenNr = r.FlaechenNr;
    entladen();
}

void frmFlaecheGruppe::Form_Unload()
{
    AppContext& a = app();
    if (a.rahmen.strAktivesFenster == QLatin1String("frmFlaeche")
        && !ui().fenster.istGeladen(QStringLiteral("frmFlaeche")))
        a.rahmen.strAktivesFenster.clear();
    a.rahmen.blnToolbarAktiv = true;
    a.bedarf.strAktFlaechenNr = m_flaechenNr;
    frmAnalysenWerte* seite = analysenSeite();
    if (!seite)
        return;
    seite->baumAuffrischen();
    seite->trvFlaechen()->pfadAufklappen(m_flaechenNr, false, true, true);
}

} // namespace kav
