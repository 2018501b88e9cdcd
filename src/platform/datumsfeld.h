#pragma once
// The date inputs of the program, typed as the user types (DatumsEingabe):
// - a date box (DatumsFeld): digits typed from the front (the whole text or its first part selected,
//   as Tab leaves it), or Backspace from its end, show in the box as typed, and the date is taken as
//   soon as it is whole; a date left unfinished (Enter, another key, the focus elsewhere) gives way
//   to the date shown before. A date that does not exist or lies outside the box's range is refused
//   as a whole: the date before stays and the box says why (beiAbweisung). Typing into a later part
//   (the year selected, or a digit with the cursor inside it) stays as the box has it; a separator
//   that begins no date moves nothing. A date pasted is taken whole, or refused saying why.
//   Its drop-down calendar is typed into as a month calendar and shows the day names whole.
// - a month calendar (kalenderTippbar): what is typed shows in a line at its foot, in a row of its
//   own under the weeks, and the day is chosen as soon as the date is whole; Escape drops it.
#include "platform/datumseingabe.h"

#include <QDateEdit>

#include <functional>
#include <memory>

class QCalendarWidget;

namespace kav::forms {

// Told why a date typed (or pasted) was refused.
using DatumAbgewiesen = std::function<void(const DatumsAbweisung&)>;

class DatumsFeld : public QDateEdit {
    Q_OBJECT
public:
    explicit DatumsFeld(QWidget* eltern = nullptr);
    ~DatumsFeld() override;

    void beiAbweisung(DatumAbgewiesen melden) { m_melden = std::move(melden); }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override; // a click into the text ends a date typed as a click on the box
    void focusOutEvent(QFocusEvent* e) override;
    // Tab and Shift+Tab go on to the next control, as from every other box (the day, month and year
    // are reached with the arrow keys).
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
    // While a date is typed its text is what the user typed, not yet a date of the box.
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;

private:
    bool tippen(QKeyEvent* e);
    void zeigen();
    void abschliessen();
    // The date typed refused: the date before shows, selected to be typed anew, and the user is told.
    void abweisen(const DatumsAbweisung& a);
    void einfuegen();
    // The drop-down calendar typed into as a month calendar, as wide as its day names.
    void kalenderVorbereiten();

    std::unique_ptr<DatumsEingabe> m_eingabe; // while a date is typed
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
