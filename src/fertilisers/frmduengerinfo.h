#pragma once
// The notice window: a title line, a text, a traffic-light picture and the link "Mehr..." into the
// lexicon at the chapter named by the window's tag. Each opener starts from the designed texts and
// fills what it needs.
#include "fertilisers/hornregel.h"
#include "frame/seite.h"
#include "platform/bild.h"

#include <QLabel>

namespace kav {

class frmDuengerInfo : public Seite {
    Q_OBJECT
public:
    frmDuengerInfo();

    QLabel* lbltitel() const { return m_lbltitel; }
    QLabel* lblText() const { return m_lblText; }
    forms::Bild* imgAmpel() const { return m_imgAmpel; }
    QLabel* lblMehr() const { return m_lblMehr; }

    // Designed state, centred over the main window, gradient.
    void Form_Load() override;
    // The main window takes the focus back.
    void Form_Unload() override;

    // Caption, title line, text, picture and tag as designed.
    void grundzustand();
    // Sets the picture of the class `klasse` ("Gruen", "Gelb", "Rot") as picture and window icon.
    void ampelSetzen(const QString& klasse);
    // Shows the window modeless over the main window.
    void zeigen();
    // The notice becomes the active window and takes the keyboard.
    void tastaturNehmen();
    void lblMehr_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Shown by the program (not un-minimised), the notice takes the keyboard; Enter, Escape and Space
    // close it.
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void mitteSetzen();

    QLabel* m_lbltitel = nullptr;
    QLabel* m_lblText = nullptr;
    forms::Bild* m_imgAmpel = nullptr;
    QLabel* m_lblMehr = nullptr;
};

// The notice window in its designed state (loaded, or the open one reset); nullptr when it cannot
// be loaded.
frmDuengerInfo* DuengerInfoOeffnen();
// Fills the notice window with what it tells about a fertiliser of the catalogue: caption by the
// class ("Gelb", "Rot"), name with contents, advice text. Loads the window, does not show it.
frmDuengerInfo* DuengerInfoAnzeigen(const QString& strKategorie, const QString& strDuengerNr);
// Shows a notice (horn fertilisers) in the notice window.
void DuengerHinweisZeigen(const Hinweis& h);
// Tells that the fertiliser just entered does not suit the need (lexicon chapter "AuswahlDuenger").
void DuengerUngeeignetMelden();

} // namespace kav
