#include "plots/frmanalysenwerte.h"

#include "frame/bilder.h"
#include "frame/frmtoolbar.h"
#include "frame/klicksperre.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "platform/datumsfeld.h"
#include "platform/optionsgruppe.h"
#include "platform/tastenlink.h"
#include "plots/analysendaten.h"
#include "plots/einstufung.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/flaechendaten.h"
#include "plots/flaechenmenue.h"
#include "plots/flaechentexte.h"
#include "plots/wertebereiche.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/datumsmeldung.h"
#include "services/meldungen.h"
#include "services/zahlenfilter.h"

#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace kav {

namespace {

const char* const kWertTexte[7] = {"Datum Probennahme:", "Bodenart:", "Organische Substanz:", "Phosphat-Gehalt:",
                                   "Kalium-Gehalt:", "Magnesium-Gehalt:\n(optional)", "pH-Wert:"};
const char* const kBodenartTexte[3] = {"  leicht", "  mittel", "  schwer"};
const char* const kEinheiten[4] = {"%", "mg P2O5/ 100g", "mg K2O/ 100g", "mg Mg/ 100g"};
// Lexicon chapters of the value captions (index 0 has none).
const char* const kLexikonKapitel[7] = {nullptr, "Bodenart", "organischeSubstanz", "GehaltsklassenPhosphat",
                                        "GehaltsklassenKalium", "GehaltsklassenMagnesium", "pHundKalk"};

const QString kHinweisAuswahl = QStringLiteral("Wählen Sie eine Fläche aus oder geben Sie eine neue Fläche ein.");

} // namespace

frmAnalysenWerte* analysenSeite()
{
    return ui().fenster.fensterAls<frmAnalysenWerte>(QStringLiteral("frmAnalysenWerte"));
}

