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
#include <QMenu>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <variant>

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

// The section of a date box that is its part `art` ('d', 'M' or 'y').
QDateTimeEdit::Section sektionVon(QChar art)
{
    return art == QLatin1Char('d')   ? QDateTimeEdit::DaySection
           : art == QLatin1Char('M') ? QDateTimeEdit::MonthSection
           : art == QLatin1Char('y') ? QDateTimeEdit::YearSection
                                     : QDateTimeEdit::NoSection;
}

bool verlaesst(const QFocusEvent* e)
{
    // another window or a menu over the input: the typing goes on when the focus comes back
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

// `an` is told `a`; `spaeter`: once the event being handled is over (the focus moving), so that the
// message box takes no part in it (`kontext` gone, nothing is told).
void melden(QObject* kontext, const DatumAbgewiesen& an, const DatumsAbweisung& a, bool spaeter)
{
    if (!an)
        return;
    if (spaeter)
        QTimer::singleShot(0, kontext, [an, a] { an(a); });
    else
        an(a);
}

// The height of the line of the date typed in a calendar's font.
int zeilenHoehe(const QFont& f) { return QFontMetrics(f).height() + 6; }

const QString kZeile = QStringLiteral("kavDatumGetippt");

} // namespace

// While a date is typed into an input, a mouse press anywhere ends the typing first, as the press
// reaches the window (before the focus moves or a button goes down); a press that ended an unfinished
// date, refused, goes no further. A press that moved the focus before it reached the window (Qt's own
// delivery to a widget, as a test clicks) and so ended a date refused goes no further either.
class Tippwache : public QObject {
public:
    Tippwache(QObject* eltern, std::function<bool()> beenden) : QObject(eltern), m_beenden(std::move(beenden)) {}
    void an()
    {
        m_tippt = true;
        QCoreApplication::instance()->installEventFilter(this);
    }
    void aus()
    {
        m_tippt = false;
        if (!m_schlucken)
            QCoreApplication::instance()->removeEventFilter(this);
    }
    // The focus moved by the press being delivered now ended a date refused: the press is dropped (only
    // while this event is delivered).
    void klickSchlucken()
    {
        m_schlucken = true;
        QCoreApplication::instance()->installEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            m_schlucken = false;
            if (!m_tippt)
                aus();
        });
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick)
            return QObject::eventFilter(o, e);
        if (std::exchange(m_schlucken, false))
            return true;
        return m_tippt && !m_beenden();
    }

private:
    std::function<bool()> m_beenden;
    bool m_tippt = false, m_schlucken = false;
};

namespace {

// The month calendar's typing: the text in a line at its foot, below the weeks.
class KalenderTippen : public QObject {
public:
    KalenderTippen(QCalendarWidget* kalender, const QString& format, DatumAbgewiesen melden)
        : QObject(kalender), m_kalender(kalender), m_format(format), m_melden(std::move(melden)),
          m_wache(new Tippwache(this, [this] { return beenden(false); }))
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
        if (e->type() == QEvent::FocusOut && m_eingabe && verlaesst(static_cast<QFocusEvent*>(e))
            && !beenden(true) && static_cast<QFocusEvent*>(e)->reason() == Qt::MouseFocusReason)
            m_wache->klickSchlucken();
        if (e->type() != QEvent::KeyPress)
            return QObject::eventFilter(o, e);
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->matches(QKeySequence::Paste)) {
            einfuegen();
            return true;
        }
        const Taste t = tasteVon(k);
        if (!m_eingabe) {
            // a digit begins a date, Backspace takes the day chosen back from its end; the other keys
            // are the calendar's
            if (t == Taste::Zeichen && k->text().front().isDigit()) {
                beginnen(neueEingabe());
                zeichenTippen(k->text().front());
                return true;
            }
            if (t == Taste::Zurueck) {
                DatumsEingabe neu = neueEingabe();
                neu.setDatum(m_kalender->selectedDate());
                neu.zuruecknehmen();
                beginnen(std::move(neu));
                zeigen();
                return true;
            }
            return false;
        }
        switch (t) {
        case Taste::Zeichen:
            zeichenTippen(k->text().front());
            return true;
        case Taste::Zurueck:
            m_eingabe->zuruecknehmen();
            zeigen();
            return true;
        case Taste::Abbrechen:
            abbrechen(); // dropped without a word
            return true;
        case Taste::Entfernen:
        case Taste::Umschalter:
            return true;
        case Taste::Bestaetigen:
            beenden(false);
            return true;
        case Taste::Andere:
            // the key does what it does once the date typed is taken
            return !beenden(false);
        }
        return true;
    }

