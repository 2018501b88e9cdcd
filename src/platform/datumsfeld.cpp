#include "platform/datumsfeld.h"

#include "platform/datumseingabe.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace kav::forms {

namespace {

enum class Taste { Zeichen, Zurueck, Entfernen, Bestaetigen, Abbrechen, Umschalter, Andere };

Taste tasteVon(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return Taste::Umschalter;
    default:
        break;
    }
    if (e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier))
        return Taste::Andere;
    switch (e->key()) {
    case Qt::Key_Backspace:
        return Taste::Zurueck;
    case Qt::Key_Delete:
        return Taste::Entfernen;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Taste::Bestaetigen;
    case Qt::Key_Escape:
        return Taste::Abbrechen;
    default:
        break;
    }
    const QString t = e->text();
    return t.size() == 1 && t.front().isPrint() && !t.front().isLetter() ? Taste::Zeichen : Taste::Andere;
}

// A digit or Backspace on the date being typed in `eingabe`. With none being typed, a digit begins
// one on the base date `datum` and Backspace takes `datum` back from its end. False for any other key,
// and when no date is begun: a digit no date begins with, a format that cannot be typed.
bool tippenIn(std::unique_ptr<DatumsEingabe>& eingabe, Taste t, const QKeyEvent* e, const QString& format,
              const QDate& datum, const QDate& von, const QDate& bis)
{
    if (t != Taste::Zeichen && t != Taste::Zurueck)
        return false;
    if (!eingabe) {
        auto neu = std::make_unique<DatumsEingabe>(format);
        neu->setBereich(von, bis);
        neu->setBasis(datum);
        if (!neu->moeglich() || (t == Taste::Zeichen && !neu->zeichen(e->text().front())))
            return false;
        if (t == Taste::Zurueck) {
            neu->setDatum(datum);
            neu->zuruecknehmen();
        }
        eingabe = std::move(neu);
    } else if (t == Taste::Zeichen) {
        eingabe->zeichen(e->text().front()); // a refused key changes nothing
    } else {
        eingabe->zuruecknehmen();
    }
    return true;
}

// The month calendar's typing: the text in a line at its foot.
class KalenderTippen : public QObject {
public:
    KalenderTippen(QCalendarWidget* kalender, const QString& format)
        : QObject(kalender), m_kalender(kalender), m_format(format)
    {
        kalender->setDateEditEnabled(false); // Qt's own typing there takes nonsense dates
        m_zeile = new QLabel(kalender);
        m_zeile->setObjectName(QStringLiteral("kavDatumGetippt"));
        m_zeile->setFrameShape(QFrame::Box);
        m_zeile->setAutoFillBackground(true);
        m_zeile->setAlignment(Qt::AlignCenter);
        m_zeile->hide();
        for (QAbstractItemView* v : kalender->findChildren<QAbstractItemView*>())
            v->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::FocusOut && m_eingabe)
            abbrechen();
        if (e->type() != QEvent::KeyPress)
            return QObject::eventFilter(o, e);
        const auto* k = static_cast<QKeyEvent*>(e);
        const Taste t = tasteVon(k);
        if (!tippenIn(m_eingabe, t, k, m_format, m_kalender->selectedDate(), m_kalender->minimumDate(),
                      m_kalender->maximumDate())) {
            if (!m_eingabe)
                return false;
            switch (t) {
            case Taste::Bestaetigen:
                uebernehmen();
                return true;
            case Taste::Abbrechen:
                abbrechen();
                return true;
            case Taste::Andere:
                abbrechen();
                return false;
            default: // Delete and the modifier keys change nothing
                break;
            }
        }
        if (m_eingabe->fertig())
            uebernehmen();
        else
            zeigen();
        return true;
    }

private:
    void zeigen()
    {
        m_zeile->setFont(m_kalender->font());
        m_zeile->setText(m_eingabe->text());
        const int h = m_zeile->fontMetrics().height() + 6;
        m_zeile->setGeometry(0, m_kalender->height() - h, m_kalender->width(), h);
        m_zeile->show();
        m_zeile->raise();
    }
    void uebernehmen()
    {
        const std::optional<QDate> d = m_eingabe->datum();
        abbrechen();
        if (d)
            m_kalender->setSelectedDate(*d);
    }
    void abbrechen()
    {
        m_eingabe.reset();
        m_zeile->hide();
    }

    QCalendarWidget* m_kalender;
    QString m_format;
    QLabel* m_zeile;
    std::unique_ptr<DatumsEingabe> m_eingabe;
};

} // namespace

