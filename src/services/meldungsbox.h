#pragma once
// Shows messages as modal message boxes with an OK button.
#include "services/meldungen.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace kav {

class MeldungsBox final : public MeldungsAnzeige {
public:
    explicit MeldungsBox(QWidget* eltern = nullptr) : m_eltern(eltern) {}
    void setEltern(QWidget* eltern) { m_eltern = eltern; }
    void zeige(const Meldung& m) override;

    // The box as it will be shown (used by zeige and by tests).
    static QMessageBox* erzeugeBox(const Meldung& m, QWidget* eltern);

private:
    QPointer<QWidget> m_eltern;
};

// A question over `eltern` with the buttons `knoepfe` out of Yes ("Ja"), No ("Nein") and Cancel
// ("Abbrechen"), and the icon `symbol`; `standard` is the default button (Enter). Escape and closing
// the box answer Cancel where it is offered, else No. Returns the button chosen.
QMessageBox::StandardButton JaNeinFrage(const QString& titel, const QString& text, QMessageBox::StandardButton standard,
                                        QWidget* eltern,
                                        QMessageBox::StandardButtons knoepfe = QMessageBox::Yes | QMessageBox::No,
                                        QMessageBox::Icon symbol = QMessageBox::NoIcon);

// Shows the numbered message of `schluessel` over `eltern`.
void FehlerMeldung(const QString& schluessel, QWidget* eltern = nullptr);

} // namespace kav