private:
    DatumsEingabe neueEingabe() const
    {
        DatumsEingabe e(m_format);
        e.setBereich(m_kalender->minimumDate(), m_kalender->maximumDate());
        e.setBasis(m_kalender->selectedDate());
        return e;
    }
    void beginnen(DatumsEingabe e)
    {
        m_eingabe = std::make_unique<DatumsEingabe>(std::move(e));
        m_wache->an();
    }
    void zeichenTippen(QChar c)
    {
        if (!m_eingabe->zeichen(c)) {
            // a key that is no part of a date changes nothing; a date that cannot be is refused
            if (const std::optional<DatumsAbweisung> a = m_eingabe->abweisung()) // a copy: the typing goes
                abweisen(*a, false);
            else if (m_eingabe->leer())
                abbrechen();
            return;
        }
        if (m_eingabe->fertig())
            beenden(false);
        else
            zeigen();
    }
    // The date typed chosen; nothing typed keeps the day chosen; an unfinished date is refused as a
    // paste of its text is. False when refused.
    bool beenden(bool spaeter)
    {
        if (!m_eingabe)
            return true;
        if (m_eingabe->leer()) {
            abbrechen();
            return true;
        }
        const std::variant<QDate, DatumsAbweisung> gelesen = m_eingabe->lesen(m_eingabe->text());
        if (const QDate* d = std::get_if<QDate>(&gelesen)) {
            abbrechen();
            m_kalender->setSelectedDate(*d);
            return true;
        }
        abweisen(std::get<DatumsAbweisung>(gelesen), spaeter);
        return false;
    }
    void abweisen(const DatumsAbweisung& a, bool spaeter)
    {
        abbrechen();
        melden(this, m_melden, a, spaeter);
    }
    void einfuegen()
    {
        abbrechen(); // what was typed gives way to the date pasted
        const std::variant<QDate, DatumsAbweisung> gelesen = neueEingabe().lesen(QGuiApplication::clipboard()->text());
        if (const QDate* d = std::get_if<QDate>(&gelesen))
            m_kalender->setSelectedDate(*d);
        else
            abweisen(std::get<DatumsAbweisung>(gelesen), false);
    }
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
    void abbrechen()
    {
        m_eingabe.reset();
        m_wache->aus();
        zeileZeigen(false);
    }

    QCalendarWidget* m_kalender;
    QString m_format;
    DatumAbgewiesen m_melden;
    Tippwache* m_wache;
    QLabel* m_zeile = nullptr;
    std::unique_ptr<DatumsEingabe> m_eingabe;
};

} // namespace

DatumsFeld::DatumsFeld(QWidget* eltern)
    : QDateEdit(eltern), m_wache(new Tippwache(this, [this] { return beenden(false); }))
{
}

DatumsFeld::~DatumsFeld() = default;

DatumsEingabe DatumsFeld::neueEingabe() const
{
    DatumsEingabe e(displayFormat());
    e.setBereich(minimumDate(), maximumDate());
    e.setBasis(date());
    return e;
}

bool DatumsFeld::tipptGerade()
{
    // the date set meanwhile (by the page): what was typed is gone with its text
    if (m_eingabe && lineEdit()->text() != m_eingabe->text())
        eingabeWeg();
    return m_eingabe != nullptr;
}

void DatumsFeld::beginnen(std::unique_ptr<DatumsEingabe> e)
{
    m_eingabe = std::move(e);
    m_wache->an();
}

void DatumsFeld::eingabeWeg()
{
    m_eingabe.reset();
    m_wache->aus();
}

