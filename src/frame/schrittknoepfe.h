#pragma once
// The buttons of a wizard step under the seventh navigation button: cancel, and below it back and
// next side by side. A page creates them once, gives them its handlers and lays them out in its
// block of the layout pass; the group paints the hover colours.
//
//   Schrittknoepfe k(this, {"cmbAbbruch", "Berechnung abbrechen"}, {"cmbBack", "Zurück …"},
//                    {"cmbNext", "Weiter zum nächsten Schritt"});
//   k.beiWeiter = [this] { cmbNext_MouseUp(); };
//   ...in anordnen(a): k.anordnen(a, 10);   ...in mouseMoveEvent: k.Form_MouseMove();
#include <QObject>
#include <QString>

#include <functional>

class QToolButton;
class QWidget;

namespace kav {

class Anordnung;

class Schrittknoepfe : public QObject {
    Q_OBJECT
public:
    struct Knopf {
        QString name;    // object name, e.g. "cmbWeiter"
        QString hinweis; // tool tip
    };

    Schrittknoepfe(QWidget* seite, const Knopf& abbruch, const Knopf& zurueck, const Knopf& weiter);

    QToolButton* abbruch() const { return m_abbruch; }
    QToolButton* zurueck() const { return m_zurueck; }
    QToolButton* weiter() const { return m_weiter; }

    // Run when a mouse button (any) is released over the enabled button, or on Space and Enter; no mouse
    // click within the double-click time after the click that showed the page is taken (Klicksperre).
    std::function<void()> beiAbbruch, beiZurueck, beiWeiter;

    // The group's part of the layout block: cancel (SH + TT − hoeheAbzug) / 6 high and three quarters
    // of the seventh navigation button wide, below the navigation bar; back and next each half as
    // wide in the row below. User colour and the pictures "Abbruch", "Zurueck", "Weiter".
    void anordnen(Anordnung& a, double hoeheAbzug) const;

    // The mouse over the page: the first highlighted of cancel, next, back gets the user colour back.
    void Form_MouseMove() const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void hervorheben(QToolButton* b) const;
    void ausloesen(QToolButton* b) const;

    QWidget* m_seite;
    QToolButton* m_abbruch;
    QToolButton* m_zurueck;
    QToolButton* m_weiter;
};

} // namespace kav
