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

// A question with the buttons "Ja" and "Nein", no icon, `standard` the default button (Enter); Escape
// answers "Nein". Returns Yes or No.
QMessageBox::StandardButton JaNeinFrage(const QString& titel, const QString& text, QMessageBox::StandardButton standard,
                                        QWidget* eltern);

// Shows the numbered message of `schluessel` over `eltern`.
void FehlerMeldung(const QString& schluessel, QWidget* eltern = nullptr);

} // namespace kav