frmAnalysenWerte::frmAnalysenWerte()
    : Seite(QStringLiteral("frmAnalysenWerte"), QStringLiteral("Analysenwerte"), Platz::UnterBrotkrume)
{
    setMouseTracking(true);
    m_imlTrv = flaechenBaumListe();

    m_lblFlaeche = Beschriftung(this, QStringLiteral("lblFlaeche"));
    m_lblFlaeche->setWordWrap(true);

    m_trvFlaechen = new FlaechenBaumAnsicht(this);
    m_trvFlaechen->setObjectName(QStringLiteral("trvFlaechen"));
    m_trvFlaechen->setToolTip(QStringLiteral("Zur Neueingabe oder zum Bearbeiten einer Fläche Rechtsklick"));
    m_trvFlaechen->setBilder(&m_imlTrv);
    m_trvFlaechen->installEventFilter(this);
    m_trvFlaechen->viewport()->installEventFilter(this);
    connect(m_trvFlaechen, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem*, int) { NodeClick(); });

    for (int i = 0; i <= 6; ++i) {
        QLabel* l = Beschriftung(this, QStringLiteral("lblWert%1").arg(i), QString::fromUtf8(kWertTexte[i]));
        l->installEventFilter(this);
        if (kLexikonKapitel[i])
            new forms::Tastenlink(this, l, [this, i] { lblWert_Click(i); });
        m_lblWert.anhaengen(l);
    }

    auto* datum = new forms::DatumsFeld(this);
    m_dtpProbenahme = datum;
    m_dtpProbenahme->setObjectName(QStringLiteral("dtpProbenahme"));
    m_dtpProbenahme->setCalendarPopup(true);
    m_dtpProbenahme->setDisplayFormat(app().gebiet.datumsFormat());
    connect(m_dtpProbenahme, &QDateEdit::dateChanged, this, [this] { dtpProbenahme_Change(); });
    datum->beiAbweisung([this](const forms::DatumsAbweisung& ab) {
        const AppContext& a = app();
        if (a.anzeige)
            a.anzeige->zeige(datumAbgewiesen(ab, kUngespeichertTitel, QStringLiteral("Das Datum der Probennahme"),
                                             m_dtpProbenahme->date(), a.gebiet));
    });

    for (int i = 0; i <= 2; ++i) {
        auto* img = new forms::Bild(this);
        img->setObjectName(QStringLiteral("imgBodenart%1").arg(i));
        img->setStretch(true);
        forms::Tw(img).setRechteck(QRectF(0, 0, 240, 240)); // the layout places it, its size stays
        img->installEventFilter(this);
        m_imgBodenart.anhaengen(img);
        QLabel* l = Beschriftung(this, QStringLiteral("lblBodenart%1").arg(i), QString::fromUtf8(kBodenartTexte[i]));
        l->installEventFilter(this);
        m_lblBodenart.anhaengen(l);
    }

    new forms::Optionsgruppe(
        this, {{m_imgBodenart(0), m_lblBodenart(0)}, {m_imgBodenart(1), m_lblBodenart(1)}, {m_imgBodenart(2), m_lblBodenart(2)}},
        [] {
            const int g = app().bedarf.intBodenart;
            return g >= 0 && g <= 2 ? g : -1;
        },
        [this](int i) { imgBodenart_Click(i); });

    m_cobBodenart = new QComboBox(this);
    m_cobBodenart->setObjectName(QStringLiteral("cobBodenart"));
    m_cobBodenart->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_cobBodenart, &QComboBox::activated, this, [this](int) { cobBodenart_Click(); });

    for (int i = 2; i <= 6; ++i) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("txtWert%1").arg(i));
        ZahlenFilter::installieren(t, app().gebiet.strDezimalZeichen);
        t->installEventFilter(this);
        connect(t, &QLineEdit::textChanged, this, [this, i] { txtWert_Change(i); });
        connect(t, &QLineEdit::textEdited, this, [this] { m_ungespeichert = true; });
        m_txtWert.anhaengen(t);
    }
    for (int i = 0; i <= 3; ++i)
        m_lblEinheit.anhaengen(Beschriftung(this, QStringLiteral("lblEinheit%1").arg(i), QString::fromUtf8(kEinheiten[i])));
    for (int i = 0; i <= 4; ++i)
        m_lblEinstufung.anhaengen(Beschriftung(this, QStringLiteral("lblEinstufung%1").arg(i), QString()));

    m_cmbSenden = bildKnopf(this, QStringLiteral("cmbSenden"), QStringLiteral("Senden"),
                            QStringLiteral("Analysenwerte abspeichern und an die KRN senden"));
    m_cmbSpeichern = bildKnopf(this, QStringLiteral("cmbSpeichern"), QStringLiteral("Speichern"),
                               QStringLiteral("Analysenwerte abspeichern und Berechnung beginnen"));
    m_cmbWeiter = bildKnopf(this, QStringLiteral("cmbWeiter"), QStringLiteral("Weiter"),
                            QStringLiteral("Werte speichern und Düngeberechnung starten"));
    for (QToolButton* b : {m_cmbWeiter, m_cmbSpeichern, m_cmbSenden})
        b->installEventFilter(this);
    Klicksperre::schuetzen(m_cmbWeiter); // the step into the wizard: one click, one step
    connect(m_cmbSpeichern, &QToolButton::clicked, this, [this] { cmbSpeichern_Click(); });
    connect(m_cmbWeiter, &QToolButton::clicked, this, [this] { cmbWeiter_Click(); });
    connect(m_cmbSenden, &QToolButton::clicked, this, [this] { cmbSenden_Click(); });

}

frmAnalysenWerte::~frmAnalysenWerte()
{
    for (const auto& v : m_menueVerbindungen)
        disconnect(v);
}

// ---------------------------------------------------------------- loading

void frmAnalysenWerte::Form_Load()
{
    AppContext& a = app();
    Rahmen& r = a.rahmen;
    FlaechenBaumFuellen();

    if (mdiZentral* h = ui().haupt.data()) {
        const QPixmap zeiger = h->imlCursor().pixmap(QStringLiteral("ZeigerInfo"), QSize(24, 24));
        for (int i = 2; i <= 6; ++i)
            m_lblWert(i)->setCursor(zeiger.isNull() ? QCursor(Qt::WhatsThisCursor) : QCursor(zeiger, 0, 0));
    }
    bodenartBilder();
    if (a.db) {
        try {
            m_cobBodenart->addItems(bodenartenLesen(a.db->cnKav()));
        } catch (const std::exception&) {
            // without soil types only the group pictures can be chosen
        }
    }
    m_cobBodenart->setCurrentIndex(-1);

    // the sampling date starts at today, once; a relayout leaves it alone
    datumZeigen(a.uhr->now().date());

    r.strFensterZeigen = QStringLiteral("Analysenwerte");
    r.strLexikonAnzeige = QStringLiteral("Einleitung");
    BrotkrumeAktualisieren(QStringLiteral("Analysenwerte"));
    leeren();
    hinweisZeigen();
    menueBefehleVerbinden();
    TitelSetzen();
    ArbeitsbereichAnordnen(name());
    EingabeEnable(false);
}

