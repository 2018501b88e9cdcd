#include "platform/datumsfeld.h"

#include "platform/datumseingabe.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QCalendarWidget>
#include <QClipboard>
#include <QGuiApplication>
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

enum class Getippt { Nein, Ja, Abgewiesen };

// A digit or Backspace on the date being typed in `eingabe`. With none being typed, a digit begins
// one on the base date `datum` and Backspace takes `datum` back from its end. Nein for any other key,
// and when no date is begun: a digit no date begins with, a format that cannot be typed. Abgewiesen
// (the typing ended, `abweisung` set) when the key gives a date that does not exist or lies outside
// the range.
Getippt tippenIn(std::unique_ptr<DatumsEingabe>& eingabe, Taste t, const QKeyEvent* e, const QString& format,
                 const QDate& datum, const QDate& von, const QDate& bis, std::optional<DatumsAbweisung>& abweisung)
{
    if (t != Taste::Zeichen && t != Taste::Zurueck)
        return Getippt::Nein;
    if (!eingabe) {
        auto neu = std::make_unique<DatumsEingabe>(format);
        neu->setBereich(von, bis);
        neu->setBasis(datum);
        if (!neu->moeglich())
            return Getippt::Nein;
        if (t == Taste::Zurueck) {
            neu->setDatum(datum);
            neu->zuruecknehmen();
        } else if (!neu->zeichen(e->text().front())) {
            abweisung = neu->abweisung();
            return abweisung ? Getippt::Abgewiesen : Getippt::Nein;
        }
        eingabe = std::move(neu);
    } else if (t == Taste::Zeichen) {
        // a key that is no part of a date changes nothing; a date that cannot be ends the typing
        if (!eingabe->zeichen(e->text().front()) && eingabe->abweisung()) {
            abweisung = eingabe->abweisung();
            eingabe.reset();
            return Getippt::Abgewiesen;
        }
    } else {
        eingabe->zuruecknehmen();
    }
    return Getippt::Ja;
}

// The height of the line of the date typed in a calendar's font.
int zeilenHoehe(const QFont& f) { return QFontMetrics(f).height() + 6; }

const QString kZeile = QStringLiteral("kavDatumGetippt");

// The month calendar's typing: the text in a line at its foot, below the weeks.
class KalenderTippen : public QObject {
public:
    KalenderTippen(QCalendarWidget* kalender, const QString& format, DatumAbgewiesen melden)
        : QObject(kalender), m_kalender(kalender), m_format(format), m_melden(std::move(melden))
    {
        kalender->setDateEditEnabled(false); // Qt's own typing there takes nonsense dates
        m_zeile = new QLabel(kalender);
        m_zeile->setObjectName(kZeile);
        m_zeile->setFrameShape(QFrame::Box);
        m_zeile->setAutoFillBackground(true);
        m_zeile->setAlignment(Qt::AlignCenter);
        m_zeile->hide();
        // a row of the calendar's own layout: the weeks give it room instead of lying under it
        if (auto* l = qobject_cast<QBoxLayout*>(kalender->layout()))
            l->addWidget(m_zeile);
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
        std::optional<DatumsAbweisung> abweisung;
        const Getippt g = tippenIn(m_eingabe, t, k, m_format, m_kalender->selectedDate(), m_kalender->minimumDate(),
                                   m_kalender->maximumDate(), abweisung);
        if (g == Getippt::Abgewiesen) {
            abbrechen();
            if (m_melden)
                m_melden(*abweisung);
            return true;
        }
        if (g == Getippt::Nein) {
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
        m_zeile->setFixedHeight(zeilenHoehe(m_kalender->font()));
        m_zeile->setText(m_eingabe->text());
        zeileZeigen(!m_zeile->text().isEmpty()); // Backspace back to nothing: the line goes
    }
    void zeileZeigen(bool ja)
    {
        if (m_zeile->isVisibleTo(m_kalender) == ja)
            return;
        m_zeile->setVisible(ja);
        if (m_kalender->layout())
            m_kalender->layout()->activate(); // the weeks make room now, not at the next layout event
        // a drop-down calendar alone in its window: the window grows by the line
        QWidget* fenster = m_kalender->parentWidget();
        if (fenster && fenster->isWindow() && fenster->windowType() == Qt::Popup)
            fenster->resize(fenster->width(), fenster->height() + (ja ? 1 : -1) * m_zeile->height());
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
        zeileZeigen(false);
    }

    QCalendarWidget* m_kalender;
    QString m_format;
    DatumAbgewiesen m_melden;
    QLabel* m_zeile;
    std::unique_ptr<DatumsEingabe> m_eingabe;
};

} // namespace

DatumsFeld::DatumsFeld(QWidget* eltern) : QDateEdit(eltern) { lineEdit()->installEventFilter(this); }

