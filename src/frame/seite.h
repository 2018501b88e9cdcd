#pragma once
// Base of the task pages and dialogs: window name, step key, F1 help and a place in the layout.
#include "frame/anordnung.h"
#include "platform/fenster.h"

namespace kav {

class Seite : public forms::Formular, public Anordenbar {
    Q_OBJECT
public:
    // Where the page stands in the work area (the first step of its layout block).
    enum class Platz {
        UnterBrotkrume, // analysis page and the first wizard steps: under the breadcrumb strip
        UnterTitel,     // wizard steps under the title strip
        Empfehlung,     // the recommendation page
        Lexikon,        // the lexicon: directly under the navigation bar
        Dialog,         // a window of its own, owned by the main window; no layout block
    };

    Seite(const QString& name, const QString& schritt, Platz platz);

    const QString& schritt() const { return m_schritt; }
    Platz platz() const { return m_platz; }
    Art art() const override { return m_platz == Platz::Dialog ? Art::Dialog : Art::Kind; }
    bool fokusBeimZeigen() const override { return m_platz != Platz::Dialog; }

    // Default: a page sets its step key, the breadcrumb and the caption and lays itself out;
    // a dialog names itself as the active window.
    void Form_Load() override;
    void Form_Unload() override;
    // Whether the page may be left now (another page opens, the program ends). Default: yes; a page
    // holding input not yet stored asks the user and answers no when the user stays.
    virtual bool darfVerlassenWerden() { return true; }
    // Default: the page's place and its gradient.
    void anordnen(Anordnung& a) override;

protected:
    // Top, Left, Width and Height of the page for its place.
    void platzSetzen(Anordnung& a);
    void keyReleaseEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QString m_schritt;
    Platz m_platz;
};

} // namespace kav
