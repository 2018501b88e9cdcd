// The main window's place, size and state from one start to the next, under the offscreen platform and
// under window managers of the test's own.
#include "frame/frmintro.h"
#include "platform/settingsstore.h"
#include "rahmenfixture.h"
#include "services/einstellungen.h"

#include <QScreen>
#include <QTest>

#include <vector>

using namespace kav;

namespace {

// A window manager of its own, where the offscreen platform's (a frame 2 pixels wide all round, known
// before the window shows, every state given at once) cannot show a fault: the frame it draws, known once the
// window is shown (as under X11), the window put inside it at the place asked for; the state it gives the
// window as it maps it (a window stored near the screen's size maximised, or minimised for a moment); or
// every maximise the program asks for refused (its answer never comes).
struct Fensterverwalter {
    QMargins rand;
    Qt::WindowState abbilden = Qt::WindowNoState;
    bool verweigert = false;
};

class VerwaltetesFenster final : public mdiZentral {
public:
    explicit VerwaltetesFenster(const Fensterverwalter& fm) : m_fm(fm) {}

protected:
    QMargins fensterRand() const override { return isVisible() ? m_fm.rand : QMargins(); }
    void showEvent(QShowEvent* e) override
    {
        mdiZentral::showEvent(e);
        setGeometry(QRect(normalGeometrie().topLeft() + QPoint(m_fm.rand.left(), m_fm.rand.top()), size()));
        if (m_fm.abbilden != Qt::WindowNoState)
            windowHandle()->setWindowStates(m_fm.abbilden);
    }
    void changeEvent(QEvent* e) override
    {
        // the platform maximised the window at once: what it reports of that and of the restore after it
        // never reaches the program
        if (m_fm.verweigert && e->type() == QEvent::WindowStateChange && !e->spontaneous() && isMaximized())
            m_ungesehen = 2;
        mdiZentral::changeEvent(e);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        const QEvent::Type t = e->type();
        if (!m_ungesehen || o != windowHandle() || !e->spontaneous()
            || (t != QEvent::Move && t != QEvent::Resize && t != QEvent::Expose && t != QEvent::WindowStateChange))
            return mdiZentral::eventFilter(o, e);
        if (t == QEvent::WindowStateChange && --m_ungesehen)
            windowHandle()->setWindowStates(Qt::WindowNoState);
        return true;
    }

private:
    Fensterverwalter m_fm;
    int m_ungesehen = 0; // state reports still to hide
};

// The settings keep the place of the normal window's outer corner (its frame's, where the title bar begins)
// and the size of its inner area, as the start gives them: a start and an end without a resize leave them as
// they were, for a window with a frame too (the offscreen platform gives every window one; openbox one whose
// title bar is higher than its sides are wide) and for values that are no whole number of pixels, on every
// edge of the work area. The frame's size stored and given as the inner size grew the window by its frame at
// every start; a place on the left or top edge taken for the frame's at the start and stored as the inner
// area's at the end moved the window by its frame at every start, and the frame's left and top taken for each
// other moved it down and left. Once the frame is known and the window normal, the whole frame comes within
// the work area (the window smaller where the work area is), for a maximised start before it is maximised (a
// first start's restore showed the title bar beyond the work area); the smallest size is the same after every
// kind of start, below the work area (a window manager maximises only a window whose minimum leaves it room),
// and the pages are laid out for the size with the frame. A window manager that maps the window maximised or
// minimised left it without a minimum and its frame beyond the work area for the whole run; a size stored
// below the smallest one came back at the end. Maximised, the end stores the normal place and size from
// before; the next start opens maximised on them and a restore gives them back; a maximise the window manager
// refuses leaves the window normal, and so it is stored. A restored window is normal before it has its normal
// size, and its frame may then reach beyond the work area (under a window manager, the normal window's frame
// around the maximised size): that size was brought within the work area and kept as the normal one, and the
// window stayed that big. A window manager reports a new state and its size in an order of its own: one that
// sized the window before it reported the maximised state (the size seen in the normal state) had that size
// kept as the normal one, and the program's resize to bring it within the work area ended the maximise; one
// that restores to a normal size beyond the work area had it cut.
class FensterGroesseTest : public test::RahmenTest {
protected:
    // How a new state reaches the window: from the program (the state, then the size), or from a window
    // manager that reports the size first or the state first.
    enum class Weg { Programm, GroesseZuerst, ZustandZuerst };
    static void zustandSetzen(mdiZentral& h, Qt::WindowState zustand, Weg weg)
    {
        if (weg == Weg::Programm)
            return h.setWindowState(zustand);
        // the offscreen platform sizes the window, then reports the state; a state that comes first is
        // the one the window learns before the platform does anything
        if (weg == Weg::ZustandZuerst)
            h.overrideWindowState(zustand);
        h.windowHandle()->setWindowStates(zustand);
    }
    static constexpr const char* kNamen[] = {"Kav-Ansicht", "Kav-Breite", "Kav-Hoehe", "Kav-Left", "Kav-Top"};
    // The stored state, width, height, left and top, as in gespeichert(); "ohne": no settings at all.
    void einstellen(const QString& werte)
    {
        if (werte == "ohne") {
            QFile::remove(ini());
            return;
        }
        SettingsStore s(ini());
        for (int i = 0; i < 5; ++i)
            s.RegistrySchreiben(schluessel::einstellungen, kNamen[i], werte.split(' ')[i]);
    }
    QString gespeichert() const
    {
        QStringList w;
        for (const char* name : kNamen)
            w << SettingsStore(ini()).RegistryWertLesen(schluessel::einstellungen, name);
        return w.join(' ');
    }
    // A start as the program makes it, under the offscreen platform or the window manager `fm`: the window
    // shown, the frame checked (a window mapped minimised then made normal by the window manager, and then
    // checked) and the window maximised then, where the settings say so. `oben`: the work area begins that far
    // below the screen's top (a panel).
    mdiZentral& zeigen(const Fensterverwalter* fm, int oben = 0)
    {
        if (fm)
            hauptfenster = [fm] { return std::make_unique<VerwaltetesFenster>(*fm); };
        mdiZentral& h = starten();
        hauptfenster = nullptr;
        app().rahmen.sngArbeitsbereichOben += static_cast<float>(oben);
        app().rahmen.sngArbeitsbereichHoehe -= static_cast<float>(oben * 15);
        h.zeigen();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&h, 10000));
        if (fm && fm->abbilden == Qt::WindowMinimized) {
            EXPECT_EQ(h.WindowState(), 1);
            zustandSetzen(h, Qt::WindowNoState, Weg::GroesseZuerst);
        }
        EXPECT_TRUE(QTest::qWaitFor([&h] {
            return !h.timRahmen().isActive() && h.WindowState() != 1
                && (h.WindowState() == 0 || h.frameGeometry() == h.screen()->availableGeometry());
        }, 10000));
        return h;
    }
    // The frame the window system tells, the offscreen platform's or the window manager's.
    static QMargins rahmen(const mdiZentral& h, const Fensterverwalter* fm)
    {
        return fm ? fm->rand : h.windowHandle()->frameMargins();
    }
    // The place of the window's outer corner and its inner size, as the settings keep them.
    static QRect platz(const mdiZentral& h, const QMargins& rand)
    {
        return QRect(h.geometry().topLeft() - QPoint(rand.left(), rand.top()), h.size());
    }
};

