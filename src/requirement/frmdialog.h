#pragma once
// The colour choice of the mixed-culture planner: the colour dialog opened at the mouse pointer,
// inside the screen.
#include <QColorDialog>
#include <QPoint>

namespace kav {

class frmMKEditor;

// The colour dialog, placed at a point and kept wholly on the screen once it has its final size.
class Farbdialog : public QColorDialog {
    Q_OBJECT
public:
    explicit Farbdialog(QWidget* eltern = nullptr);
    void setOrt(const QPoint& ort) { m_ort = ort; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    QPoint m_ort;
};

class frmDialog {
public:
    frmDialog();

    // Lets the user choose the colour of bar `txtNr`: on a choice every bar of that crop and its tree
    // node (for the next drop) take the colour; cancelling changes nothing. True when a colour was
    // chosen.
    bool FarbWahl(frmMKEditor& editor, int txtNr);

    Farbdialog& codFarbe() { return m_codFarbe; }

private:
    Farbdialog m_codFarbe;
};

} // namespace kav
