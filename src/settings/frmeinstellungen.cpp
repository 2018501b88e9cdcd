#include "settings/frmeinstellungen.h"

#include "frame/anordnung.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "frame/sendeknoepfe.h"
#include "services/appcontext.h"
#include "services/meldungen.h"
#include "services/server.h"
#include "services/zahlenfilter.h"
#include "frame/dialogplatz.h"
#include "platform/optionsgruppe.h"
#include "settings/optionen.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace kav {

namespace {

QFont schrift(bool fett)
{
    QFont f = QApplication::font();
    f.setPointSizeF(9.75);
    f.setBold(fett);
    return f;
}

void melden(const QString& text, Meldung::Symbol symbol)
{
    if (MeldungsAnzeige* m = app().anzeige)
        m->zeige(Meldung{0, kTitel, text, symbol});
}

const QString kAktualisierenTitel = QStringLiteral("Humavera - Daten aktualisieren");
const QString kUebertragungTitel = QStringLiteral("Humavera - Datenübertragung");

// False, and the user told so, when Server.ini names no server: neither the update nor the upload
// can then do anything.
bool serverEingerichtet(const QString& titel, const QString& text)
{
    const AppContext& a = app();
    if (a.server && a.server->config().configured())
        return true;
    if (MeldungsAnzeige* m = a.anzeige)
        m->zeige(Meldung{0, titel, text, Meldung::Symbol::Information});
    return false;
}

} // namespace

