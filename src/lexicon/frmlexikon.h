#pragma once
// The lexicon: the term list with its search box, the chapter page with its links, Back through
// the chapters visited, and a strip of thumbnails that opens the full-size view.
#include "frame/seite.h"
#include "lexicon/bilderleiste.h"
#include "lexicon/lexikondaten.h"
#include "platform/steuerfeld.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QToolButton>

#include <vector>

namespace kav {

class LexikonText;

class frmLexikon : public Seite {
    Q_OBJECT
public:
    frmLexikon();

    // Controls
    QLabel* lblUeberschrift() const { return m_lblUeberschrift; }
    QLineEdit* rtfBegriff() const { return m_rtfBegriff; }
    QListWidget* lstBegriff() const { return m_lstBegriff; }
    QToolButton* cmdZurueck() const { return m_cmdZurueck; }
    LexikonText* rtfLexikon() const { return m_rtfLexikon; }
    QFrame* shpBilder() const { return m_shpBilder; }
    QScrollBar* vscBilder() const { return m_vscBilder; }
    QLabel* imgLexikon(int i) const { return m_imgLexikon(i); }
    // The thumbnail store of the chapter shown.
    const std::vector<Vorschau>& imlBilderLexikon() const { return m_imlBilderLexikon; }

    void Form_Load() override;
    void Form_Unload() override;
    void anordnen(Anordnung& a) override;

    // Shows a chapter (key compared without letter case); with `blnVerlauf` it joins the history.
    // False when the key has no chapter: the page then stays as it was.
    bool LexikonSeiteAufbauen(const QString& strKapitel, bool blnVerlauf);
    // Fills the visible slots from thumbnail `intStart` on (1-based), turning around.
    void BilderleisteFuellen(int intStart);

    // Event handlers
    void cmdZurueck_Click();
    void lstBegriff_Click();
    void rtfBegriff_BegriffSuchen();
    bool rtfBegriff_ListeBlaettern(int taste);
    void rtfLexikon_VerweisFolgen(const QString& verweis);
    void imgLexikon_MouseMove(int index);
    void imgLexikon_Click(int index);
    void vscBilder_Change(int wert);
    void Form_MouseMove();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void BegriffAnzeigen();
    // Selects a list entry without the list's own handler.
    void eintragWaehlen(int zeile);
    void vollbildOeffnen();
    void vollbildSchliessen();
    // Escape while the full-size view is shown closes it as its close image does (the view is
    // shown without taking the keyboard from the lexicon). False when no view is open.
    bool vollbildEscape(const QKeyEvent* e);
    void bilderleisteAnordnen(int bilder);
    LexikonDaten daten() const;

    QLabel* m_lblUeberschrift = nullptr;
    QLineEdit* m_rtfBegriff = nullptr;
    QListWidget* m_lstBegriff = nullptr;
    QToolButton* m_cmdZurueck = nullptr;
    LexikonText* m_rtfLexikon = nullptr;
    QFrame* m_shpBilder = nullptr;
    QScrollBar* m_vscBilder = nullptr;
    forms::SteuerFeld<QLabel> m_imgLexikon{1};

    std::vector<LexikonSuchbegriff> m_begriffe; // the list's entries, in its order
    QStringList m_begriffTexte;
    std::vector<Vorschau> m_imlBilderLexikon;
    int m_kapitelNr = 0;  // chapter shown, 0 before the first
    int m_bildStart = 1;  // picture in the first slot
    int m_obenGemerkt = -1;     // first character shown when the layout pass began
    bool m_loeschtaste = false; // the search text changes by a deletion key
};

} // namespace kav
