#pragma once
// The fertiliser editor: a fertiliser of the user's own added to the catalogue, or one changed.
// Saved with the origin "Nutzer"; while the fertiliser step shows its classes, a suitable one is
// taken into the choice at once with its amount, an unsuitable one is named in the notice window.
#include "fertilisers/duengerkatalog.h"
#include "fertilisers/katalogdialog.h"
#include "platform/bild.h"
#include "platform/bildliste.h"

#include <optional>

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

    QString duengerNr() const { return nr(); }

    void Form_Load() override;
    // Rebuilds the catalogue of a loaded fertiliser step (unless the save has just done so).
    void Form_Unload() override;
    void imgNorg_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    bool zeileLesen(const Duengerkatalog& k, const QString& nr) override;
    Pruefung pruefen() override;
    Gleich gleichBehandeln(const Duengerkatalog& k) override;
    QString neuSpeichern(Duengerkatalog& k) override;
    bool aendern(Duengerkatalog& k, const QString& nr) override;
    void gespeichert(const QString& nr) override;
    QStringList eingaben() const override;

private:
    void norgSetzen(bool an);

    QLineEdit* m_txtN = nullptr;
    QLineEdit* m_txtP = nullptr;
    QLineEdit* m_txtK = nullptr;
    QLineEdit* m_txtMg = nullptr;
    forms::Bild* m_imgNorg = nullptr;
    QLabel* m_lblNorg = nullptr;
    forms::BildListe m_imlNorg;
    std::optional<DuengerDaten> m_daten; // what OK stores, as checked
    bool m_uebernommen = false;
};

// Opens the fertiliser editor for a new fertiliser (empty) or for changing one; an open editor is
// brought forward and keeps what is typed in it.
void DuengerEingabeOeffnen(const QString& duengerNr);

} // namespace kav
