#pragma once
// The lime editor: a liming material of the user's own added to the catalogue, or one changed.
// While the fertiliser step offers the limes, the saved lime (or the one already in the catalogue
// under that name and contents) becomes the lime of the calculation.
#include "fertilisers/duengerkatalog.h"
#include "fertilisers/katalogdialog.h"

#include <optional>

namespace kav {

class frmKalkEingabe : public Katalogdialog {
    Q_OBJECT
public:
    frmKalkEingabe();

    QLineEdit* txtCaCO3() const { return m_txtCaCO3; }
    QLineEdit* txtMgCO3() const { return m_txtMgCO3; }

    QString kalkNr() const { return nr(); }

protected:
    bool zeileLesen(const Duengerkatalog& k, const QString& nr) override;
    Pruefung pruefen() override;
    Gleich gleichBehandeln(const Duengerkatalog& k) override;
    QString neuSpeichern(Duengerkatalog& k) override;
    bool aendern(Duengerkatalog& k, const QString& nr) override;
    void gespeichert(const QString& nr) override;

private:
    QLineEdit* m_txtCaCO3 = nullptr;
    QLineEdit* m_txtMgCO3 = nullptr;
    std::optional<KalkDaten> m_daten; // what OK stores, as checked
};

// Opens the lime editor for a new lime (empty) or for changing one; an open editor is brought
// forward and keeps what is typed in it.
void KalkEingabeOeffnen(const QString& kalkNr);

} // namespace kav
