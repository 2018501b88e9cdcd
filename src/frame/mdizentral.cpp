#include "frame/mdizentral.h"

#include "frame/bilder.h"
#include "frame/dialogplatz.h"
#include "frame/fensterplatz.h"
#include "frame/frmintro.h"
#include "frame/frmtoolbar.h"
#include "frame/hilfe.h"
#include "frame/klicksperre.h"
#include "frame/kontakt.h"
#include "frame/links.h"
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "frame/seitenwechsel.h"
#include "frame/wartezeiger.h"
#include "platform/farbverlaufzeichnen.h"
#include "platform/rounding.h"
#include "platform/tabfolge.h"
#include "services/appcontext.h"
#include "services/programmstart.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QWindow>

namespace kav {

mdiZentral::mdiZentral(QWidget* eltern)
    : QMainWindow(eltern), forms::Fenster(QStringLiteral("mdiZentral")),
      m_platzBekannt(!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
    setObjectName(QStringLiteral("mdiZentral"));
    setWindowTitle(kTitel);
    m_arbeitsbereich = new QWidget(this);
    m_arbeitsbereich->setObjectName(QStringLiteral("Arbeitsbereich"));
    setCentralWidget(m_arbeitsbereich);

    m_stb = statusBar();
    m_stb->setObjectName(QStringLiteral("stbZentral"));
    m_stb->setSizeGripEnabled(true);
    m_panel1 = new QLabel(m_stb);
    m_panel1->setObjectName(QStringLiteral("stbPanel1"));
    m_panel2 = new QLabel(m_stb);
    m_stb->addWidget(m_panel1);
    m_stb->addWidget(m_panel2, 1);
    m_stb->installEventFilter(this);
    m_panel1->installEventFilter(this);
    m_panel2->installEventFilter(this);

    m_imlIcon = iconListe();
    m_imlCursor = cursorListe();
    menuesAnlegen();

    m_timResize.setSingleShot(true);
    m_timResize.setInterval(0);
    connect(&m_timResize, &QTimer::timeout, this, &mdiZentral::timResize_Timer);
    m_timRahmen.setSingleShot(true);
    m_timRahmen.setInterval(500);
    connect(&m_timRahmen, &QTimer::timeout, this, &mdiZentral::rahmenTimer);

    Oberflaeche& o = ui();
    o.haupt = this;
    o.fenster.setEltern(m_arbeitsbereich, this);
    o.fenster.eintragen(this);
    // one click, one step from the first click on: the intro's double-click shows a page before any
    // guarded button exists
    Klicksperre::uhrStarten();
}

mdiZentral::~mdiZentral()
{
    m_timResize.stop();
    m_timRahmen.stop();
    // the pages go before the main window's own parts
    for (forms::Fenster* f : ui().fenster.geladene())
        if (f != this)
            ui().fenster.entladen(f);
}

// ---------------------------------------------------------------- sizes

double mdiZentral::Height() const { return geometry().marginsAdded(fensterRand()).height() * forms::twipsProPixel(); }
double mdiZentral::Width() const { return geometry().marginsAdded(fensterRand()).width() * forms::twipsProPixel(); }
double mdiZentral::Top() const { return platzUndGroesse().y() * forms::twipsProPixel(); }
double mdiZentral::Left() const { return platzUndGroesse().x() * forms::twipsProPixel(); }
double mdiZentral::ScaleHeight() const { return height() * forms::twipsProPixel(); }
double mdiZentral::ScaleWidth() const { return width() * forms::twipsProPixel(); }

int mdiZentral::WindowState() const
{
    const Qt::WindowStates s = windowState();
    if (s & Qt::WindowMinimized)
        return 1;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return 2;
    return 0;
}

void mdiZentral::setPanelText(const QString& text) { m_panel1->setText(text); }
QString mdiZentral::panelText() const { return m_panel1->text(); }

void mdiZentral::ArbeitsbereichErmitteln(const QScreen* s)
{
    Rahmen& r = app().rahmen;
    if (!s)
        s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect ab = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    const double tpp = forms::twipsProPixel();
    r.sngArbeitsbereichOben = static_cast<float>(ab.top());
    r.sngArbeitsbereichLinks = static_cast<float>(ab.left());
    r.sngArbeitsbereichHoehe = static_cast<float>(ab.height() * tpp);
    r.sngArbeitsbereichBreite = static_cast<float>(ab.width() * tpp);
}

// ---------------------------------------------------------------- start-up

bool mdiZentral::MDIForm_Load(const QString& programmOrdner, const QString& iniPfad)
{
    AppContext& a = app();
    Rahmen& r = a.rahmen;
    m_blnLaden = true;
    // the intro's logo takes a while to read: it is read meanwhile
    logoVorausLesen(programmOrdner + QStringLiteral("/Bilder/Logo_Kav.gif"));
    ArbeitsbereichErmitteln();
    // settings, paths, program id, databases, data-collection server
    if (!DiensteStarten(a, programmOrdner, iniPfad)) {
        logoVorausVerwerfen();
        m_blnLaden = false;
        m_beendet = true;
        return false;
    }
    fensterPlatzieren();
    m_blnLaden = false;
    r.intInnenBreite = rundenGanz(ScaleWidth());
    r.intInnenHoehe = rundenGanz(ScaleHeight());
    r.strLexikonAnzeige = QStringLiteral("Einleitung");
    ArbeitsbereichAnordnen(objectName());
    try {
        ui().fenster.zeigen(QStringLiteral("frmIntro"));
    } catch (const std::exception&) {
        // without the intro the program still runs; the user starts from the navigation bar
    }
    logoVorausVerwerfen(); // the intro took it, or it has none
    setPanelText(infoText());
    setWindowTitle(kTitel);
    if (updateBeiStartFaellig(a.einstellungen.datLetztesUpdate, a.einstellungen.strUpdatebeiStart, a.uhr->now().date())
        && ui().datenAktualisieren)
        ui().datenAktualisieren();
    BedarfVariablenZuruecksetzen(a.bedarf, 0);
    m_geladen = true;
    return true;
}

// ---------------------------------------------------------------- shutdown

void mdiZentral::closeEvent(QCloseEvent* e)
{
    // a page holding input not yet stored asks first; the user may stay
    if (!m_beendet && !SeitenVerlassenErlaubt()) {
        e->ignore();
        return;
    }
    MDIForm_Unload();
    e->accept();
}

void mdiZentral::systemEnde()
{
    // an upload waiting for the server is broken off; the end follows once its command is done
    if (WarteZeiger::aktiv())
        return WarteZeiger::danach([haupt = QPointer<mdiZentral>(this)] {
            if (haupt)
                haupt->systemEnde();
        });
    MDIForm_Unload();
    QCoreApplication::quit();
}

void mdiZentral::MDIForm_Unload()
{
    if (m_beendet)
        return;
    m_beendet = true;
    m_timResize.stop();
    m_timRahmen.stop();
    // the dialogs close first: what one holds back (a colour only tried out) is settled before the settings are stored
    for (forms::Fenster* f : ui().fenster.geladene())
        if (f->art() == forms::Fenster::Art::Dialog)
            ui().fenster.entladen(f);
    AppContext& a = app();
    Rahmen& r = a.rahmen;
    const double tpp = forms::twipsProPixel();
    // a minimised window is stored in the state it had before: the program never starts minimised
    r.strAnsicht = windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen) ? QStringLiteral("2") : QStringLiteral("0");
    // Place and size are those of the normal window, as the start gives them: kept while the window was
    // normal (a maximised or minimised window stores the ones it had before, so that the next start
    // restores to them); a window never shown has the ones the start or the program gave it. Never below
    // the smallest size (a size stored below it, in a window that was never normal since). A place the
    // window system does not tell is not stored.
    const QRect normal = WindowState() == 0 && !isVisible() ? platzUndGroesse() : m_normalGeometrie;
    const QSize kleinste = minimumSize().isEmpty() ? kleinsteInnen(fensterRand()) : minimumSize();
    const QSize groesse = normal.size().expandedTo(kleinste);
    if (m_platzBekannt) {
        r.sngTop = massInTwips(r.sngTop, normal.y(), tpp);
        r.sngLeft = massInTwips(r.sngLeft, normal.x(), tpp);
    }
    r.sngHoehe = massInTwips(r.sngHoehe, groesse.height(), tpp);
    r.sngBreite = massInTwips(r.sngBreite, groesse.width(), tpp);
    DiensteBeenden(a, [] {
        FormulareEntladen(false);
        for (const char* name : {"frmToolbar", "frmBrotkrume", "frmTitel"})
            ui().fenster.entladen(QLatin1String(name));
        HilfeSchliessen();
    });
}

