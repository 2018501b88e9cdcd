#pragma once
// The main window: work area for the pages, status bar, the pictures of the buttons, the pop-up
// menus, start-up and shutdown, and the deferred relayout after a resize.
#include "frame/anordnung.h"
#include "platform/bildliste.h"
#include "platform/fenster.h"

#include <QMainWindow>
#include <QTimer>

class QLabel;
class QMenu;
class QAction;
class QStatusBar;
class QScreen;

namespace kav {

class mdiZentral : public QMainWindow, public forms::Fenster, public Anordenbar {
    Q_OBJECT
public:
    explicit mdiZentral(QWidget* eltern = nullptr);
    ~mdiZentral() override;

    QWidget* widget() override { return this; }
    Art art() const override { return Art::Hauptfenster; }

    // The start-up: settings, databases, placement of the window, layout, intro window. False when
    // the program cannot work (it runs already with this data folder, or a database neither opens nor
    // can be restored).
    bool MDIForm_Load(const QString& programmOrdner, const QString& iniPfad);
    // Shows the window in the state the start-up placed it in.
    void zeigen();
    // The shutdown (runs once; also when the window is closed).
    void MDIForm_Unload();
    // The end the system asks for (SIGTERM, SIGHUP): the normal shutdown (settings, backup,
    // temporary files) without questions, then the event loop ends.
    void systemEnde();
    bool beendet() const { return m_beendet; }

    // The work area of the window's screen (of `s`, where the window is placed on it).
    void ArbeitsbereichErmitteln(const QScreen* s = nullptr);

    // Outer size and place (with the frame the window system tells), inner size of the window, in twips.
    double Height() const;
    double Width() const;
    double Top() const;
    double Left() const;
    double ScaleHeight() const;
    double ScaleWidth() const;
    // 0 normal, 1 minimised, 2 maximised
    int WindowState() const;

    QWidget* arbeitsbereich() const { return m_arbeitsbereich; }
    QStatusBar* stbZentral() const { return m_stb; }
    QLabel* stbPanel1() const { return m_panel1; }
    void setPanelText(const QString& text);
    QString panelText() const;

    forms::BildListe& imlIcon() { return m_imlIcon; }
    const forms::BildListe& imlIcon() const { return m_imlIcon; }
    forms::BildListe& imlCursor() { return m_imlCursor; }

    QMenu* mnuPopUp(int nr) const; // 1 to 7, nullptr for others
    QAction* menuePunkt(const QString& name) const;

    QTimer& timResize() { return m_timResize; }
    // The check of the frame a while after the shown window's first exposure, where the frame was not
    // known then; the check of the normal window a while after it is first normal, where its size then
    // still reached across the work area; the wait for the window system's answer to a maximised start.
    QTimer& timRahmen() { return m_timRahmen; }
    // The normal window's place (its outer corner) and inner size, as the end stores them.
    QRect normalGeometrie() const { return m_normalGeometrie; }
    // Where the window system cannot tell the window's place (Wayland), the end keeps the stored one.
    void platzBekanntSetzen(bool bekannt) { m_platzBekannt = bekannt; }
    // The normal window's size kept and the relayout timer armed (on every size change; a state change
    // arms the timer alone).
    void MDIForm_Resize();
    void timResize_Timer();
    long relayouts() const { return m_relayouts; }

    void anordnen(Anordnung& a) override;
    bool rahmenstreifen() const override { return true; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    // Tab and Shift+Tab through the navigation bar, the breadcrumb strip and the page in reading order.
    bool focusNextPrevChild(bool next) override;
    // The frame the window system tells (null while it does not know it: under X11 until the window
    // manager has taken the window).
    virtual QMargins fensterRand() const;

private:
    void timerScharfMachen();
    void stbZentral_PanelClick();
    void menuesAnlegen();
    void fensterPlatzieren();
    void gezeigt();
    void rahmenPruefen();
    void rahmenTimer();
    void normalPruefen(const QRect& normal);
    void ersteNormalePruefen(bool sonstWarten);
    void maximieren();
    void ohneFensterManagerMaximieren();
    void zustandGewechselt();
    void zustandGemeldet();
    QRect freierBereich() const;
    QRect platzUndGroesse() const;
    QRect platzImFenstersystem() const;
    void referenzGroesseSetzen();
    void normalMerken();
    void normalSetzen(const QRect& normal);
    void mindestGroesseSetzen();
    QSize kleinsteInnen(const QMargins& rand) const;
    bool reichtUeberArbeitsbereich(const QRect& innen) const;

    QWidget* m_arbeitsbereich = nullptr;
    QStatusBar* m_stb = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    forms::BildListe m_imlIcon;
    forms::BildListe m_imlCursor;
    QList<QMenu*> m_menues;
    QTimer m_timResize;
    QTimer m_timRahmen;
    bool m_blnLaden = false;
    bool m_beendet = false;
    bool m_geladen = false;
    long m_relayouts = 0;
    // Place (the outer corner) and inner size of the window in its normal state (what the settings keep):
    // from the start, then as the normal window is moved and sized; a maximised window keeps it for the end.
    QRect m_normalGeometrie;
    // the last of them that did not reach across the work area: a window manager may size the window
    // before it reports the maximised state
    QRect m_normalZuvor;
    QRect m_startGeometrie; // the place and inner size the start gave the window
    QSize m_rand; // the thickest frame seen around the normal window
    bool m_normalHalten = false; // the window takes the work area itself (no window manager)
    bool m_maximieren = false;   // a maximised start, once the normal window is checked
    bool m_maximierenOffen = false; // the program's maximise, until the window system answers it
    bool m_geprueft = false;     // the frame checked after the first show
    bool m_normalOffen = false;  // the frame checked while the window was not normal: the first normal window still to check
    bool m_freilegungAbwarten = false; // shown, the frame check waits for the first exposure
    bool m_platzBekannt = true;
};

} // namespace kav
