// The settings window's restore of the last backup: the question, the pair of files and the pages
// that show the restored data.
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "frame/seitenwechsel.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"
#include "services/meldungsbox.h"
#include "settings/frmeinstellungen.h"
#include "settings/optionen.h"

#include <QPushButton>

namespace kav {

namespace {

void melden(const QString& text, Meldung::Symbol symbol)
{
    if (MeldungsAnzeige* m = app().anzeige)
        m->zeige(Meldung{0, kTitel, text, symbol});
}

// Every page and plot dialog shows data of the files just replaced: they go, the wizard state is
// reset, and the page of the current step opens anew from the restored files (a wizard step from
// its first step). The frame and the dialogs without data stay.
void seitenNeuLaden()
{
    forms::FensterRegister& reg = ui().fenster;
    Rahmen& r = app().rahmen;
    static const QStringList bleiben = {QStringLiteral("mdiZentral"),  QStringLiteral("frmToolbar"),
                                        QStringLiteral("frmBrotkrume"), QStringLiteral("frmIntro"),
                                        QStringLiteral("frmEinstellungen"), QStringLiteral("frmFarbWahl"),
                                        QStringLiteral("frmUeberKav"), QStringLiteral("frmUpdate")};
    for (forms::Fenster* f : reg.geladene())
        if (!bleiben.contains(f->name()))
            reg.entladen(f);
    // after the pages went: a plot dialog leaves its plot number behind when it closes
    BedarfVariablenZuruecksetzen(app().bedarf, 0);
    r.blnLexikonVonAussen = false;
    if (reg.istGeladen(QStringLiteral("frmIntro")))
        return; // the start from the intro opens the page
    QString schritt = r.strFensterZeigen == QLatin1String("Lexikon") ? r.strFensterZeigen : startSchrittFuer(r.strFensterZeigen);
    QString fenster = relayoutFensterFuer(schritt);
    if (fenster.isEmpty() || fenster == QLatin1String("frmIntro")) {
        schritt = QStringLiteral("Analysenwerte");
        fenster = QStringLiteral("frmAnalysenWerte");
    }
    try {
        reg.zeigen(fenster);
        r.strFensterZeigen = schritt;
    } catch (const std::exception&) {
        // a page that cannot open leaves the frame; the navigation bar still works
    }
    TitelSetzen();
}

} // namespace

void frmEinstellungen::cmbRepair_Click()
{
    AppContext& a = app();
    if (a.rahmen.blnUpdateLaeuft || !a.db)
        return;
    if (a.db->bisZumNeustartGeschlossen()) { // nothing to ask: no restore before the next start
        melden(datenFehlerText(QStringLiteral("Die Datensicherung kann jetzt nicht wiederhergestellt werden.")),
               Meldung::Symbol::Warnung);
        return;
    }
    const Datenbanken::SicherungsStand stand = a.db->sicherungsStand();
    if (!stand.vorhanden) {
        melden(kKeineSicherung, Meldung::Symbol::Information);
        return;
    }
    if (!stand.hindernis.isEmpty()) { // nothing to ask: the restore would be refused
        melden(wiederherstellenFehler(stand.hindernis, true), Meldung::Symbol::Warnung);
        return;
    }
    if (JaNeinFrage(kTitel, wiederherstellenFrage(stand.datum), QMessageBox::No, this, QMessageBox::Yes | QMessageBox::No,
                    QMessageBox::Question)
        != QMessageBox::Yes)
        return;
    QString grund;
    bool unveraendert = true;
    if (!a.db->SicherungWiederherstellen(&grund, &unveraendert)) {
        melden(wiederherstellenFehler(grund, unveraendert), Meldung::Symbol::Warnung);
        return;
    }
    seitenNeuLaden();
    raise();
    activateWindow();
    melden(kWiederhergestellt, Meldung::Symbol::Keins);
}

} // namespace kav
