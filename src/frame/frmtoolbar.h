#pragma once
// The navigation bar: seven picture buttons at the top of the main window.
#include "platform/fenster.h"
#include "platform/steuerfeld.h"

#include <QToolButton>

namespace kav {

class frmToolbar : public forms::Formular {
    Q_OBJECT
public:
    frmToolbar();

    QToolButton* cmbMenu(int index) const { return m_cmbMenu(index); }
    const forms::SteuerFeld<QToolButton>& cmbMenuFeld() const { return m_cmbMenu; }

    // Picture of button i from the main window's image list (nothing for a missing key).
    void setBild(int index, const QString& schluessel);
    QString bildSchluessel(int index) const;

    void Form_Load() override;

    void cmbMenu_Click(int index);
    void cmbMenu_MouseMove(int index);
    void ButtonHervorheben(int index);
    void Form_MouseMove();

    static QString hinweis(int index);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    // The mouse leaves the bar (also quickly, over no free spot of it): no button stays lit, the
    // status bar shows the information text again.
    void leaveEvent(QEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void beschriftungenAnpassen();
    forms::SteuerFeld<QToolButton> m_cmbMenu{1};
};

} // namespace kav
