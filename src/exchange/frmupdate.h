#pragma once
// The progress window of the data update: animation, progress bar, one line of text, and Cancel
// in the place where OK comes when the update is over.
#include "frame/seite.h"

class QLabel;
class QProgressBar;
class QToolButton;

namespace kav::exchange {

class LadeAnimation;
struct UpdateEnde;

inline const QString kUpdateFensterTitel = QStringLiteral("Kav - Datenbank-Update");

class frmUpdate : public Seite {
    Q_OBJECT
public:
    frmUpdate();

    LadeAnimation* ancKopieren() const { return m_anc; }
    QLabel* lblUpdate() const { return m_lbl; }
    QProgressBar* prbUpdate() const { return m_prb; }
    QToolButton* cmdOK() const { return m_cmdOK; }
    QToolButton* cmdAbbrechen() const { return m_cmdAbbrechen; }

    // Layout, colours, pictures, and the state of the run so far.
    void Form_Load() override;
    // Ends the window; the settings window, when open, gets the focus.
    void cmdOK_Click();
    // Cancels the run; nothing is changed.
    void cmdAbbrechen_Click();

    void zeigeFortschritt(const QString& text, int wert, int maximum);
    void zeigeEnde(const UpdateEnde& e);

protected:
    // Closing the window while the update runs cancels it.
    void closeEvent(QCloseEvent* e) override;
    // Escape closes the window as its close button does.
    bool escapetaste() override;

private:
    LadeAnimation* m_anc = nullptr;
    QLabel* m_lbl = nullptr;
    QProgressBar* m_prb = nullptr;
    QToolButton* m_cmdOK = nullptr;
    QToolButton* m_cmdAbbrechen = nullptr;
};

} // namespace kav::exchange
