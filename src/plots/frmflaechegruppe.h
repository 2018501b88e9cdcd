#pragma once
// The group dialog: a new group of plots or changes to one (name and current flag).
#include "plots/flaechendialog.h"

namespace kav {

class frmFlaecheGruppe : public FlaechenDialog {
    Q_OBJECT
public:
    frmFlaecheGruppe();

    // Reads its mode once, when it is loaded (blnNeuerDatensatz, strAktFlaechenNr,
    // strAktGruppierungNr).
    void Form_Load() override;
    // Closing: rebuilds the tree keeping the expanded groups and selects the group.
    void Form_Unload() override;

    void cmbSpeichern_Click() override;

protected:
    void changeEvent(QEvent* e) override;

private:
    QLabel* m_lblBezeichnung = nullptr;
};

// Opens the group dialog for a new group (`neu`) under strAktGruppierungNr, or for changing the
// group strAktFlaechenNr; an open group dialog is brought forward as it is.
void GruppeDialogOeffnen(bool neu);

} // namespace kav