void frmAnalysenWerte::Form_Unload()
{
    for (const auto& v : m_menueVerbindungen)
        disconnect(v);
    m_menueVerbindungen.clear();
    Seite::Form_Unload();
}

void frmAnalysenWerte::menueBefehleVerbinden()
{
    mdiZentral* h = ui().haupt.data();
    if (!h)
        return;
    const std::pair<const char*, void (*)()> befehle[] = {
        {"mnuUmschalt", mnuUmschalt_Click},       {"mnuGruEbene1", mnuGruEbene_Click},
        {"mnuGruEbene2", mnuGruEbene_Click},      {"mnuFlaecheE1", mnuFlaecheE1_Click},
        {"mnuNeueFlache", mnuNeueFlache_Click},   {"mnuGrpAendern", mnuGrpAendern_Click},
        {"mnuGrpLoeschen", mnuGrpLoeschen_Click}, {"mnuFlaAendern", mnuFlaAendern_Click},
        {"mnuFlaLoeschen", mnuFlaLoeschen_Click}, {"mnuAnalyseLoeschen", mnuAnalyseLoeschen_Click},
    };
    for (const auto& [name, befehl] : befehle) {
        if (QAction* act = h->menuePunkt(QLatin1String(name)))
            m_menueVerbindungen.push_back(connect(act, &QAction::triggered, this, [befehl] { befehl(); }));
    }
}

// ---------------------------------------------------------------- tree

void frmAnalysenWerte::FlaechenBaumFuellen()
{
    AppContext& a = app();
    bool ok = true;
    if (a.db)
        ok = m_trvFlaechen->fuellen(a.db->cnDaten(), a.einstellungen.blnAnzeigeAktuellFl, a.gebiet);
    const bool nichts = m_trvFlaechen->modell().nichtsAnzuzeigen();
    if (auto* tb = ui().fenster.fensterAls<frmToolbar>(QStringLiteral("frmToolbar")))
        tb->cmbMenu(2)->setEnabled(!nichts);
    if (nichts)
        m_lblFlaeche->setText(kHinweisNichtsAnzuzeigen);
    EingabeEnable(false);
    if (!ok) {
        qWarning().noquote() << QStringLiteral("Flächen nicht lesbar:") << m_trvFlaechen->modell().fehler();
        if (a.anzeige)
            a.anzeige->zeige(Meldung{0, QStringLiteral("Humavera"),
                                     datenFehlerText(QStringLiteral("Die Flächen konnten nicht gelesen werden."),
                                                     QStringLiteral(" Die Datei Daten.KRN ist nicht lesbar oder "
                                                                    "beschädigt.")),
                                     Meldung::Symbol::Warnung});
    }
}

void frmAnalysenWerte::baumAuffrischen()
{
    m_trvFlaechen->BaumZustandSpeichern();
    FlaechenBaumFuellen();
    m_trvFlaechen->BaumZustandWiederherstellen();
}

bool frmAnalysenWerte::knotenVerarbeiten(QTreeWidgetItem* item)
{
    if (item && m_trvFlaechen->currentItem() != item)
        m_trvFlaechen->setCurrentItem(item);
    return NodeClick();
}

