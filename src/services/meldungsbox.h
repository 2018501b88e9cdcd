#pragma once
// Shows messages as modal message boxes with an OK button.
#include "services/meldungen.h"

#include <QPointer>
#include <QWidget>

class QMessageBox;

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

// A question with "Ja" and "Nein" over `eltern`; "Nein" is the default (Enter) and the answer of
// Escape and of closing the box. True for "Ja".
bool FrageJaNein(const QString& titel, const QString& text, QWidget* eltern);

// Shows the numbered message of `schluessel` over `eltern`.
void FehlerMeldung(const QString& schluessel, QWidget* eltern = nullptr);

} // namespace kav
