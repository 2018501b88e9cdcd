#pragma once
// The fertiliser editor: a fertiliser of the user's own added to the catalogue, or one changed.
// Saved with the origin "Nutzer"; while the fertiliser step shows its classes, a suitable one is
// taken into the choice at once with its amount, an unsuitable one is named in the notice window.
#include "fertilisers/katalogdialog.h"
#include "platform/bild.h"
#include "platform/bildliste.h"

namespace kav {

class frmDuengerEingabe : public Katalogdialog {
    Q_OBJECT
public:
    frmDuengerEingabe();

    QLineEdit* txtN() const { return m_txtN; }
    QLineEdit* txtP() const { return m_txtP; }
    QLineEdit* txtK() const { return m_txtK; }
    QLineEdit* txtMg() const { return m_txtMg; }
    forms::Bild* imgNorg() const { return m_imgNorg; }
    QLabel* lblNorg() const { return m_lblNorg; }

    // New (`duengerNr` empty) or a change of that fertiliser, fixed here for the window's life.
    // False (with a message) when the fertiliser to change is gone.
    bool oeffnen(const QString& duengerNr) override;
    bool neu() const { return m_nr.isEmpty(); }
    QString duengerNr() const { return m_nr; }

    void Form_Load() override;
    // Rebuilds the catalogue of a loaded fertiliser step (unless the save has just done so).
    void Form_Unload() override;
    void cmdOK_Click() override;
    void imgNorg_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void norgSetzen(bool an);

    QLineEdit* m_txtN = nullptr;
    QLineEdit* m_txtP = nullptr;
    QLineEdit* m_txtK = nullptr;
    QLineEdit* m_txtMg = nullptr;
    forms::Bild* m_imgNorg = nullptr;
    QLabel* m_lblNorg = nullptr;
    forms::BildListe m_imlNorg;
    QString m_nr;
    bool m_uebernommen = false;
};

// Opens the fertiliser editor for a new fertiliser (empty) or for changing one; an open editor is
// brought forward and keeps what is typed in it.
void DuengerEingabeOeffnen(const QString& duengerNr);

} // namespace kav
