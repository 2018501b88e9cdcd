#pragma once
// The notice that the latest analysis of the chosen plot is old.
#include "frame/seite.h"

#include <QDate>

class QLabel;
class QToolButton;

namespace kav {

class frmAlteAnalyse : public Seite {
    Q_OBJECT
public:
    frmAlteAnalyse();

    QLabel* lblMeldung() const { return m_lblMeldung; }
    QToolButton* cmdOK() const { return m_cmdOK; }

    void Form_Load() override;
    void cmdOK_Click();

private:
    QLabel* m_lblMeldung = nullptr;
    QToolButton* m_cmdOK = nullptr;
};

// For the plot step of the wizard: shows the notice (one window, brought forward when open)
// when the analysis of `datum` lies more than 5 calendar years from today. True when shown.
bool AlteAnalyseMelden(const QDate& datum);

} // namespace kav
