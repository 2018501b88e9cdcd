#pragma once
// Windows by name: the register of loaded windows (in load order) with synchronous load and unload,
// and the base class of the program's windows.
#include "platform/twips.h"

#include <QAbstractButton>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>

namespace kav::forms {

class FensterRegister;

// A window of the program, known by its name.
class Fenster {
public:
    enum class Art {
        Kind,          // shown inside the main window's work area
        Dialog,        // a window of its own, owned by the main window
        Hauptfenster,  // the main window itself
    };

    explicit Fenster(QString name) : m_name(std::move(name)) {}
    virtual ~Fenster();
    Fenster(const Fenster&) = delete;
    Fenster& operator=(const Fenster&) = delete;

    const QString& name() const { return m_name; }
    virtual QWidget* widget() = 0;
    virtual Art art() const { return Art::Kind; }
    // A page of the work area: shown, it gives the focus to its first control in reading order
    // unless one of its controls has it already.
    virtual bool fokusBeimZeigen() const { return false; }

    // Runs when the window is loaded (it counts as loaded already) and before it goes.
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

    FensterRegister* fensterRegister() const { return m_register; }

private:
    friend class FensterRegister;
    QString m_name;
    FensterRegister* m_register = nullptr;
};

// A window built as a widget, with what a form gives its controls at the keyboard: Tab and Shift+Tab
// go through the controls in reading order (the chain is worked out from where they stand), the
// control with the focus shows the focus mark, Enter presses the button that has the focus or else
// the window's default button, Escape presses its cancel button.
class Formular : public QWidget, public Fenster {
    Q_OBJECT
public:
    explicit Formular(const QString& name, QWidget* eltern = nullptr);
    QWidget* widget() override { return this; }

    QString Tag() const { return forms::Tag(this); }
    void setTag(const QString& t) { forms::setTag(this, t); }

    // Unloads this window through its register (as the window's own close does).
    void entladen();

    // The button Enter presses when no button has the focus, and the one Escape presses; none when
    // not set. A button that is hidden or disabled is not pressed.
    void setStandardKnopf(QAbstractButton* b) { m_standard = b; }
    void setAbbruchKnopf(QAbstractButton* b) { m_abbruch = b; }
    QAbstractButton* standardKnopf() const { return m_standard; }
    QAbstractButton* abbruchKnopf() const { return m_abbruch; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    // Enter or Return that no control took: the focused button of this window, else the default
    // button. True when a button was pressed.
    virtual bool eingabetaste();
    // Escape that no control took: the cancel button. True when it was pressed.
    virtual bool escapetaste();

private:
    QPointer<QAbstractButton> m_standard;
    QPointer<QAbstractButton> m_abbruch;
};

// The width in pixels a window needs for its whole caption in the title bar: the text in a bold title
// font, with room for the window's icon and up to three buttons (window managers cut a caption too
// long in its middle).
int titelleistenBreite(const QString& titel);

// Sizes the window `fenster` to its contents, as adjustSize does, and holds it at that size: its edges
// cannot be dragged, so a window manager draws no resize handle along its foot. A width the window
// fixed for itself before the first call stays; after its contents changed, a new call sizes it again.
void inhaltsgroesseFesthalten(QWidget* fenster);

// Presses `b` when it is shown and enabled; false otherwise.
bool knopfDruecken(QAbstractButton* b);

// The loaded windows, in load order. Loading and unloading run to their end before they return.
class FensterRegister {
public:
    using Fabrik = std::function<Fenster*()>;

    FensterRegister();
    ~FensterRegister();
    FensterRegister(const FensterRegister&) = delete;
    FensterRegister& operator=(const FensterRegister&) = delete;

    // Makes a window class known under its window name.
    void klasseAnmelden(const QString& name, Fabrik fabrik);
    bool klasseBekannt(const QString& name) const;

    // Parents of new windows: the work area for child windows, the main window for dialogs.
    void setEltern(QWidget* arbeitsbereich, QWidget* hauptfenster);

    // Enters an existing window as loaded (the main window).
    void eintragen(Fenster* f);

    // The loaded window of `name`; loads it (and runs its Form_Load) when it is not loaded.
    // Throws FormsFehler for an unknown name or while loading is locked; an exception of
    // Form_Load unloads the window again and is passed on.
    Fenster* laden(const QString& name);
    // Loads and shows.
    Fenster* zeigen(const QString& name);

    // The loaded window of `name`, or nullptr; never loads.
    Fenster* fenster(const QString& name) const;
    template <class T>
    T* fensterAls(const QString& name) const { return dynamic_cast<T*>(fenster(name)); }
    bool istGeladen(const QString& name) const { return fenster(name) != nullptr; }

    QList<Fenster*> geladene() const;
    QStringList namen() const;
    int anzahl() const { return static_cast<int>(geladene().size()); }

    // Unloads at once: Form_Unload runs, the window leaves the register and is hidden; the
    // widget itself is deleted when control returns to the event loop.
    void entladen(const QString& name);
    void entladen(Fenster* f);

    // While locked (during a layout pass) no window can be loaded.
    void setGesperrt(bool gesperrt) { m_gesperrt = gesperrt; }
    bool gesperrt() const { return m_gesperrt; }

private:
    struct Eintrag {
        Fenster* fenster;
        QPointer<QWidget> widget;
        bool entlaedt = false;
    };
    void aufraeumen() const;
    friend class Fenster;
    void vergessen(Fenster* f);

    std::map<QString, Fabrik> m_klassen;
    mutable QList<Eintrag> m_geladen;
    QPointer<QWidget> m_arbeitsbereich;
    QPointer<QWidget> m_hauptfenster;
    bool m_gesperrt = false;
};

} // namespace kav::forms