bool frmAnalysenWerte::NodeClick()
{
    AppContext& a = app();
    WizardState& w = a.bedarf;
    if (m_ungespeichert) {
        const QString neu = m_trvFlaechen->key(m_trvFlaechen->currentItem());
        // the node shown again (the plot dialog closed): the typing stays, the name is read anew
        if (neu == m_letzterKnoten && gezeigteFlaecheAuffrischen())
            return true;
        if (neu != m_letzterKnoten && !knotenWechselKlaeren(neu))
            return false;
    }
    const int i = m_trvFlaechen->index(m_trvFlaechen->currentItem());
    const QString vorher = m_letzterKnoten;
    m_letzterKnoten = i < 0 ? QString() : m_trvFlaechen->modell().knoten(i).key;
    const KnotenNummern n = m_trvFlaechen->modell().nummern(i);
    // a date no new analysis may have (refused on storing) is not taken on to another node: the date
    // starts at today again
    if (m_letzterKnoten != vorher && probennahmeAusserhalb(m_dtpProbenahme->date(), a.uhr->today(), a.gebiet))
        datumZeigen(a.uhr->today());
    if (i < 0 || !a.db) {
        hinweisZeigen();
        leeren();
        return true;
    }
    switch (n.art) {
    case KnotenArt::Wurzel:
        w.strAktFlaechenNr = n.flaechenNr;
        w.strAktGruppierungNr = n.gruppierungNr;
        EingabeEnable(false);
        break;
    case KnotenArt::Gruppe:
        EingabeEnable(false);
        w.strAktGruppierungNr = n.gruppierungNr;
        w.strAktFlaechenNr = n.flaechenNr;
        w.strAktAnalysenNr = kNeueAnalyse;
        break;
    case KnotenArt::Flaeche:
    case KnotenArt::Analyse: {
        try {
            const QSqlDatabase cnDaten = app().db->cnDaten();
            const auto f = flaecheLesen(cnDaten, n.flaechenNr);
            std::optional<AnalysenZeile> analyse;
            if (n.art == KnotenArt::Analyse)
                analyse = analysenZeileLesen(cnDaten, n.analysenNr);
            if (!f || (n.art == KnotenArt::Analyse && !analyse)) {
                // gone from the file since the tree was built
                EingabeEnable(false);
                break;
            }
            EingabeEnable(true);
            m_strFlaechenBezeichnung = f->Bezeichnung;
            m_lblFlaeche->setText(kUeberschriftEingabe + f->Bezeichnung);
            w.sngFlaecheGroesse = static_cast<float>(f->Flaeche);
            w.strAktFlaechenNr = n.flaechenNr;
            w.strAktGruppierungNr = n.gruppierungNr;
            w.intFlaecheNutzung = static_cast<qint16>(f->Nutzung);
            if (n.art == KnotenArt::Flaeche) {
                w.intFlaecheKompost = static_cast<qint16>(f->Kompost);
                const auto nr = analyseZuDatum(cnDaten, n.flaechenNr, m_dtpProbenahme->date());
                if (nr) {
                    w.strAktAnalysenNr = *nr;
                    AnalysenWerteEintragen();
                } else {
                    w.strAktAnalysenNr = kNeueAnalyse;
                    leeren();
                }
            } else {
                datumZeigen(analyse->Datum);
                w.strAktAnalysenNr = n.analysenNr;
                AnalysenWerteEintragen();
            }
            return true;
        } catch (const std::exception&) {
            EingabeEnable(false);
        }
        break;
    }
    }
    hinweisZeigen();
    leeren();
    return true;
}

// ---------------------------------------------------------------- the values

void frmAnalysenWerte::EingabeEnable(bool Status)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_cobBodenart, m_dtpProbenahme, m_cmbSpeichern, m_cmbSenden,
                                                      m_cmbWeiter})
        w->setEnabled(Status);
    for (int i = 0; i <= 2; ++i) {
        m_imgBodenart(i)->setEnabled(Status);
        m_lblBodenart(i)->setEnabled(Status);
    }
    for (int i = 0; i <= 3; ++i)
        m_lblEinheit(i)->setEnabled(Status);
    for (int i = 2; i <= 6; ++i)
        m_txtWert(i)->setEnabled(Status);
}

void frmAnalysenWerte::hinweisZeigen()
{
    bool auswahl = !m_trvFlaechen->modell().nichtsAnzuzeigen();
    if (auto* tb = ui().fenster.fensterAls<frmToolbar>(QStringLiteral("frmToolbar")))
        auswahl = tb->cmbMenu(2)->isEnabled();
    m_lblFlaeche->setText(auswahl ? kHinweisAuswahl : kHinweisNichtsAnzuzeigen);
}

void frmAnalysenWerte::hinweisAuffrischen()
{
    const QString t = m_lblFlaeche->text();
    if (!t.startsWith(kUeberschriftEingabe) && !t.startsWith(kUeberschriftWerte))
        hinweisZeigen();
}

void frmAnalysenWerte::leeren()
{
    for (int i = 2; i <= 6; ++i) {
        const QSignalBlocker sperre(m_txtWert(i));
        m_txtWert(i)->clear();
    }
    for (int i = 0; i <= 4; ++i)
        m_lblEinstufung(i)->clear();
    m_ungespeichert = false;
    // an empty page has no soil group: a new analysis gets only the group the user chooses
    app().bedarf.intBodenart = static_cast<qint16>(kKeineBodenart);
    bodenartBilder();
    m_cobBodenart->setCurrentIndex(-1);
}

