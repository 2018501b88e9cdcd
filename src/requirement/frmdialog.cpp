#include "requirement/frmdialog.h"

#include "frame/dialogplatz.h"
#include "frame/oberflaeche.h"
#include "frame/mdizentral.h"
#include "requirement/frmmkeditor.h"

#include <QCursor>
#include <QTreeWidget>

namespace kav {

Farbdialog::Farbdialog(QWidget* eltern) : QColorDialog(eltern)
{
    setObjectName(QStringLiteral("codFarbe"));
    setOption(QColorDialog::DontUseNativeDialog);
    setWindowTitle(QStringLiteral("Farbe der Kultur"));
}

void Farbdialog::showEvent(QShowEvent* e)
{
    QColorDialog::showEvent(e);
    InsBildschirmRuecken(this, m_ort);
}

frmDialog::frmDialog() : m_codFarbe(ui().haupt.data())
{
}

bool frmDialog::FarbWahl(frmMKEditor& editor, int txtNr)
{
    if (!editor.txtKulturen().hat(txtNr) || txtNr < 1)
        return false;
    QLabel* balken = editor.txtKulturen()(txtNr);
    m_codFarbe.setCurrentColor(balken->palette().color(QPalette::Window));

    m_codFarbe.setOrt(QCursor::pos());
    if (m_codFarbe.exec() != QDialog::Accepted)
        return false;
    const QColor c = m_codFarbe.selectedColor();
    if (!c.isValid())
        return false;
    const QString farbe = QString::number(c.red() + 256 * c.green() + 65536 * c.blue());
    editor.BalkenEinfaerben(farbe, txtNr);
    // the tree node of that crop keeps the colour for the next drop
    for (QTreeWidgetItemIterator it(editor.trvKulturen()); *it; ++it) {
        if ((*it)->text(0) == balken->text()) {
            (*it)->setData(0, frmMKEditor::kTagRolle, farbe);
            break;
        }
    }
    return true;
}

} // namespace kav
