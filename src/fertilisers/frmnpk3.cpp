#include "fertilisers/frmnpk3.h"

#include "fertilisers/duengerbilder.h"
#include "fertilisers/duengerdienste.h"
#include "fertilisers/duengermenue.h"
#include "fertilisers/frmduengereingabe.h"
#include "fertilisers/frmduengerinfo.h"
#include "fertilisers/frmkalkeingabe.h"
#include "frame/klicksperre.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "platform/tastenlink.h"
#include "requirement/duengerliste.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace kav {

namespace {

// Loads and shows a page by name; a page that cannot be loaded leaves the work area empty.
void seiteZeigen(const QString& name)
{
    try {
        ui().fenster.zeigen(name);
    } catch (const std::exception&) {
    }
}

} // namespace

frmNPK3* duengerSeite() { return ui().fenster.fensterAls<frmNPK3>(QStringLiteral("frmNPK3")); }

frmNPK3::frmNPK3() : Seite(QStringLiteral("frmNPK3"), QStringLiteral("NPK3"), Platz::UnterTitel)
{
    setMouseTracking(true);
    m_imlDuenger = duengerBilder();
    m_lblDuenger = Beschriftung(this, QStringLiteral("lblDuenger"), {}, true);
    for (int i = 1; i <= 2; ++i) {
        auto* t = new Duengerbaum(this);
        t->setObjectName(QStringLiteral("trvDuenger%1").arg(i));
        t->setBilder(&m_imlDuenger);
        t->installEventFilter(this);
        t->viewport()->installEventFilter(this);
        m_trvDuenger.anhaengen(t);
    }
    m_trvDuenger(2)->setRootIsDecorated(false); // a flat list: its names start at its left edge
    m_cmbReset = new QToolButton(this);
    m_cmbReset->setObjectName(QStringLiteral("cmbReset"));
    m_cmbReset->setToolTip(QStringLiteral("Zuletzt eingegebenen Dünger wieder löschen"));
    m_cmbReset->setAccessibleName(m_cmbReset->toolTip());
    connect(m_cmbReset, &QToolButton::clicked, this, [this] { cmbReset_Click(); });

    m_lblMenge = Beschriftung(this, QStringLiteral("lblMenge"), {}, true);
    m_txtMenge = new QLineEdit(this);
    m_txtMenge->setObjectName(QStringLiteral("txtMenge"));
    m_txtMenge->setReadOnly(true);
    m_txtMenge->setAlignment(Qt::AlignRight);
    m_txtMenge->installEventFilter(this);
    m_lblMengeEinheit = Beschriftung(this, QStringLiteral("lblMengeEinheit"), QStringLiteral("g/m²"), true);
    m_lblMengeEinheit->setWordWrap(false);
    m_lblMengeEinheit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_linTrennung = new QWidget(this);
    m_linTrennung->setObjectName(QStringLiteral("linTrennung"));
    m_linTrennung->setAutoFillBackground(true);
    m_lblBedarf = Beschriftung(this, QStringLiteral("lblBedarf"), QStringLiteral("Nährstoffbedarf der Kultur:"), true);
    m_lblBedarf->setCursor(Qt::PointingHandCursor);
    m_lblBedarf->installEventFilter(this);
    new forms::Tastenlink(this, m_lblBedarf, [this] { lblBedarf_Click(); });
    for (int i = 1; i <= 4; ++i)
        m_lblVersorgung.anhaengen(Beschriftung(this, QStringLiteral("lblVersorgung%1").arg(i), {}, true));

    m_knoepfe = new Schrittknoepfe(this, {QStringLiteral("cmbAbbruch"), QStringLiteral("Berechnung abbrechen")},
                                   {QStringLiteral("cmbZurueck"), QStringLiteral("Zurück zu Kompost, Mist")},
                                   {QStringLiteral("cmbWeiter"), QStringLiteral("Weiter zum nächsten Schritt")});
    m_knoepfe->beiAbbruch = [this] { cmbAbbruch_MouseUp(); };
    m_knoepfe->beiZurueck = [this] { cmbZurueck_MouseUp(); };
    m_knoepfe->beiWeiter = [this] { cmbWeiter_MouseUp(); };
    cmbWeiter()->setEnabled(false);
}

frmNPK3::~frmNPK3()
{
    for (const auto& v : m_menueVerbindungen)
        disconnect(v);
}

// ---------------------------------------------------------------- loading

void frmNPK3::Form_Load()
{
    Seite::Form_Load(); // step key, breadcrumb, caption, layout
    menueBefehleVerbinden();
    auto d = DuengerDienste::oeffnen(app());
    if (!d)
        return;
    try {
        anzeigen(d->wahl().laden());
    } catch (const std::exception&) {
        lesefehler();
    }
}

