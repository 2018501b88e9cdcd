#pragma once
// What the fertiliser and the lime editor share: the name box with its red frame, the content
// boxes with their number filter (Enter moves on, the last one to OK), the lexicon label, OK and
// Cancel, the gradient and the place over the main window; opening an entry to change, the save
// with its messages, and the question for what is typed and not stored when the page is left.
#include "frame/seite.h"

#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include <vector>

class QFrame;
class QGridLayout;
class QToolButton;

namespace kav {

class Duengerkatalog;

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
    bool oeffnen(const QString& nr);
    bool neu() const { return m_nr.isEmpty(); }

    // The gradient and the highlight colour of the buttons.
    void Form_Load() override;
    void cmdOK_Click() { speichern(); }
    void cmdAbbruch_Click() { entladen(); }
    // Stores what is typed (a new entry, or the change); true when it is stored or an equal entry
    // was taken instead, and the window has closed. False, with the reason said, when it stays.
    bool speichern();
    // Something typed and not stored (another page, the end of the program): asks whether to store
    // it (Ja), to drop it (Nein) or to stay (Abbrechen).
    bool darfVerlassenWerden() override;

protected:
    // `kapitel`: the lexicon chapter of the label `verhaeltnis`; `art`: what the catalogue holds, in
    // the messages ("Dünger", "Kalk").
    Katalogdialog(const QString& name, const QString& caption, const QString& verhaeltnis, const QString& kapitel,
                  const QString& art);

    QString nr() const { return m_nr; }
    // A content box with its label in the next row of the grid.
    QLineEdit* gehaltFeld(const QString& name, const QString& beschriftung);
    // Rows below the content boxes (the check box of the fertiliser editor).
    QGridLayout* raster() const { return m_raster; }
    // Finishes the layout: lexicon label, buttons; the place over the main window.
    void fertigstellen();
    void melden(const QString& text) const;
    void lexikonOeffnen(const QString& kapitel) const;
    // A stored content for its box: empty for 0.
    static QString gehaltText(double v);

    // What each editor does with its own catalogue and its own boxes.
    // The entry `nr` into the boxes; false when it is not in the catalogue.
    virtual bool zeileLesen(const Duengerkatalog& k, const QString& nr) = 0;
    // What is typed, checked and kept for the save: no name, or the reason it cannot be stored.
    struct Pruefung {
        bool ohneName = false;
        bool speicherbar = false;
        QString meldung; // why it cannot be stored
    };
    virtual Pruefung pruefen() = 0;
    // An entry equal to the new one already in the catalogue: said; Erledigt when it is taken instead
    // (the window has closed).
    enum class Gleich { Keins, Bleibt, Erledigt };
    virtual Gleich gleichBehandeln(const Duengerkatalog& k) = 0;
    virtual QString neuSpeichern(Duengerkatalog& k) = 0;
    virtual bool aendern(Duengerkatalog& k, const QString& nr) = 0;
    // After the save: the entry taken into the calculation where the step asks for it, the window closed.
    virtual void gespeichert(const QString& nr) = 0;
    // Every input as text, to tell what was typed since the window opened.
    virtual QStringList eingaben() const;

    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Escape closes as Cancel does, after the question for what is typed and not stored.
    bool escapetaste() override;

private:
    // No name: the red frame around the box, the hint in the empty box, the focus there.
    void nameFehlt();

    QLineEdit* m_txtName = nullptr;
    QFrame* m_shpName = nullptr;
    QLabel* m_lblVerhaeltnis = nullptr;
    QToolButton* m_cmdOK = nullptr;
    QToolButton* m_cmdAbbruch = nullptr;
    QGridLayout* m_raster = nullptr;
    std::vector<QLineEdit*> m_felder;
    QString m_kapitel;
    QString m_art;
    QString m_nr;
    QStringList m_geoeffnet; // the inputs as the window opened
};

// Opens the editor window `fenster` for a new entry (`nr` empty) or for changing one; an open editor
// is brought forward and keeps what is typed in it.
void KatalogdialogOeffnen(const QString& fenster, const QString& nr);

} // namespace kav