frmEinstellungen::frmEinstellungen() : Seite(QStringLiteral("frmEinstellungen"), QString(), Platz::Dialog)
{
    setWindowTitle(QStringLiteral("Kav - Einstellungen"));
    for (const char* k : {"opb0", "opb1"})
        m_imlEinstellungen.hinzufuegenDatei(QLatin1String(k), QStringLiteral(":/icons/%1.svg").arg(QLatin1String(k)));

    const auto kopf = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setAlignment(Qt::AlignCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Raised);
        l->installEventFilter(this);
        return l;
    };
    m_txtStrip1 = kopf("txtStrip1", QStringLiteral("Programm"));
    m_txtStrip2 = kopf("txtStrip2", QStringLiteral("Datenbank"));
    for (QWidget** p : {&m_pcbStrip1, &m_pcbStrip2}) {
        *p = new QWidget(this);
        (*p)->setMouseTracking(true);
        (*p)->setFocusPolicy(Qt::ClickFocus);
        (*p)->installEventFilter(this);
    }
    m_pcbStrip1->setObjectName(QStringLiteral("pcbStrip1"));
    m_pcbStrip2->setObjectName(QStringLiteral("pcbStrip2"));

    // "Programm"
    QWidget* s1 = m_pcbStrip1;
    m_lblVerfahren = beschriftung(s1, "lblVerfahren", QStringLiteral("Düngerberechnung:"), true, false);
    m_linie[0] = linie(s1);
    const char* const optimal[2] = {"immer das optimale Verfahren anwenden (ohne Überhänge)",
                                    "vor der Düngerauswahl abfragen, welches Verfahren diesmal angewendet werden soll"};
    for (int i = 0; i <= 1; ++i) {
        m_imgOptimal.anhaengen(optionsBild(s1, "imgOptimal"));
        m_lblOptimal.anhaengen(beschriftung(s1, "lblOptimal", QString::fromUtf8(optimal[i]), false, true));
        m_imgOptimal(i)->setObjectName(QStringLiteral("imgOptimal%1").arg(i));
        m_lblOptimal(i)->setObjectName(QStringLiteral("lblOptimal%1").arg(i));
    }
    m_lblFarbe = beschriftung(s1, "lblFarbe", QStringLiteral("Farbeinstellungen"), true, false);
    m_linie[1] = linie(s1);
    m_cmbHintergrund = knopf(s1, "cmbHintergrund", QStringLiteral("Hintergrund"));
    m_cmbHintergrund->setFont(schrift(false));

    // "Datenbank"
    QWidget* s2 = m_pcbStrip2;
    m_lblIntervall = beschriftung(s2, "lblIntervall", QStringLiteral("Intervall für die Datensicherung:"), true, true);
    m_txtIntervall = new QLineEdit(s2);
    m_txtIntervall->setObjectName(QStringLiteral("txtIntervall"));
    m_txtIntervall->setMaxLength(2);
    m_txtIntervall->setAlignment(Qt::AlignCenter);
    m_txtIntervall->setFont(schrift(false));
    m_txtIntervall->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), m_txtIntervall));
    m_txtIntervall->installEventFilter(this);
    connect(m_txtIntervall, &QLineEdit::textChanged, this, [this] { txtIntervall_Change(); });
    m_lblTage = beschriftung(s2, "lblTage", QStringLiteral("Tage"), true, false);
    m_cmbRepair = knopf(s2, "cmbRepair", QStringLiteral("Letzte Datensicherung wiederherstellen"));
    m_linie[2] = linie(s2);
    m_imgUpdate = optionsBild(s2, "imgUpdate");
    m_lblUpdate = beschriftung(s2, "lblUpdate", QStringLiteral("bei jedem Programmstart prüfen, ob Aktualisierungen vorhanden sind"),
                               true, true);
    m_cmbUpdate = knopf(s2, "cmbUpdate", QStringLiteral("jetzt auf Aktualisierungen prüfen"));
    m_linie[3] = linie(s2);
    m_imgSQL = optionsBild(s2, "imgSQL");
    m_lblSQL = beschriftung(s2, "lblSQL", QStringLiteral("Analysenergebnisse weitergeben"), true, true);
    m_cmdDatenSenden = knopf(s2, "cmdDatenSenden", QStringLiteral("jetzt Analysenwerte senden"));

    connect(m_cmbHintergrund, &QPushButton::clicked, this, [this] { cmbHintergrund_Click(); });
    connect(m_cmbRepair, &QPushButton::clicked, this, [this] { cmbRepair_Click(); });
    connect(m_cmbUpdate, &QPushButton::clicked, this, [this] { cmbUpdate_Click(); });
    connect(m_cmdDatenSenden, &QPushButton::clicked, this, [this] { cmdDatenSenden_Click(); });

    // the keyboard: the two page headers, the method pair and the two switches each one tab stop
    new forms::Optionsgruppe(this, {{m_txtStrip1}, {m_txtStrip2}}, [this] { return m_seite - 1; },
                             [this](int i) { txtStrip_Click(i + 1); });
    new forms::Optionsgruppe(
        this, {{m_imgOptimal(0), m_lblOptimal(0)}, {m_imgOptimal(1), m_lblOptimal(1)}},
        [] { return app().einstellungen.blnImmerOptimal ? 0 : 1; }, [this](int i) { imgOptimal_Click(i); });
    // a single switch is the tab stop whether on or off: its group is not told which
    new forms::Optionsgruppe(this, {{m_imgUpdate, m_lblUpdate}}, {}, [this](int) { imgUpdate_Click(); },
                             forms::Optionsgruppe::Art::Schalter);
    new forms::Optionsgruppe(this, {{m_imgSQL, m_lblSQL}}, {}, [this](int) { imgSQL_Click(); },
                             forms::Optionsgruppe::Art::Schalter);

    m_updateWacht.setInterval(250);
    connect(&m_updateWacht, &QTimer::timeout, this, [this] { sperreNachUpdate(); });
}

QLabel* frmEinstellungen::beschriftung(QWidget* seite, const char* name, const QString& text, bool fett, bool umbrechen)
{
    auto* l = new QLabel(text, seite);
    l->setObjectName(QLatin1String(name));
    l->setFont(schrift(fett));
    l->setWordWrap(umbrechen);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->installEventFilter(this);
    return l;
}

