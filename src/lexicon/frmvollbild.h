#pragma once
// The full-size view of a lexicon picture with its source line and a close image, over the main
// window. The lexicon opens it on a thumbnail and refreshes it while its strip is turned; every
// layout pass fits it to the main window as it is then.
#include "frame/anordnung.h"
#include "platform/bild.h"
#include "platform/fenster.h"

#include <QFrame>
#include <QLabel>

namespace kav {

class frmVollbild : public forms::Formular, public Anordenbar {
    Q_OBJECT
public:
    frmVollbild();
    Art art() const override { return Art::Dialog; }

    forms::Bild* imgVollbild() const { return m_imgVollbild; }
    QLabel* lblQuelle() const { return m_lblQuelle; }
    forms::Bild* imgEnde() const { return m_imgEnde; }
    QFrame* shpRahmen() const { return m_shpRahmen; }

    void Form_Load() override;
    // Shows the picture of strVollbildDatei, fitted, with its source, placed over the main window.
    void AnzeigeAktualisieren();
    // Fits the picture shown to the main window's size and place.
    void anordnen(Anordnung& a) override;

    void imgEnde_Click();
    void imgVollbild_DblClick();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    // Escape closes the view as its close image does.
    void keyPressEvent(QKeyEvent* e) override;

private:
    // size, place and source line for the picture already read
    void einpassen();

    QSizeF m_natur; // the picture's own size in pixels; empty without a picture
    forms::Bild* m_imgVollbild = nullptr;
    QLabel* m_lblQuelle = nullptr;
    forms::Bild* m_imgEnde = nullptr;
    QFrame* m_shpRahmen = nullptr;
};

} // namespace kav