void frmNPK3::Form_Unload()
{
    for (const auto& v : m_menueVerbindungen)
        disconnect(v);
    m_menueVerbindungen.clear();
    Seite::Form_Unload();
}

void frmNPK3::menueBefehleVerbinden()
{
    mdiZentral* h = ui().haupt.data();
    if (!h)
        return;
    const std::pair<const char*, void (*)()> befehle[] = {
        {"mnuDuengerInfo", mnuDuengerInfo_Click},       {"mnuDuengerEdit", mnuDuengerEdit_Click},
        {"mnuDuengerLoeschen", mnuDuengerLoeschen_Click}, {"mnuKalkEdit", mnuKalkEdit_Click},
        {"mnuKalkLoeschen", mnuKalkLoeschen_Click},
    };
    for (const auto& [name, befehl] : befehle)
        if (QAction* act = h->menuePunkt(QLatin1String(name)))
            m_menueVerbindungen.push_back(connect(act, &QAction::triggered, this, [befehl] { befehl(); }));
}

// ---------------------------------------------------------------- showing a step

void frmNPK3::anzeigen(const Anzeige& a)
{
    if (a.hinweis) {
        DuengerHinweisZeigen(*a.hinweis);
        m_hinweisGezeigt = true;
    }
    if (a.katalog) {
        m_stand = a.katalog->stand;
        m_trvDuenger(1)->fuellen(a.katalog->knoten);
        m_neuGebaut = Klicksperre::jetzt();
        if (a.katalog->lblDuenger)
            m_lblDuenger->setText(*a.katalog->lblDuenger);
    }
    if (a.gewaehlt)
        m_trvDuenger(2)->fuellen(*a.gewaehlt);
    if (a.zeilen)
        for (int i = 1; i <= 4; ++i)
            m_lblVersorgung(i)->setText(a.zeilen->lblVersorgung(i));
    if (a.txtMenge)
        m_txtMenge->setText(*a.txtMenge);
    if (a.lblMenge) {
        m_lblMenge->setText(*a.lblMenge);
        mengenSatzEinpassen();
    }
    if (a.cmbWeiter)
        cmbWeiter()->setEnabled(*a.cmbWeiter);
    if (a.ersterKnoten && m_trvDuenger(1)->erster())
        m_trvDuenger(1)->setCurrentItem(m_trvDuenger(1)->erster());
    if (a.ungeeignet)
        DuengerUngeeignetMelden();
    if (!a.meldung.isEmpty())
        melden(a.meldung);
}

void frmNPK3::melden(const QString& text) const
{
    if (app().anzeige)
        app().anzeige->zeige(Meldung{0, kDuengerMeldungTitel, text, Meldung::Symbol::Information});
}

void frmNPK3::lesefehler() const
{
    melden(datenFehlerText(QStringLiteral("Die Dünger- und Kalkdaten konnten nicht gelesen werden. Ihre bisherige "
                                          "Auswahl bleibt unverändert.")));
}

// ---------------------------------------------------------------- public procedures

void frmNPK3::Hornduenger(const QString& strDuengerNr)
{
    auto d = DuengerDienste::oeffnen(app());
    if (!d)
        return;
    try {
        const std::optional<DuengerZeile> z = d->katalog().duenger(strDuengerNr);
        const std::optional<int> woche = z ? HornStartwoche(app().bedarf, SqlPlaene(app().db->cnDaten())) : std::nullopt;
        if (woche)
            if (const auto h = HornHinweis(z->DuengerNr, z->Norg == 1, *woche))
                DuengerHinweisZeigen(*h);
    } catch (const std::exception&) {
        // no notice when its facts cannot be read
    }
}

void frmNPK3::KalkDuengerEintragen(const QString& KalkNr)
{
    auto d = DuengerDienste::oeffnen(app());
    if (!d)
        return;
    try {
        anzeigen(d->wahl().kalkWaehlen(KalkNr));
    } catch (const std::exception&) {
        lesefehler();
    }
}

void frmNPK3::DuengerBaumFuellen()
{
    auto d = DuengerDienste::oeffnen(app());
    if (!d)
        return;
    try {
        anzeigen(d->wahl().neuRechnen());
    } catch (const std::exception&) {
        lesefehler();
    }
}

void frmNPK3::NeuenDuengerUebernehmen(const QString& duengerNr)
{
    auto d = DuengerDienste::oeffnen(app());
    if (!d)
        return;
    try {
        anzeigen(d->wahl().neuerDuenger(duengerNr));
    } catch (const std::exception&) {
        lesefehler();
    }
}

// ---------------------------------------------------------------- the trees

