#pragma once
// The date inputs of the program, typed as the user types (DatumsEingabe):
// - a date box (DatumsFeld): digits typed from the front (the whole text or its first part selected,
//   as Tab leaves it), or Backspace from its end, show in the box as typed, and the date is taken as
//   soon as it is whole; a date left unfinished (Enter, another key, the focus elsewhere) gives way
//   to the date shown before. Typing into a later part (the year selected) stays as the box has it.
//   Its drop-down calendar is typed into as a month calendar and shows the day names whole.
// - a month calendar (kalenderTippbar): what is typed shows in a line at its foot and the day is
//   chosen as soon as the date is whole; Escape drops it.
#include <QDateEdit>

#include <memory>

class QCalendarWidget;

namespace kav::forms {

class DatumsEingabe;

class DatumsFeld : public QDateEdit {
    Q_OBJECT
public:
    explicit DatumsFeld(QWidget* eltern = nullptr);
    ~DatumsFeld() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
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
    // The drop-down calendar typed into as a month calendar, as wide as its day names.
    void kalenderVorbereiten();

    std::unique_ptr<DatumsEingabe> m_eingabe; // while a date is typed
};

// Dates may be typed into `kalender` in the Qt date format `format`.
void kalenderTippbar(QCalendarWidget* kalender, const QString& format);

// Makes `kalender` at least as wide as its day names need in its font (Qt sizes it for the plain
// font while it draws them bold).
void kalenderBreiteSetzen(QCalendarWidget* kalender);

} // namespace kav::forms
