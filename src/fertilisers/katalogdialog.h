#pragma once
// What the fertiliser and the lime editor share: the name box with its red frame, the content
// boxes with their number filter (Enter moves on, the last one to OK), the lexicon label, OK and
// Cancel, the gradient and the place over the main window.
#include "frame/seite.h"

#include <QLabel>
#include <QLineEdit>

#include <vector>

class QFrame;
class QGridLayout;
class QToolButton;

namespace kav {

class Katalogdialog : public Seite {
    Q_OBJECT
public:
    QLineEdit* txtName() const { return m_txtName; }
    QFrame* shpName() const { return m_shpName; }
    QLabel* lblVerhaeltnis() const { return m_lblVerhaeltnis; }
    QToolButton* cmdOK() const { return m_cmdOK; }
    QToolButton* cmdAbbruch() const { return m_cmdAbbruch; }

    // A new entry (`nr` empty) or a change of that entry, fixed for the window's life. False (with a
    // message) when the entry to change is gone.
    virtual bool oeffnen(const QString& nr) = 0;

    // The gradient and the highlight colour of the buttons.
    void Form_Load() override;
    virtual void cmdOK_Click() = 0;
    void cmdAbbruch_Click() { entladen(); }

protected:
    // `kapitel`: the lexicon chapter of the label `verhaeltnis`.
    Katalogdialog(const QString& name, const QString& caption, const QString& verhaeltnis, const QString& kapitel);

    // A content box with its label in the next row of the grid.
    QLineEdit* gehaltFeld(const QString& name, const QString& beschriftung);
    // Rows below the content boxes (the check box of the fertiliser editor).
    QGridLayout* raster() const { return m_raster; }
    // Finishes the layout: lexicon label, buttons; the place over the main window.
    void fertigstellen();

    // No name: the red frame around the box, the hint in the empty box, the focus there.
    void nameFehlt();
    void melden(const QString& text) const;
    void lexikonOeffnen(const QString& kapitel) const;

    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QLineEdit* m_txtName = nullptr;
    QFrame* m_shpName = nullptr;
    QLabel* m_lblVerhaeltnis = nullptr;
    QToolButton* m_cmdOK = nullptr;
    QToolButton* m_cmdAbbruch = nullptr;
    QGridLayout* m_raster = nullptr;
    std::vector<QLineEdit*> m_felder;
    QString m_kapitel;
};

// Opens the editor window `fenster` for a new entry (`nr` empty) or for changing one; an open editor
// is brought forward and keeps what is typed in it.
void KatalogdialogOeffnen(const QString& fenster, const QString& nr);

} // namespace kav