void frmNPK3::trvDuenger_Waehlen(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QString tag = Duengerbaum::tag(item);
    const QString key = Duengerbaum::key(item);
    if (tag == QLatin1String("Kalk")) {
        KalkDuengerEintragen(key);
        return;
    }
    if (tag != QLatin1String("Duenger"))
        return; // class nodes; the add-new nodes open their editor on a double click
    auto d = DuengerDienste::oeffnen(app());
    if (!d)
        return;
    try {
        anzeigen(d->wahl().waehlen(key, Duengerbaum::tag(item->parent())));
    } catch (const std::exception&) {
        lesefehler();
    }
}

void frmNPK3::trvDuenger_Rechtsklick(QTreeWidgetItem* item, const QPoint& globalPos)
{
    mdiZentral* h = ui().haupt.data();
    if (!item || !h)
        return;
    m_trvDuenger(1)->setCurrentItem(item);
    const QString tag = Duengerbaum::tag(item);
    if (tag == QLatin1String("Duenger")) {
        m_menueDuengerNr = Duengerbaum::key(item);
        m_menueKlasse = Duengerbaum::tag(item->parent());
        if (QAction* info = h->menuePunkt(QStringLiteral("mnuDuengerInfo")))
            info->setVisible(m_menueKlasse != QLatin1String("Gruen"));
        h->mnuPopUp(5)->popup(globalPos);
    } else if (tag == QLatin1String("Kalk")) {
        m_menueKalkNr = Duengerbaum::key(item);
        h->mnuPopUp(6)->popup(globalPos);
    }
}

void frmNPK3::trvDuenger_DblClick(int index)
{
    const QString tag = Duengerbaum::tag(m_trvDuenger(index)->currentItem());
    if (tag == QLatin1String("Grau"))
        DuengerEingabeOeffnen(QString());
    else if (tag == QLatin1String("GrauKalk"))
        KalkEingabeOeffnen(QString());
}

// ---------------------------------------------------------------- buttons

void frmNPK3::cmbReset_Click()
{
    auto d = DuengerDienste::oeffnen(app());
    if (!d)
        return;
    try {
        anzeigen(d->wahl().zuruecknehmen());
    } catch (const std::exception&) {
        lesefehler();
    }
}

void frmNPK3::cmbWeiter_MouseUp()
{
    auto d = DuengerDienste::oeffnen(app());
    if (!d)
        return;
    QString meldung;
    try {
        if (!d->wahl().weiter(&meldung)) {
            melden(meldung);
            return;
        }
        // an open editor asks for what is typed in it; a fertiliser it stores on the way is handed on too
        if (!SeitenVerlassenErlaubt())
            return;
        d->wahl().weiter(nullptr);
    } catch (const std::exception&) {
        lesefehler();
        return;
    }
    FormulareEntladen(false);
    ui().fenster.entladen(QStringLiteral("frmTitel"));
    app().rahmen.strFensterZeigen = QStringLiteral("NPK4");
    seiteZeigen(QStringLiteral("frmNPK4"));
}

void frmNPK3::cmbZurueck_MouseUp()
{
    if (!FormulareEntladen())
        return; // an editor keeps what is typed in it
    BedarfVariablenZuruecksetzen(app().bedarf, 4);
    app().rahmen.strFensterZeigen = QStringLiteral("NPK2b");
    seiteZeigen(QStringLiteral("frmTitel"));
    seiteZeigen(QStringLiteral("frmNPK2b"));
}

void frmNPK3::cmbAbbruch_MouseUp()
{
    if (!FormulareEntladen())
        return; // an editor keeps what is typed in it
    BedarfVariablenZuruecksetzen(app().bedarf, 0);
    // No plot page is loaded here: the plot page shown below is a fresh one, whose load fills its
    // plot tree and leaves txtNPK empty, since no plot is chosen any more.
    app().rahmen.strFensterZeigen = QStringLiteral("NPK");
    seiteZeigen(QStringLiteral("frmNPK"));
    TitelSetzen();
}

void frmNPK3::lblBedarf_Click()
{
    Rahmen& r = app().rahmen;
    r.strLexikonAnzeige = QStringLiteral("NaehrstoffbedarfAllgemein");
    r.blnLexikonVonAussen = true;
    seiteZeigen(QStringLiteral("frmLexikon"));
}

// ---------------------------------------------------------------- the way in

void DuengerauswahlOeffnen()
{
    AppContext& a = app();
    FormulareEntladen();
    seiteZeigen(QStringLiteral("frmTitel"));
    DuengerlisteAnlegen(a.bedarf);
    a.rahmen.strFensterZeigen = QStringLiteral("NPK3");
    seiteZeigen(QStringLiteral("frmNPK3"));
    if (!duengerSeite() || !VerfahrenFragen(a.bedarf, a.einstellungen))
        return;
    try {
        forms::Fenster* f = ui().fenster.zeigen(QStringLiteral("frmVerfahren"));
        if (auto* knopf = f->widget()->findChild<QWidget*>(QStringLiteral("cmdImmerOptimal")))
            knopf->setFocus();
    } catch (const std::exception&) {
    }
}

} // namespace kav