DatumsFeld::DatumsFeld(QWidget* eltern) : QDateEdit(eltern) {}

DatumsFeld::~DatumsFeld() = default;

bool DatumsFeld::tippen(QKeyEvent* e)
{
    const Taste t = tasteVon(e);
    const QLineEdit* le = lineEdit();
    const bool alles = !le->text().isEmpty() && le->selectedText() == le->text();
    // the whole text or its first part selected (as Tab leaves it), or the cursor before it
    const bool vorn = (le->hasSelectedText() ? le->selectionStart() : le->cursorPosition()) == 0;
    const bool amEnde = !le->hasSelectedText() && le->cursorPosition() == le->text().size();
    const auto weiter = [&](Taste taste) {
        return tippenIn(m_eingabe, taste, e, displayFormat(), date(), minimumDate(), maximumDate());
    };
    if (!m_eingabe && alles && (t == Taste::Zurueck || t == Taste::Entfernen)) {
        // the whole text deleted: typed anew from nothing
        if (!weiter(Taste::Zurueck))
            return false;
        m_eingabe->leeren();
    } else if (!m_eingabe && (t == Taste::Zeichen ? !vorn : !amEnde)) {
        return false; // a date is typed anew from the front, or taken back with Backspace from its end
    } else if (!(m_eingabe && t == Taste::Entfernen) && !weiter(t)) {
        return false;
    }
    zeigen();
    if (m_eingabe->fertig())
        abschliessen();
    return true;
}

void DatumsFeld::zeigen()
{
    // the box's own parsing stays out of it until the date is taken
    const QSignalBlocker still(lineEdit());
    lineEdit()->setText(m_eingabe->text());
}

void DatumsFeld::abschliessen()
{
    if (!m_eingabe)
        return;
    const std::optional<QDate> d = m_eingabe->datum();
    m_eingabe.reset();
    setDate(d ? *d : date()); // also shows the date in the box's format again
    lineEdit()->setCursorPosition(int(lineEdit()->text().size()));
}

void DatumsFeld::kalenderVorbereiten()
{
    if (!calendarPopup())
        return;
    QCalendarWidget* k = calendarWidget();
    if (k->isDateEditEnabled())
        kalenderTippbar(k, displayFormat());
    kalenderBreiteSetzen(k);
}

void DatumsFeld::keyPressEvent(QKeyEvent* e)
{
    if (tippen(e)) {
        e->accept();
        return;
    }
    if (tasteVon(e) != Taste::Umschalter)
        abschliessen();
    kalenderVorbereiten(); // the keys may drop the calendar down
    QDateEdit::keyPressEvent(e);
}

void DatumsFeld::mousePressEvent(QMouseEvent* e)
{
    abschliessen();
    kalenderVorbereiten();
    QDateEdit::mousePressEvent(e);
}

void DatumsFeld::focusOutEvent(QFocusEvent* e)
{
    abschliessen();
    QDateEdit::focusOutEvent(e);
}

QValidator::State DatumsFeld::validate(QString& text, int& pos) const
{
    if (m_eingabe)
        return QValidator::Intermediate;
    return QDateEdit::validate(text, pos);
}

void DatumsFeld::fixup(QString& text) const
{
    if (!m_eingabe)
        QDateEdit::fixup(text);
}

void kalenderTippbar(QCalendarWidget* kalender, const QString& format) { new KalenderTippen(kalender, format); }

void kalenderBreiteSetzen(QCalendarWidget* kalender)
{
    if (!kalender)
        return;
    QLocale::FormatType art = QLocale::ShortFormat;
    switch (kalender->horizontalHeaderFormat()) {
    case QCalendarWidget::NoHorizontalHeader:
        return;
    case QCalendarWidget::SingleLetterDayNames:
        art = QLocale::NarrowFormat;
        break;
    case QCalendarWidget::LongDayNames:
        art = QLocale::LongFormat;
        break;
    case QCalendarWidget::ShortDayNames:
        break;
    }
    QFont f = kalender->font();
    f.setBold(true);
    const QFontMetrics fm(f);
    int breit = 0;
    for (int tag = 1; tag <= 7; ++tag)
        breit = std::max(breit, fm.horizontalAdvance(kalender->locale().dayName(tag, art)));
    // the cell's margins on both sides, as the calendar draws them, and a little air
    const int rand = (kalender->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, kalender) + 1) * 2 + 2;
    const int spalten = kalender->verticalHeaderFormat() == QCalendarWidget::NoVerticalHeader ? 7 : 8;
    kalender->setMinimumWidth(spalten * (breit + rand));
}

} // namespace kav::forms