// ---------------------------------------------------------------- status bar and menus

bool mdiZentral::eventFilter(QObject* o, QEvent* e)
{
    if (o == windowHandle()) {
        if (e->type() == QEvent::Expose && m_freilegungAbwarten && windowHandle()->isExposed()) {
            m_freilegungAbwarten = false;
            gezeigt();
        } else if (e->type() == QEvent::WindowStateChange && e->spontaneous()) {
            zustandGemeldet();
        }
    }
    if (e->type() == QEvent::MouseButtonRelease && (o == m_stb || o == m_panel1 || o == m_panel2)) {
        stbZentral_PanelClick();
        return true; // once per click, not again for the bar behind the panel
    }
    return QMainWindow::eventFilter(o, e);
}

bool mdiZentral::focusNextPrevChild(bool next)
{
    return forms::tabSchritt(this, next, [this](bool n) { return QMainWindow::focusNextPrevChild(n); });
}

void mdiZentral::stbZentral_PanelClick()
{
    if (panelText() == infoText()) {
        setCursor(Qt::ForbiddenCursor);
        InternetSeiteOeffnen(kHerstellerWeb);
    }
    unsetCursor();
}

void mdiZentral::menuesAnlegen()
{
    struct Punkt {
        int menue;
        const char* name;
        const char* text; // nullptr: separator
    };
    static const Punkt punkte[] = {
        {1, "mnuUmschalt", "Alles anzeigen"},       {1, "mnuStrich2", nullptr},
        {1, "mnuGruEbene1", "Neue Gruppierung"},    {1, "mnuFlaecheE1", "Neue Fläche"},
        {2, "mnuGruEbene2", "Neue Gruppierung"},    {2, "mnuNeueFlache", "Neue Fläche"},
        {2, "mnuStrich1", nullptr},                 {2, "mnuGrpAendern", "Ändern"},
        {2, "mnuGrpLoeschen", "Löschen"},           {3, "mnuFlaAendern", "Ändern"},
        {3, "mnuFlaLoeschen", "Löschen"},           {4, "mnuKulturLoeschen", "Kultur löschen"},
        {5, "mnuDuengerInfo", "Informationen anzeigen"}, {5, "mnuDuengerEdit", "Dünger bearbeiten"},
        {5, "mnuDuengerLoeschen", "Dünger löschen"}, {6, "mnuKalkEdit", "Kalkdünger bearbeiten"},
        {6, "mnuKalkLoeschen", "Kalkdünger löschen"}, {7, "mnuAnalyseLoeschen", "Analyse löschen"},
    };
    for (int i = 1; i <= 7; ++i) {
        auto* m = new QMenu(this);
        m->setObjectName(QStringLiteral("mnuPopUp%1").arg(i));
        m_menues.append(m);
    }
    for (const Punkt& p : punkte) {
        QMenu* m = m_menues[p.menue - 1];
        QAction* a = p.text ? m->addAction(QString::fromUtf8(p.text)) : m->addSeparator();
        a->setObjectName(QLatin1String(p.name));
    }
}

