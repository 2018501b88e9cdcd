#pragma once
// The question for the selection method at the start of the fertiliser step: fitted to the plants'
// need (this time or always) or with few fertilisers. Closing it in any way rebuilds the catalogue
// of a loaded fertiliser step with the method then set.
#include "frame/seite.h"
#include "platform/steuerfeld.h"

#include <QLabel>

class QPushButton;

namespace kav {

class frmVerfahren : public Seite {
    Q_OBJECT
public:
    frmVerfahren();

    QLabel* lblMeldung(int i) const { return m_lblMeldung(i); }
    QPushButton* cmdEinmalOptimal() const { return m_cmdEinmalOptimal; }
    QPushButton* cmdImmerOptimal() const { return m_cmdImmerOptimal; }
    QPushButton* cmdIgnorant() const { return m_cmdIgnorant; }

    void Form_Load() override;
    void Form_Unload() override;

    void cmdEinmalOptimal_Click();
    void cmdImmerOptimal_Click();
    void cmdIgnorant_Click();

protected:
    void resizeEvent(QResizeEvent* e) override;
    // Escape closes the window as its close button does: the method stays as the step set it.
    bool escapetaste() override;

private:
    forms::SteuerFeld<QLabel> m_lblMeldung{0};
    QPushButton* m_cmdEinmalOptimal = nullptr;
    QPushButton* m_cmdImmerOptimal = nullptr;
    QPushButton* m_cmdIgnorant = nullptr;
};

} // namespace kav
