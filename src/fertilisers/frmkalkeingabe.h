#pragma once
// The lime editor: a liming material of the user's own added to the catalogue, or one changed.
// While the fertiliser step offers the limes, the saved lime (or the one already in the catalogue
// under that name and contents) becomes the lime of the calculation.
#include "fertilisers/katalogdialog.h"

namespace kav {

class frmKalkEingabe : public Katalogdialog {
    Q_OBJECT
public:
    frmKalkEingabe();

    QLineEdit* txtCaCO3() const { return m_txtCaCO3; }
    QLineEdit* txtMgCO3() const { return m_txtMgCO3; }

    // New (`kalkNr` empty) or a change of that lime, fixed here for the window's life. False (with a
    // message) when the lime to change is gone.
    bool oeffnen(const QString& kalkNr) override;
    bool neu() const { return m_nr.isEmpty(); }
    QString kalkNr() const { return m_nr; }

    void cmdOK_Click() override;

private:
    void waehlen(const QString& kalkNr);

    QLineEdit* m_txtCaCO3 = nullptr;
    QLineEdit* m_txtMgCO3 = nullptr;
    QString m_nr;
};

// Opens the lime editor for a new lime (empty) or for changing one; an open editor is brought
// forward and keeps what is typed in it.
void KalkEingabeOeffnen(const QString& kalkNr);

} // namespace kav