DatumsFeld::~DatumsFeld() = default;

bool DatumsFeld::tippen(QKeyEvent* e)
{
    const Taste t = tasteVon(e);
    const QLineEdit* le = lineEdit();
    const bool alles = !le->text().isEmpty() && le->selectedText() == le->text();
    // the whole text or its first part selected (as Tab leaves it), or the cursor before it
    const bool vorn = (le->hasSelectedText() ? le->selectionStart() : le->cursorPosition()) == 0;
    const bool amEnde = !le->hasSelectedText() && le->cursorPosition() == le->text().size();
    std::optional<DatumsAbweisung> abweisung;
    const auto weiter = [&](Taste taste) {
        return tippenIn(m_eingabe, taste, e, displayFormat(), date(), minimumDate(), maximumDate(), abweisung);
    };
    Getippt g = Getippt::Ja;
    if (!m_eingabe && alles && (t == Taste::Zurueck || t == Taste::Entfernen)) {
        // the whole text deleted: typed anew from nothing
        if (weiter(Taste::Zurueck) == Getippt::Nein)
            return false;
        m_eingabe->leeren();
    } else if (!m_eingabe && (t == Taste::Zeichen ? !vorn : !amEnde)) {
        return false; // a date is typed anew from the front, or taken back with Backspace from its end
    } else if (!(m_eingabe && t == Taste::Entfernen) && (g = weiter(t)) == Getippt::Nein) {
        return false;
    }
    if (g == Getippt::Abgewiesen) {
        abweisen(*abweisung);
        return true;
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

void DatumsFeld::abweisen(const DatumsAbweisung& a)
{
    m_eingabe.reset();
    setDate(date());
    lineEdit()->selectAll();
    if (m_melden)
        m_melden(a);
}

void DatumsFeld::einfuegen()
{
    abschliessen();
    const QString text = QGuiApplication::clipboard()->text().trimmed();
    DatumsEingabe e(displayFormat());
    e.setBereich(minimumDate(), maximumDate());
    e.setBasis(date());
    DatumsAbweisung keinDatum; // Grund::KeinDatum
    keinDatum.getippt = text;
    for (const QChar c : text) {
        if (!e.zeichen(c)) {
            abweisen(e.abweisung().value_or(keinDatum));
            return;
        }
    }
    if (const std::optional<QDate> d = e.datum()) {
        setDate(*d);
        lineEdit()->setCursorPosition(int(lineEdit()->text().size()));
    } else if (text.isEmpty()) {
        abweisen(keinDatum);
    } else {
        DatumsAbweisung a = e.unvollstaendig();
        a.getippt = text;
        abweisen(a);
    }
}

void DatumsFeld::kalenderVorbereiten()
{
    if (!calendarPopup())
        return;
    QCalendarWidget* k = calendarWidget();
    if (k->isDateEditEnabled())
        kalenderTippbar(k, displayFormat(), [this](const DatumsAbweisung& a) {
            if (m_melden)
                m_melden(a);
        });
    kalenderBreiteSetzen(k);
}

void DatumsFeld::keyPressEvent(QKeyEvent* e)
{
    if (e == QKeySequence::Paste) {
        einfuegen();
        e->accept();
        return;
    }
    if (tippen(e)) {
        e->accept();
        return;
    }
    const Taste t = tasteVon(e);
    const bool ziffer = t == Taste::Zeichen && e->text().front().isDigit();
    const int cursor = lineEdit()->cursorPosition();
    if (ziffer && !lineEdit()->hasSelectedText() && cursor > 0 && cursor < lineEdit()->text().size()) {
        // a digit with the cursor inside the date: typed into the part there, as when it is selected
        setSelectedSection(currentSection());
        if (tippen(e)) {
            e->accept();
            return;
        }
    } else if (t == Taste::Zeichen && !ziffer) {
        e->accept(); // a separator that begins no date (the box would take it for Tab)
        return;
    }
    if (t != Taste::Umschalter)
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

bool DatumsFeld::eventFilter(QObject* o, QEvent* e)
{
    if (o == lineEdit() && e->type() == QEvent::MouseButtonPress)
        abschliessen();
    return QDateEdit::eventFilter(o, e);
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

void kalenderTippbar(QCalendarWidget* kalender, const QString& format, DatumAbgewiesen melden)
{
    new KalenderTippen(kalender, format, std::move(melden));
}

QSize kalenderMindestgroesse(const QCalendarWidget* kalender)
{
    const QSize h = kalender->minimumSizeHint();
    const bool tippbar = kalender->findChild<QLabel*>(kZeile, Qt::FindDirectChildrenOnly);
    const int zeile = tippbar ? zeilenHoehe(kalender->font()) : 0;
    return {std::max(h.width(), kalender->minimumWidth()), h.height() + zeile};
}

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
