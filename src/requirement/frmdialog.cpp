#include "requirement/frmdialog.h"

#include "frame/oberflaeche.h"
#include "frame/mdizentral.h"
#include "requirement/frmmkeditor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTreeWidget>

namespace kav {

frmDialog::frmDialog() : m_codFarbe(ui().haupt.data())
{
    m_codFarbe.setObjectName(QStringLiteral("codFarbe"));
    m_codFarbe.setOption(QColorDialog::DontUseNativeDialog);
    m_codFarbe.setWindowTitle(QStringLiteral("Farbe der Kultur"));
}

bool frmDialog::FarbWahl(frmMKEditor& editor, int txtNr)
{
    if (!editor.txtKulturen().hat(txtNr) || txtNr < 1)
        return false;
    QLabel* balken = editor.txtKulturen()(txtNr);
    m_codFarbe.setCurrentColor(balken->palette().color(QPalette::Window));

    // at the pointer, and wholly on its screen
    m_codFarbe.adjustSize();
    const QPoint zeiger = QCursor::pos();
    QScreen* schirm = QGuiApplication::screenAt(zeiger);
    if (!schirm)
        schirm = QGuiApplication::primaryScreen();
    QPoint ort = zeiger;
    if (schirm) {
        const QRect frei = schirm->availableGeometry();
        const QSize g = m_codFarbe.frameGeometry().size().expandedTo(m_codFarbe.sizeHint());
        ort.setX(std::clamp(ort.x(), frei.left(), std::max(frei.left(), frei.right() - g.width())));
        ort.setY(std::clamp(ort.y(), frei.top(), std::max(frei.top(), frei.bottom() - g.height())));
    }
    m_codFarbe.move(ort);
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
