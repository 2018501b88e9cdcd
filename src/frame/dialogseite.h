#pragma once
// Base of the program's dialogs (plot and group dialogs, catalogue editors): a window of its own
// owned by the main window, with the row of picture buttons Speichern, Hilfe and Abbrechen at its
// foot (Enter presses Speichern where no button has the focus, Escape Abbrechen), its help topic on
// the Hilfe button and F1, the user's gradient, and a place inside the screen.
#include "frame/seite.h"

#include <QList>

#include <optional>

class QHBoxLayout;
class QToolButton;

namespace kav {

class DialogSeite : public Seite {
    Q_OBJECT
public:
    QToolButton* cmbSpeichern() const { return m_cmbSpeichern; }
    QToolButton* cmbHilfe() const { return m_cmbHilfe; }
    QToolButton* cmbAbbruch() const { return m_cmbAbbruch; }

    virtual void cmbSpeichern_Click() = 0;
    // Default: closes the dialog; nothing is stored.
    virtual void cmbAbbruch_Click();

protected:
    DialogSeite(const QString& name, const QString& hilfeThema);

    // The button row for the dialog's layout, right-aligned: Speichern, Hilfe, Abbrechen.
    QHBoxLayout* knopfZeile() const;
    QList<QToolButton*> knoepfe() const { return {m_cmbSpeichern, m_cmbHilfe, m_cmbAbbruch}; }
    // Pictures from the main window's icon list and the background `farbe` for the buttons.
    void knoepfeLaden(const QColor& farbe);
    void knoepfeFaerben(const QColor& farbe);
    // The mouse over a button in the user colour lights it; over the dialog, lit buttons go back.
    void knopfHervorheben(QObject* o);
    void knoepfeZuruecksetzen();
    // Moves the dialog to the screen point (x, y), centred on the screen where not given, and keeps
    // it inside the screen's free area.
    void platzieren(std::optional<int> x, std::optional<int> y);

    void resizeEvent(QResizeEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    QString m_hilfeThema;
    QToolButton* m_cmbSpeichern = nullptr;
    QToolButton* m_cmbHilfe = nullptr;
    QToolButton* m_cmbAbbruch = nullptr;
};

} // namespace kav