void frmAnalysenWerte::bodenartBilder()
{
    const int gruppe = app().bedarf.intBodenart;
    for (int i = 0; i <= 2; ++i) {
        const QString k = i == gruppe ? QStringLiteral("opb1") : QStringLiteral("opb0");
        m_imgBodenart(i)->setBild(m_imlTrv.bild(k));
        m_imgBodenart(i)->setSchluessel(k);
    }
}

void frmAnalysenWerte::AnalysenWerteEintragen()
{
    AppContext& a = app();
    leeren();
    std::optional<AnalysenZeile> z;
    try {
        if (a.db)
            z = analysenZeileLesen(a.db->cnDaten(), a.bedarf.strAktAnalysenNr);
    } catch (const std::exception&) {
        z.reset();
    }
    if (!z) {
        m_lblFlaeche->setText(kUeberschriftEingabe + m_strFlaechenBezeichnung);
        return;
    }
    m_lblFlaeche->setText(kUeberschriftWerte + m_strFlaechenBezeichnung);
    datumZeigen(z->Datum);
    const int bodenart = z->Bodenart.value_or(0);
    a.bedarf.intBodenart = static_cast<qint16>(bodenart >= 0 && bodenart <= 2 ? bodenart : kKeineBodenart);
    bodenartBilder();
    const int index = z->BodenartKuerzel.value_or(0) - 1;
    m_cobBodenart->setCurrentIndex(index >= 0 && index < m_cobBodenart->count() ? index : -1);
    const AnalysenTexte t = analyseTexte(*z, a.gebiet);
    for (int i = 2; i <= 6; ++i) {
        const QSignalBlocker sperre(m_txtWert(i));
        m_txtWert(i)->setText(t[static_cast<size_t>(i - 2)]);
    }
    AnalysenWerteEinstufen();
}

void frmAnalysenWerte::AnalysenWerteEinstufen()
{
    AnalysenTexte t;
    for (int i = 2; i <= 6; ++i)
        t[static_cast<size_t>(i - 2)] = m_txtWert(i)->text();
    AnalysenSaetze s = kav::AnalysenWerteEinstufen(t, app().bedarf.intBodenart, app().gebiet);
    for (int i = 0; i <= 4; ++i) {
        // a value no laboratory reports is not rated: its line says the range instead
        if (const auto b = bereichsSatz(static_cast<AnalysenWert>(i), t[static_cast<size_t>(i)], app().gebiet))
            s[static_cast<size_t>(i)] = *b;
        QLabel* l = m_lblEinstufung(i);
        if (l->text() != s[static_cast<size_t>(i)]) {
            l->setText(s[static_cast<size_t>(i)]);
            einstufungAnpassen(i);
        }
    }
}

void frmAnalysenWerte::einstufungAnpassen(int i)
{
    // as wide as its text, at most as wide as the layout leaves it beside the buttons (then wrapped)
    QLabel* l = m_lblEinstufung(i);
    const int hoechstens = l->property("kavBreiteHoechstens").toInt();
    l->setWordWrap(false);
    l->adjustSize();
    if (hoechstens > 0 && l->width() > hoechstens) {
        l->setWordWrap(true);
        l->resize(hoechstens, l->heightForWidth(hoechstens));
    }
}

void frmAnalysenWerte::cobBodenart_Click()
{
    m_ungespeichert = true;
    app().bedarf.intBodenart = static_cast<qint16>(bodenartAusListenIndex(m_cobBodenart->currentIndex()));
    bodenartBilder();
    AnalysenWerteEinstufen();
}

void frmAnalysenWerte::imgBodenart_Click(int index)
{
    if (index < 0 || index > 2)
        return;
    m_ungespeichert = true;
    app().bedarf.intBodenart = static_cast<qint16>(index);
    bodenartBilder();
    AnalysenWerteEinstufen();
}

void frmAnalysenWerte::txtWert_Change(int index)
{
    if (index == 6 && m_txtWert(6)->text().size() == 3)
        AnalysenWerteEinstufen();
}

void frmAnalysenWerte::txtWert_LostFocus(int) { AnalysenWerteEinstufen(); }

void frmAnalysenWerte::lblWert_Click(int index)
{
    Rahmen& r = app().rahmen;
    if (index >= 1 && index <= 6)
        r.strLexikonAnzeige = QLatin1String(kLexikonKapitel[index]);
    r.blnLexikonVonAussen = true;
    try {
        ui().fenster.zeigen(QStringLiteral("frmLexikon"));
    } catch (const std::exception&) {
        r.blnLexikonVonAussen = false;
    }
}

} // namespace kav