bool DatumsFeld::tippenBeginnen(const QKeyEvent* e)
{
    const Taste t = tasteVon(e);
    if (t != Taste::Zeichen && t != Taste::Zurueck && t != Taste::Entfernen)
        return false;
    auto neu = std::make_unique<DatumsEingabe>(neueEingabe());
    if (!neu->moeglich())
        return false;
    const QLineEdit* le = lineEdit();
    const bool alles = !le->text().isEmpty() && le->selectedText() == le->text();
    const bool auswahl = le->hasSelectedText();
    const int pos = auswahl ? le->selectionStart() : le->cursorPosition();
    const bool amEnde = !auswahl && pos == le->text().size();
    if (t == Taste::Zeichen) {
        const QChar c = e->text().front();
        if (!c.isDigit())
            return true; // a separator that begins no date moves nothing (the box would take it for Tab)
        // from the front (the whole text or the first part selected, as Tab leaves it) a date is typed
        // anew; in a later part that part alone
        const QChar teil = neu->teilBei(date(), pos);
        if (!alles && teil != neu->teilBei(date(), 0))
            neu->teilTippen(date(), teil);
        beginnen(std::move(neu));
        zeichenTippen(c);
        return true;
    }
    if (alles) {
        neu->leeren(); // the whole text deleted: typed anew from nothing
    } else if (t == Taste::Zurueck && amEnde) {
        neu->setDatum(date()); // taken back from its end
        neu->zuruecknehmen();
    } else if ((t == Taste::Zurueck && !auswahl && pos == 0) || (t == Taste::Entfernen && amEnde)) {
        return true; // nothing to delete
    } else {
        // the part the key deletes from emptied, to be typed anew
        neu->teilTippen(date(), neu->teilBei(date(), t == Taste::Zurueck && !auswahl ? pos : pos + 1));
    }
    beginnen(std::move(neu));
    zeigen();
    return true;
}

void DatumsFeld::zeichenTippen(QChar c)
{
    if (!m_eingabe->zeichen(c)) {
        // a key that is no part of a date changes nothing; a date that cannot be is refused
        if (const std::optional<DatumsAbweisung> a = m_eingabe->abweisung()) // a copy: the typing goes
            abweisen(*a);
        else if (m_eingabe->leer())
            verwerfen();
        return;
    }
    zeigen();
    if (m_eingabe->fertig())
        beenden(false);
}

void DatumsFeld::zeigen()
{
    // the box's own parsing stays out of it until the date is taken
    const QSignalBlocker still(lineEdit());
    lineEdit()->setText(m_eingabe->text());
}

void DatumsFeld::uebernehmen(const QDate& datum)
{
    // after a part typed alone the next part is selected, to be typed on; else the cursor goes to the end
    const QChar naechster = m_eingabe ? m_eingabe->teilNach(m_eingabe->getippterTeil()) : QChar();
    eingabeWeg();
    setDate(datum); // also shows the date in the box's format again
    if (!naechster.isNull())
        setSelectedSection(sektionVon(naechster));
    else
        lineEdit()->setCursorPosition(int(lineEdit()->text().size()));
}

void DatumsFeld::verwerfen()
{
    eingabeWeg();
    setDate(date());
    lineEdit()->selectAll();
}

bool DatumsFeld::beenden() { return beenden(false); }

bool DatumsFeld::beenden(bool spaeter)
{
    if (!tipptGerade())
        return true;
    if (m_eingabe->leer()) {
        verwerfen(); // nothing typed: the date stays without a word
        return true;
    }
    const std::variant<QDate, DatumsAbweisung> gelesen = m_eingabe->lesen(m_eingabe->text());
    if (const QDate* d = std::get_if<QDate>(&gelesen)) {
        uebernehmen(*d);
        return true;
    }
    abweisen(std::get<DatumsAbweisung>(gelesen), spaeter);
    return false;
}

void DatumsFeld::abweisen(const DatumsAbweisung& a, bool spaeter)
{
    verwerfen();
    melden(this, m_melden, a, spaeter);
}

