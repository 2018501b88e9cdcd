#pragma once
// The intro window: logo and credits at start-up; a double-click, Enter, Space, Escape or ten seconds
// start the program.
#include "frame/anordnung.h"
#include "platform/bild.h"
#include "platform/fenster.h"

#include <QImage>
#include <QPixmap>
#include <QTimer>

class QFrame;
class QLabel;

namespace kav {

class frmIntro : public forms::Formular, public Anordenbar {
    Q_OBJECT
public:
    frmIntro();

    forms::Bild* picIntro() const { return m_pic; }
    QFrame* shpRahmen() const { return m_rahmen; }
    QLabel* lblIntro() const { return m_lbl; }
    QTimer& timIntro() { return m_timer; }

    void Form_Load() override;
    void Form_Unload() override;
    void anordnen(Anordnung& a) override;

    static QString creditsText();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    forms::Bild* m_pic = nullptr;
    QFrame* m_rahmen = nullptr;
    QLabel* m_lbl = nullptr;
    QTimer m_timer;
    QPixmap m_logo;       // read once from m_logoDatei
    QString m_logoDatei;
};

// The logo as read from `datei` (null when it cannot be read); read ahead when logoVorausLesen was
// asked for that file.
QImage logoLesen(const QString& datei);
// Starts reading the logo in a thread of its own, while the program opens its files; and drops
// such a reading that nobody took (after waiting for its end).
void logoVorausLesen(const QString& datei);
void logoVorausVerwerfen();

// Opens the navigation bar and the start page of the step key, unloads the intro window and sets
// the caption. On a failure it starts once more on the analysis page.
void ProgrammStarten();

} // namespace kav
