#pragma once
// The first step of the requirement wizard: the plots that have a soil analysis in a tree, the latest
// analysis of the plot chosen, the compost advice and Next to the crop step.
#include "frame/seite.h"
#include "platform/bildliste.h"
#include "platform/steuerfeld.h"
#include "services/analysenzeile.h"

#include <QLabel>
#include <QLineEdit>

#include <optional>

class QToolButton;
class QTreeWidgetItem;

namespace kav {

class NPKBaumAnsicht;

class frmNPK : public Seite {
    Q_OBJECT
public:
    frmNPK();

    // Controls
    QLabel* lblTitel() const { return m_lblTitel; }
    NPKBaumAnsicht* trvNPK() const { return m_trvNPK; }
    QLabel* txtNPK() const { return m_txtNPK; }
    QLabel* lblWert(int i) const { return m_lblWert(i); }
    QLineEdit* txtWert(int i) const { return m_txtWert(i); }
    QLabel* lblEinheit(int i) const { return m_lblEinheit(i); }
    QToolButton* cmbKompost() const { return m_cmbKompost; }
    QToolButton* cmbWeiter() const { return m_cmbWeiter; }
    const forms::BildListe& imlNPK() const { return m_imlNPK; }

    void Form_Load() override;
    void anordnen(Anordnung& a) override;

    // Rebuilds the tree; with no plot to show the analysis page takes over once the load is done.
    void baumFuellen();

    // Event handlers
    void trvNPK_Click(QTreeWidgetItem* item);
    void cmbWeiter_MouseUp();
    void cmbKompost_Click();
    void lblWert_Click(int index);
    void Form_MouseMove();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void leeren();
    void knoepfeFreigeben(bool frei);
    // Shows the latest analysis of strAktFlaechenNr under the node text; false without one.
    bool analyseZeigen(const QString& knotenText);
    void zurAnalysenSeite(const QString& text);

    QLabel* m_lblTitel = nullptr;
    NPKBaumAnsicht* m_trvNPK = nullptr;
    QLabel* m_txtNPK = nullptr;
    forms::SteuerFeld<QLabel> m_lblWert{0};
    forms::SteuerFeld<QLineEdit> m_txtWert{0};
    forms::SteuerFeld<QLabel> m_lblEinheit{0};
    QToolButton* m_cmbKompost = nullptr;
    QToolButton* m_cmbWeiter = nullptr;
    forms::BildListe m_imlNPK;

    QString m_gezeigt;                     // key of the plot shown
    std::optional<AnalysenZeile> m_analyse; // its latest analysis
};

// The plot step when it is loaded, else nullptr.
frmNPK* flaechenSeite();

} // namespace kav