void DatumsFeld::einfuegen()
{
    eingabeWeg(); // what was typed gives way to the date pasted
    const std::variant<QDate, DatumsAbweisung> gelesen = neueEingabe().lesen(QGuiApplication::clipboard()->text());
    if (const QDate* d = std::get_if<QDate>(&gelesen))
        uebernehmen(*d);
    else
        abweisen(std::get<DatumsAbweisung>(gelesen));
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
    if (tipptGerade()) {
        switch (tasteVon(e)) {
        case Taste::Zeichen:
            zeichenTippen(e->text().front());
            break;
        case Taste::Zurueck:
            m_eingabe->zuruecknehmen();
            zeigen();
            break;
        case Taste::Abbrechen:
            verwerfen(); // dropped without a word
            break;
        case Taste::Entfernen:
        case Taste::Umschalter:
            break;
        case Taste::Bestaetigen:
        case Taste::Andere:
            if (!beenden(false))
                break;
            // the key does what it does once the date typed is taken
            kalenderVorbereiten();
            QDateEdit::keyPressEvent(e);
            return;
        }
        e->accept();
        return;
    }
    if (tippenBeginnen(e)) {
        e->accept();
        return;
    }
    kalenderVorbereiten(); // the keys may drop the calendar down
    QDateEdit::keyPressEvent(e);
}

void DatumsFeld::mousePressEvent(QMouseEvent* e)
{
    kalenderVorbereiten();
    QDateEdit::mousePressEvent(e);
}

void DatumsFeld::wheelEvent(QWheelEvent* e)
{
    if (!beenden(false)) {
        e->accept();
        return;
    }
    QDateEdit::wheelEvent(e);
}

void DatumsFeld::focusOutEvent(QFocusEvent* e)
{
    if (verlaesst(e) && !beenden(true) && e->reason() == Qt::MouseFocusReason)
        m_wache->klickSchlucken();
    QDateEdit::focusOutEvent(e); // shows the date's text again
    if (m_eingabe)
        zeigen();
}

bool DatumsFeld::focusNextPrevChild(bool next)
{
    if (!beenden(false))
        return true; // the date refused stays selected, to be typed anew
    return QWidget::focusNextPrevChild(next);
}

void DatumsFeld::contextMenuEvent(QContextMenuEvent* e)
{
    e->accept();
    if (!beenden(false))
        return;
    // the line edit's menu, as the spin box builds it, with its paste taking the date whole
    QPointer<QMenu> menu = lineEdit()->createStandardContextMenu();
    if (!menu)
        return;
    // (the action that pastes into the line edit, connected by name in Qt 6.4, by pointer in others)
    for (QAction* a : menu->actions())
        if (disconnect(a, &QAction::triggered, lineEdit(), &QLineEdit::paste)
            || disconnect(a, SIGNAL(triggered()), lineEdit(), SLOT(paste())))
            connect(a, &QAction::triggered, this, &DatumsFeld::einfuegen);
    menu->addSeparator();
    const StepEnabled schritte = stepEnabled();
    QAction* auf = menu->addAction(QCoreApplication::translate("QAbstractSpinBox", "&Step up"));
    auf->setEnabled(schritte & StepUpEnabled);
    QAction* ab = menu->addAction(QCoreApplication::translate("QAbstractSpinBox", "Step &down"));
    ab->setEnabled(schritte & StepDownEnabled);
    const QPointer<DatumsFeld> da = this;
    const QPoint wo = e->reason() == QContextMenuEvent::Mouse
                          ? e->globalPos()
                          : mapToGlobal(QPoint(e->pos().x(), 0)) + QPoint(width() / 2, height() / 2);
    const QAction* gewaehlt = menu->exec(wo);
    delete menu.data();
    if (da && gewaehlt && gewaehlt == auf)
        stepBy(1);
    else if (da && gewaehlt && gewaehlt == ab)
        stepBy(-1);
}

QValidator::State DatumsFeld::validate(QString& text, int& pos) const
{
    if (m_eingabe)
        return QValidator::Intermediate;
    // every text Qt's own editing makes (undo, cut): taken only as a date that exists in the range
    const DatumsEingabe e = neueEingabe();
    if (e.moeglich() && !std::holds_alternative<QDate>(e.lesen(text)))
        return QValidator::Invalid;
    return QDateEdit::validate(text, pos);
}

void DatumsFeld::fixup(QString&) const
{
    // nothing: Qt's correction would move a day into a shorter month (31.02. to 29.02.)
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
