#pragma once
// The last wizard page: the fertilisation plan in a grid, the PDF document of it, back and cancel.
#include "frame/seite.h"
#include "plan/duengeplan.h"
#include "plan/empfehlungsraster.h"

#include <QString>

#include <functional>

class QTableWidget;
class QToolButton;

namespace kav {

class frmNPK4 : public Seite {
    Q_OBJECT
public:
    frmNPK4();

    // Controls
    QToolButton* cmbZurueck() const { return m_cmbZurueck; }
    QTableWidget* flgReport() const { return m_flgReport; }
    QToolButton* cmbDrucken() const { return m_cmbDrucken; }
    QToolButton* cmbAbbruch() const { return m_cmbAbbruch; }
    // What the grid shows.
    const Empfehlungsraster& raster() const { return m_raster; }

    // Step key, breadcrumb, caption, the requirement again, the plan, then the layout pass.
    void Form_Load() override;
    // Gives the fertilisers' totals back as they were when the page was entered.
    void Form_Unload() override;
    void anordnen(Anordnung& a) override;

    // Builds the plan from the wizard state, once per entering of the page; every layout pass shows
    // it in the grid as it is. A plan that cannot be made shows one red row and disables printing;
    // no message box.
    void DuengeplanErstellen();

    // Event handlers
    void cmbDrucken_Click();
    void cmbZurueck_MouseUp();
    void cmbAbbruch_Click();
    void Form_MouseMove();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void rasterZeigen();
    void melden(const QString& text) const;
    // Offers to save a copy of a document no viewer could open.
    void kopieAnbieten(const QString& pfad);

    QToolButton* m_cmbZurueck = nullptr;
    QTableWidget* m_flgReport = nullptr;
    QToolButton* m_cmbDrucken = nullptr;
    QToolButton* m_cmbAbbruch = nullptr;

    Empfehlungsraster m_raster;
    PlanEingang m_eingang;
    bool m_planDa = false;
};

} // namespace kav