TEST_F(FensterGroesseTest, StartUndEndeLassenGroesseUndPlatzWieSieWaren)
{
    // the settings before the start (empty: as the end before left them), the window manager (none: the
    // offscreen platform's), the states the user then gives the window and how they reach it, the normal
    // window's place and inner size, the settings after the end, a panel above the work area (pixels)
    const QRect klein(20, 15, 760, 570);
    const QRect gross(2, 2, 790, 700); // the frame within the screen, beyond the work area of the steps
    const QRect ecke(36, 226, 760, 570); // the frame in the bottom right corner of the 800 x 800 screen
    const Fensterverwalter openbox{{1, 22, 1, 1}}; // a title bar of 22 pixels, sides of 1
    const Fensterverwalter maximierend{{4, 28, 4, 4}, Qt::WindowMaximized}; // GNOME's, KDE's, Xfce's
    const Fensterverwalter minimierend{{3, 24, 3, 3}, Qt::WindowMinimized}; // fvwm3
    const Fensterverwalter verweigernd{{2, 2, 2, 2}, Qt::WindowNoState, true};
    using enum Weg;
    const struct {
        const char* vorher;
        const Fensterverwalter* fm;
        std::vector<Qt::WindowState> zustaende;
        Weg weg;
        QRect normal;
        const char* danach;
        int oben;
    } faelle[] = {
        {"0 11400 8550 300 225", nullptr, {}, Programm, klein, "0 11400 8550 300 225", 0}, // the tester's, the smallest size
        {"0 11707 9001 151 307", nullptr, {}, Programm, QRect(10, 20, 780, 600), "0 11707 9001 151 307", 0}, // no whole pixels: kept as written
        {"0 11400 8550 300 225", nullptr, {Qt::WindowMaximized}, Programm, klein, "2 11400 8550 300 225", 0},
        {"", nullptr, {}, Programm, klein, "2 11400 8550 300 225", 0},
        {"", nullptr, {Qt::WindowNoState}, Programm, klein, "0 11400 8550 300 225", 0},
        {"0 11400 8550 300 225", nullptr, {Qt::WindowMaximized, Qt::WindowNoState}, Programm, klein, "0 11400 8550 300 225", 0},
        {"0 11400 8550 300 225", nullptr, {Qt::WindowMaximized}, GroesseZuerst, klein, "2 11400 8550 300 225", 0},
        {"0 11400 8550 300 225", nullptr, {Qt::WindowMaximized, Qt::WindowNoState, Qt::WindowMaximized}, GroesseZuerst, klein, "2 11400 8550 300 225", 0},
        {"2 11400 8550 300 225", nullptr, {Qt::WindowNoState, Qt::WindowMaximized}, GroesseZuerst, klein, "2 11400 8550 300 225", 0},
        {"0 11850 10500 30 30", nullptr, {Qt::WindowMaximized, Qt::WindowNoState}, GroesseZuerst, gross, "0 11850 10500 30 30", 0},
        {"0 11850 10500 30 30", nullptr, {Qt::WindowMaximized, Qt::WindowNoState}, ZustandZuerst, gross, "0 11850 10500 30 30", 0},
        {"2 11850 10500 30 30", nullptr, {Qt::WindowNoState}, ZustandZuerst, gross, "0 11850 10500 30 30", 0},
        // on the left and the top edge the frame stays there, after a maximise and a restore too; on the right
        // and the bottom edge and in the corner the frame reaching past the work area comes within it, a
        // window larger than the work area gets its size
        {"0 11400 8550 0 1500", nullptr, {Qt::WindowMaximized, Qt::WindowNoState}, GroesseZuerst, QRect(0, 100, 760, 570), "0 11400 8550 0 1500", 0},
        {"0 11400 8550 300 0", nullptr, {Qt::WindowMaximized, Qt::WindowNoState}, ZustandZuerst, QRect(20, 0, 760, 570), "0 11400 8550 300 0", 0},
        {"0 11400 8550 600 1500", nullptr, {}, Programm, QRect(36, 100, 760, 570), "0 11400 8550 540 1500", 0},
        {"0 11400 8550 300 3450", nullptr, {}, Programm, QRect(20, 226, 760, 570), "0 11400 8550 300 3390", 0},
        {"0 11400 8550 600 3450", nullptr, {}, Programm, ecke, "0 11400 8550 540 3390", 0},
        {"0 12000 12000 600 3450", nullptr, {}, Programm, QRect(0, 0, 796, 796), "0 11940 11940 0 0", 0},
        {"2 11400 8550 600 3450", nullptr, {Qt::WindowNoState}, GroesseZuerst, ecke, "0 11400 8550 540 3390", 0},
        // a first start, restored: the title bar below the panel, the frame within the work area below it,
        // which is lower than the smallest size
        {"ohne", nullptr, {Qt::WindowNoState}, Programm, QRect(0, 240, 760, 556), "0 11400 8340 0 3600", 240},
        // a size stored below the smallest one opens at the smallest, and that is stored
        {"0 10500 7500 300 225", nullptr, {}, Programm, QRect(20, 15, 756, 566), "0 11340 8490 300 225", 0},
        {"2 10500 7500 300 225", nullptr, {Qt::WindowNoState}, Programm, QRect(20, 15, 756, 566), "0 11340 8490 300 225", 0},
        // a frame whose title bar is higher than its sides are wide: in the middle, maximised and restored, and
        // in the corner
        {"0 11400 8550 300 225", &openbox, {Qt::WindowMaximized, Qt::WindowNoState}, GroesseZuerst, klein, "0 11400 8550 300 225", 0},
        {"0 11400 8550 600 3450", &openbox, {}, Programm, QRect(38, 207, 760, 570), "0 11400 8550 570 3105", 0},
        // mapped maximised: restored (to a frame beyond the screen, which comes within it) or never normal,
        // the end stores no size below the smallest
        {"0 12000 11700 0 0", &maximierend, {Qt::WindowNoState}, GroesseZuerst, QRect(0, 0, 792, 768), "0 11880 11520 0 0", 0},
        {"2 10500 7500 300 225", &maximierend, {Qt::WindowNoState, Qt::WindowMaximized}, ZustandZuerst, QRect(20, 15, 752, 538), "2 11280 8070 300 225", 0},
        {"0 10500 7500 300 225", &maximierend, {}, Programm, QRect(20, 15, 700, 500), "2 11280 8070 300 225", 0},
        // mapped minimised, from a place beyond the screen's corner: the frame within the work area, and a
        // maximised start maximised after that
        {"0 11400 8550 6000 6000", &minimierend, {}, Programm, QRect(34, 203, 760, 570), "0 11400 8550 510 3045", 0},
        {"2 11400 8550 6000 6000", &minimierend, {Qt::WindowNoState}, Programm, QRect(34, 203, 760, 570), "0 11400 8550 510 3045", 0},
        // a first start whose maximise the window manager refuses: normal
        {"ohne", &verweigernd, {}, Programm, QRect(0, 0, 760, 570), "0 11400 8550 0 0", 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(&f - faelle);
        if (*f.vorher)
            einstellen(f.vorher);
        const bool wmMaximiert = f.fm && f.fm->abbilden == Qt::WindowMaximized;
        const bool maximiert = !gespeichert().startsWith('0') && !(f.fm && f.fm->verweigert);
        mdiZentral& h = zeigen(f.fm, f.oben);
        const QRect frei = h.screen()->availableGeometry();
        const QRect bereich = frei.adjusted(0, f.oben, 0, 0);
        const QMargins rand = rahmen(h, f.fm);
        // the frame at least the smallest size, below the work area where that is not larger, after every kind
        // of start and restore
        const QSize kleinste = QSize(760, 570).boundedTo(bereich.size() - QSize(1, 1));
        ASSERT_EQ(h.WindowState(), maximiert || wmMaximiert ? 2 : 0);
        EXPECT_TRUE(h.WindowState() == 2 ? h.frameGeometry() == frei : !rand.isNull()); // a window with a frame
        if (!wmMaximiert) {
            EXPECT_EQ(h.minimumSize().grownBy(rand), kleinste);
            EXPECT_EQ(h.normalGeometrie(), f.normal);
        }
        if (h.WindowState() == 0) {
            EXPECT_EQ(platz(h, rand), f.normal);
            EXPECT_TRUE(bereich.contains(h.geometry().marginsAdded(rand)));
            // the pages laid out for the window with its frame
            ASSERT_TRUE(QTest::qWaitFor([&h] { return !h.timResize().isActive(); }, 10000));
            EXPECT_FLOAT_EQ(app().rahmen.sngHoeheStart, static_cast<float>(0.9 * h.geometry().marginsAdded(rand).height() * 15));
        }
        if (!f.zustaende.empty()) {
            ProgrammStarten(); // the analysis page: it lays out again at once after a change
            if (!wmMaximiert) {
                app().rahmen.sngArbeitsbereichBreite -= 150; // the maximised frame 10 pixels beyond the work area
                app().rahmen.sngArbeitsbereichHoehe -= 150;
            }
        }
        for (const Qt::WindowState zustand : f.zustaende) {
            SCOPED_TRACE(zustand);
            zustandSetzen(h, zustand, f.weg); // the user maximises or restores, the page lays out after it
            const bool maximieren = zustand == Qt::WindowMaximized;
            // the state sticks, the window has the window manager's size
            ASSERT_TRUE(QTest::qWaitFor([&] {
                return h.WindowState() == (maximieren ? 2 : 0) && (maximieren ? h.frameGeometry() == frei : platz(h, rand) == f.normal)
                    && !h.timResize().isActive() && !h.timRahmen().isActive();
            }, 10000)) << h.WindowState() << " " << h.geometry().width() << "x" << h.geometry().height();
            EXPECT_EQ(h.normalGeometrie(), f.normal);
            EXPECT_EQ(h.minimumSize().grownBy(rand), kleinste);
            if (!maximieren) {
                EXPECT_TRUE(bereich.contains(h.geometry().marginsAdded(rand)));
            }
        }
        h.close();
        ASSERT_TRUE(h.beendet());
        EXPECT_EQ(gespeichert().toStdString(), f.danach);
    }
}

} // namespace
