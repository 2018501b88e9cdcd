#pragma once
// The date inputs of the program, typed as the user types (DatumsEingabe). Every road into them goes
// through the same check: a date that does not exist or lies outside the range is refused as a whole,
// the date before stays (selected, to be typed anew) and the user is told why (beiAbweisung).
// - a date box (DatumsFeld): digits typed from the front (the whole text or its first part selected,
//   as Tab leaves it), or Backspace from its end, show in the box as typed, and the date is taken as
//   soon as it is whole. A digit typed into a later part (selected, or the cursor in it) types that
//   part anew, the others staying, and the date is taken when the part is whole; Backspace or Delete
//   there empties the part. A date pasted (Ctrl+V, Shift+Insert, the context menu's "Einfügen") is
//   taken whole, or refused at once naming the text pasted. A text Qt's own editing would make that
//   is no date (undo, cut) is not taken; Qt never moves the day into a shorter month.
//   Its drop-down calendar is typed into as a month calendar and shows the day names whole.
// - a month calendar (kalenderTippbar): what is typed shows in a line at its foot, in a row of its
//   own under the weeks, and the day is chosen as soon as the date is whole; Ctrl+V and Shift+Insert
//   choose a date pasted whole.
// A date left unfinished, however the input is left (Tab, Shift+Tab, Return, another key, a click
// anywhere, the focus set elsewhere), is refused as a paste of its text is; a click that ended it does
// nothing more, a key neither. Escape drops what is typed, and nothing typed (Backspace back to
// nothing) keeps the date, both without a word. Another window or a menu over the input leaves the
// typing as it is.
#include "platform/datumseingabe.h"

#include <QDateEdit>

#include <functional>
#include <memory>

class QCalendarWidget;

namespace kav::forms {

// Told why a date typed (or pasted) was refused.
using DatumAbgewiesen = std::function<void(const DatumsAbweisung&)>;

class Tippwache;

class DatumsFeld : public QDateEdit {
    Q_OBJECT
public:
    explicit DatumsFeld(QWidget* eltern = nullptr);
    ~DatumsFeld() override;

    void beiAbweisung(DatumAbgewiesen melden) { m_melden = std::move(melden); }

    // Ends a date being typed as leaving the box does: a whole date is taken, nothing typed keeps the
    // date shown, an unfinished one is refused (told, the date before selected). False when refused:
    // whatever wanted the date (storing) does not go on.
    bool beenden();
    // A date is being typed: the box shows what is typed, not yet its date.
    bool tipptGerade();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    // The line edit's menu with its "Einfügen" taking the date whole, and the steps.
    void contextMenuEvent(QContextMenuEvent* e) override;
    // Tab and Shift+Tab go on to the next control, as from every other box (the day, month and year
    // are reached with the arrow keys); an unfinished date refused keeps the focus.
    bool focusNextPrevChild(bool next) override;
    // While a date is typed its text is what the user typed; else only a date that exists in the
    // range is taken, and nothing is ever corrected into one.
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;

private:
    DatumsEingabe neueEingabe() const;
    bool tippenBeginnen(const QKeyEvent* e);
    void beginnen(std::unique_ptr<DatumsEingabe> e);
    void eingabeWeg();
    void zeichenTippen(QChar c);
    void zeigen();
    void uebernehmen(const QDate& datum);
    // The typing ended: the date before shows again.
    void verwerfen();
    bool beenden(bool spaeter);
    // The date typed refused: the date before shows, selected to be typed anew, and the user is told
    // (`spaeter`: once the event that ended the typing is over, as when the focus moves).
    void abweisen(const DatumsAbweisung& a, bool spaeter = false);
    // The drop-down calendar typed into as a month calendar, as wide as its day names.
    void kalenderVorbereiten();
    // The clipboard's text taken whole as the date, or refused saying why.
    void einfuegen();

    std::unique_ptr<DatumsEingabe> m_eingabe; // while a date is typed
    Tippwache* m_wache;
    DatumAbgewiesen m_melden;
};

// Dates may be typed into `kalender` in the Qt date format `format`; a date refused is told to `melden`.
void kalenderTippbar(QCalendarWidget* kalender, const QString& format, DatumAbgewiesen melden = {});

// The smallest size of `kalender` that shows its weeks whole and, when it is typed into, the line of
// the date typed below them; at least as wide as its day names need (kalenderBreiteSetzen).
QSize kalenderMindestgroesse(const QCalendarWidget* kalender);

// Makes `kalender` at least as wide as its day names need in its font (Qt sizes it for the plain
// font while it draws them bold).
void kalenderBreiteSetzen(QCalendarWidget* kalender);

} // namespace kav::forms
