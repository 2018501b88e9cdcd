#pragma once
// The about window: the program's name and version, credits, two pictures, a mail button, the web
// address and a close button.
#include "frame/seite.h"
#include "platform/bild.h"

class QLabel;
class QToolButton;

namespace kav {

class frmUeberKav : public Seite {
    Q_OBJECT
public:
    frmUeberKav();

    QLabel* lblTitel() const { return m_lblTitel; }
    QLabel* lblTitel2() const { return m_lblTitel2; }
    QLabel* lblVersion() const { return m_lblVersion; }
    QLabel* lblInternet() const { return m_lblInternet; }
    forms::Bild* imgLogo() const { return m_imgLogo; }
    forms::Bild* imgBild() const { return m_imgBild; }
    QToolButton* cmbEmail() const { return m_cmbEmail; }
    QToolButton* cmbOK() const { return m_cmbOK; }

    void Form_Load() override;
    // A colour change repaints the window and its buttons.
    void anordnen(Anordnung& a) override;

    void cmbEmail_Click();
    void lblInternet_Click();
    void cmbOK_Click();
    void Form_MouseMove();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void farbenSetzen();

    QLabel* m_lblTitel = nullptr;
    QLabel* m_lblTitel2 = nullptr;
    QLabel* m_lblVersion = nullptr;
    QLabel* m_lblDank = nullptr;
    QLabel* m_lblMitwirkende = nullptr;
    QLabel* m_lblInternet = nullptr;
    forms::Bild* m_imgLogo = nullptr;
    forms::Bild* m_imgBild = nullptr;
    QToolButton* m_cmbEmail = nullptr;
    QToolButton* m_cmbOK = nullptr;
};

} // namespace kav
