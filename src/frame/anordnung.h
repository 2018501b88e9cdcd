#pragma once
// The layout engine: every loaded window is laid out for the main window's size in one pass.
#include "platform/bildliste.h"
#include "platform/fenster.h"
#include "platform/steuerfeld.h"
#include "platform/twips.h"

#include <QColor>
#include <QString>
#include <utility>

namespace kav {

struct AppContext;
struct Einstellungen;
struct Rahmen;
class frmToolbar;
class mdiZentral;

// One layout pass as the blocks of the windows see it.
// The two-colour gradient of the user colour and its highlight on `ziel`.
void BenutzerverlaufZeichnen(QWidget* ziel, const Einstellungen& e);

class Anordnung {
public:
    Anordnung(mdiZentral& haupt, forms::FensterRegister& fenster, AppContext& a, int schriftGroesse);

    // Runs one statement of a block; a statement that fails is skipped and the pass goes on.
    template <class F>
    void tu(F&& anweisung) noexcept
    {
        try {
            std::forward<F>(anweisung)();
        } catch (...) {
            ++m_fehler;
        }
    }

    int F() const { return m_schrift; }   // intSchriftGroesse of this pass
    QColor C() const;                     // the user colour
    QColor CH() const;                    // its highlight shade
    const Rahmen& rahmen() const;
    Rahmen& rahmenSchreiben();
    const Einstellungen& einstellungen() const;
    AppContext& app() { return m_app; }

    mdiZentral& haupt() { return m_haupt; }
    // A loaded window; throws forms::FormsFehler when it is not loaded (a pass never loads one).
    forms::Fenster& fenster(const QString& name) const;
    template <class T>
    T& fensterAls(const QString& name) const
    {
        T* t = dynamic_cast<T*>(&fenster(name));
        return *forms::da(t, "Fenster");
    }
    bool geladen(const QString& name) const { return m_fenster.istGeladen(name); }
    frmToolbar& toolbar() const;
    // Width of the navigation button k (1 to 7) as laid out, in twips, and the like.
    forms::Tw B(int k) const;
    const forms::BildListe& imlIcon() const;

    // Paints the gradient of the user colour on a window.
    void farbverlauf(QWidget* ziel) const;

    int fehler() const { return m_fehler; }

private:
    mdiZentral& m_haupt;
    forms::FensterRegister& m_fenster;
    AppContext& m_app;
    int m_schrift;
    int m_fehler = 0;
};

// A window with a block of its own in the layout pass.
class Anordenbar {
public:
    virtual ~Anordenbar() = default;
    virtual void anordnen(Anordnung& a) = 0;
    // The main window and its strips (navigation bar, breadcrumb, title) come first in every pass:
    // the pages take their places from the strips' sizes as laid out in this pass.
    virtual bool rahmenstreifen() const { return false; }
};

// Lays out every loaded window with a block, the frame's strips first and then the pages in load
// order, then sets the caption; a page loaded before a strip it stands under (the title strip shown
// after the page) is thus laid out for the window as it is now. The argument names the window that
// asks; it is not used. Does nothing while the main window is minimised, and nothing when a pass is
// already running. Result always empty.
QString ArbeitsbereichAnordnen(const QString& strFormular = {});

} // namespace kav
