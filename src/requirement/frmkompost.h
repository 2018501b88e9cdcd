#pragma once
// The compost advice window: the soil improvers sorted into recommended and unsuitable for the plot the
// first wizard step shows, and how much of one may be given per m² and year.
#include "frame/seite.h"
#include "platform/bildliste.h"

#include <QLabel>

class QToolButton;
class QTreeWidgetItem;

namespace kav {

class NPKBaumAnsicht;

class frmKompost : public Seite {
    Q_OBJECT
public:
    frmKompost();

    QLabel* lblTitel() const { return m_lblTitel; }
    NPKBaumAnsicht* trvKompost() const { return m_trvKompost; }
    QLabel* lblMeldung() const { return m_lblMeldung; }
    QToolButton* cmdOK() const { return m_cmdOK; }
    const forms::BildListe& imlKompost() const { return m_imlKompost; }

    void Form_Load() override;
    // Fills the tree from OrgSubID by the organic matter and the P2O5 the plot step shows.
    void KompostBaumFuellen();

    void trvKompost_Click(QTreeWidgetItem* item);
    void cmdOK_Click();
    void lblTitel_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QLabel* m_lblTitel = nullptr;
    NPKBaumAnsicht* m_trvKompost = nullptr;
    QLabel* m_lblMeldung = nullptr;
    QToolButton* m_cmdOK = nullptr;
    forms::BildListe m_imlKompost;
};

} // namespace kav