QPushButton* frmEinstellungen::knopf(QWidget* seite, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, seite);
    b->setObjectName(QLatin1String(name));
    b->setFont(schrift(true));
    b->setMouseTracking(true);
    // a move over a button stays with the button: the page's move handler would undo the highlight
    b->setAttribute(Qt::WA_NoMousePropagation);
    b->installEventFilter(this);
    return b;
}

forms::Bild* frmEinstellungen::optionsBild(QWidget* seite, const char* name)
{
    auto* b = new forms::Bild(seite);
    b->setObjectName(QLatin1String(name));
    b->setCursor(Qt::PointingHandCursor);
    b->installEventFilter(this);
    return b;
}

QFrame* frmEinstellungen::linie(QWidget* seite)
{
    auto* l = new QFrame(seite);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

void frmEinstellungen::optionZeigen(forms::Bild* bild, const QString& schluessel, const QString& tag)
{
    bild->setBild(m_imlEinstellungen.bild(schluessel));
    bild->setSchluessel(schluessel);
    if (!tag.isEmpty())
        forms::setTag(bild, tag);
}

// ---------------------------------------------------------------- load and unload

void frmEinstellungen::Form_Load()
{
    app().rahmen.strAktivesFenster = name();
    mdiZentral* haupt = ui().haupt.data();
    if (haupt)
        setWindowIcon(haupt->imlIcon().bild(QStringLiteral("Einstellungen")));
    einstellungenAnordnen();
    DialogZentrieren(this, haupt);
    frmEinstellungen_SeiteWaehlen(1);
    sperreNachUpdate();
    m_updateWacht.start();
}

bool frmEinstellungen::escapetaste()
{
    entladen();
    return true;
}

void frmEinstellungen::Form_Unload()
{
    m_updateWacht.stop();
    Seite::Form_Unload();
    if (mdiZentral* haupt = ui().haupt.data())
        haupt->activateWindow();
}

void EinstellungenAnordnen()
{
    if (auto* f = ui().fenster.fensterAls<frmEinstellungen>(QStringLiteral("frmEinstellungen")))
        f->einstellungenAnordnen();
}

// ---------------------------------------------------------------- pages

void frmEinstellungen::txtStrip_Click(int n)
{
    const bool eins = n == 1;
    forms::setFontBold(m_txtStrip1, eins);
    forms::setFontBold(m_txtStrip2, !eins);
    forms::setVisible(m_pcbStrip1, eins);
    forms::setVisible(m_pcbStrip2, !eins);
    (eins ? m_txtStrip1 : m_txtStrip2)->setFocus(); // the header of the page shown, where the arrow keys turn it
    m_seite = eins ? 1 : 2;
}

void frmEinstellungen::frmEinstellungen_SeiteWaehlen(int n)
{
    m_seite = n;
    (n == 2 ? m_pcbStrip2 : m_pcbStrip1)->raise();
    m_txtStrip1->setFocus();
}

// ---------------------------------------------------------------- options

void frmEinstellungen::imgOptimal_Click(int index)
{
    verfahrenWaehlen(index, app().einstellungen, app().bedarf);
    for (int i = 0; i <= 1; ++i)
        optionZeigen(m_imgOptimal(i), verfahrenBild(i, app().einstellungen.blnImmerOptimal));
}

void frmEinstellungen::imgUpdate_Click()
{
    const std::optional<QString> neu = optionUmschalten(forms::Tag(m_imgUpdate));
    if (!neu)
        return;
    app().einstellungen.strUpdatebeiStart = *neu;
    const OptionsBild o = optionFuer(*neu);
    optionZeigen(m_imgUpdate, o.bild, o.tag);
}

void frmEinstellungen::imgSQL_Click()
{
    const std::optional<QString> neu = optionUmschalten(forms::Tag(m_imgSQL));
    if (!neu)
        return;
    app().einstellungen.strDatenAufServer = *neu;
    const OptionsBild o = optionFuer(*neu);
    optionZeigen(m_imgSQL, o.bild, o.tag);
    // at once on the loaded pages; their layout then closes the gap or makes room again
    SendeKnoepfeZeigen(o.tag != QLatin1String("1"));
    ArbeitsbereichAnordnen(name());
}

void frmEinstellungen::txtIntervall_Change()
{
    if (m_txtIntervall->text().size() <= 2)
        m_txtIntervall->setMaxLength(2);
    if (const std::optional<int> tage = intervallAusText(m_txtIntervall->text()))
        app().einstellungen.intDS = *tage;
}

// ---------------------------------------------------------------- buttons

void frmEinstellungen::cmbHintergrund_Click()
{
    forms::Fenster* f = ui().fenster.zeigen(QStringLiteral("frmFarbWahl"));
    f->widget()->raise();
    f->widget()->activateWindow();
}

void frmEinstellungen::cmbUpdate_Click()
{
    if (!serverEingerichtet(kAktualisierenTitel,
                            keinServerText(QStringLiteral("die Aktualisierung")) + QStringLiteral(" Die Daten wurden nicht aktualisiert.")))
        return;
    if (ui().datenJetztAktualisieren)
        ui().datenJetztAktualisieren();
    else
        melden(QStringLiteral("Die Aktualisierung der Daten ist in dieser Programmversion nicht verfügbar."),
               Meldung::Symbol::Information);
}

void frmEinstellungen::cmdDatenSenden_Click()
{
    if (!serverEingerichtet(kUebertragungTitel, keinServerText(QStringLiteral("das Senden"))
                                                    + QStringLiteral(" Die Analysen und Nmin-Werte wurden nicht gesendet.")))
        return;
    if (ui().datenSenden)
        ui().datenSenden();
    else
        melden(QStringLiteral("Das Senden der Daten ist in dieser Programmversion nicht verfügbar."),
               Meldung::Symbol::Information);
}

void frmEinstellungen::sperreNachUpdate() { m_cmbRepair->setEnabled(!app().rahmen.blnUpdateLaeuft); }

// ---------------------------------------------------------------- mouse and keys

void frmEinstellungen::pcbStrip_MouseMove(int n)
{
    const Einstellungen& e = app().einstellungen;
    const std::vector<QPushButton*> knoepfe =
        n == 1 ? std::vector<QPushButton*>{m_cmbHintergrund} : std::vector<QPushButton*>{m_cmbUpdate, m_cmbRepair, m_cmdDatenSenden};
    for (QPushButton* b : knoepfe)
        if (forms::BackColor(b) == benutzerFarbeHell(e))
            forms::setBackColor(b, benutzerFarbe(e));
}

bool frmEinstellungen::eventFilter(QObject* o, QEvent* e)
{
    const QEvent::Type t = e->type();
    if (t == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        for (int i = 0; i <= 1; ++i)
            if (o == m_imgOptimal(i) || o == m_lblOptimal(i))
                imgOptimal_Click(i);
        if (o == m_imgUpdate || o == m_lblUpdate)
            imgUpdate_Click();
        if (o == m_imgSQL || o == m_lblSQL)
            imgSQL_Click();
    } else if ((t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick) && (o == m_txtStrip1 || o == m_txtStrip2)) {
        txtStrip_Click(o == m_txtStrip1 ? 1 : 2);
        return true;
    } else if (t == QEvent::MouseMove || t == QEvent::Enter) {
        if (auto* b = qobject_cast<QPushButton*>(o))
            Hervorheben(b);
        else if (t == QEvent::MouseMove && (o == m_pcbStrip1 || o == m_pcbStrip2))
            pcbStrip_MouseMove(o == m_pcbStrip1 ? 1 : 2);
    } else if (t == QEvent::KeyPress && o == m_txtIntervall) {
        // digits, backspace and Enter; any other character beeps and is dropped
        const auto* k = static_cast<QKeyEvent*>(e);
        const QString text = k->text();
        const bool zeichen = text.size() == 1 && text.at(0).isPrint() && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (zeichen && !(text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9'))) {
            ZahlenFilter::piepen();
            return true;
        }
    }
    return Seite::eventFilter(o, e);
}

} // namespace kav