QMenu* mdiZentral::mnuPopUp(int nr) const { return nr >= 1 && nr <= m_menues.size() ? m_menues[nr - 1] : nullptr; }

QAction* mdiZentral::menuePunkt(const QString& name) const
{
    for (QMenu* m : m_menues)
        for (QAction* a : m->actions())
            if (a->objectName() == name)
                return a;
    return nullptr;
}

// ---------------------------------------------------------------- layout block

void mdiZentral::anordnen(Anordnung& a)
{
    using namespace forms;
    const QColor c = a.C();
    a.tu([&] { setBackColor(this, c); });
    a.tu([&] { setBackColor(m_arbeitsbereich, c); });
    a.tu([&] { m_stb->setFixedHeight(pixelVon(ScaleHeight() / 25)); });
    a.tu([&] {
        const double breite = Width() - 3000;
        if (breite < 0)
            throw FormsFehler(QStringLiteral("Statusfeld zu schmal"));
        m_panel1->setFixedWidth(pixelVon(breite));
    });
    a.tu([&] {
        setFontSize(m_stb, a.F() - 1);
        setFontSize(m_panel1, a.F() - 1);
    });
    a.tu([&] { a.farbverlauf(m_arbeitsbereich); });

    // the navigation bar, when it is loaded (a pass never loads a window)
    auto* tb = ui().fenster.fensterAls<frmToolbar>(QStringLiteral("frmToolbar"));
    if (!tb)
        return;
    const Rahmen& r = a.rahmen();
    a.tu([&] { Tw(tb).setLeft(0); });
    a.tu([&] { Tw(tb).setTop(0); });
    a.tu([&] { Tw(tb).setHeight(r.sngHoeheStart / 10.0); });
    a.tu([&] { Tw(tb).setWidth(r.sngBreiteStart); });
    a.tu([&] { setBackColor(tb, c); });
    static const char* const bilder[] = {"WerteEintragen", "Waage", "Lexikon", "Hilfe", "Einstellungen", "Info", "Ende1"};
    for (int i = 1; i <= 7; ++i) {
        a.tu([&] { setBackColor(tb->cmbMenu(i), c); });
        a.tu([&] { setFontSize(tb->cmbMenu(i), a.F()); });
        a.tu([&] { setFontBold(tb->cmbMenu(i), true); });
        a.tu([&] { Tw(tb->cmbMenu(i)).setHeight(Tw(tb).Height() * 0.95); });
        a.tu([&] { Tw(tb->cmbMenu(i)).setTop(0); });
        a.tu([&] { Tw(tb->cmbMenu(i)).setWidth(Tw(tb).Width() / 7.02); });
        a.tu([&] {
            const double w = Tw(tb->cmbMenu(i)).Width();
            Tw(tb->cmbMenu(i)).setLeft((i - 1) * w + w * 0.01);
        });
        a.tu([&] { tb->setBild(i, QLatin1String(bilder[i - 1])); });
    }
}

} // namespace kav
