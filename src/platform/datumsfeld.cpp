#include "platform/datumsfeld.h"

#include "platform/datumseingabe.h"
#include "platform/datumstasten.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSignalBlocker>

#include <utility>
#include <variant>

namespace kav::forms {

namespace {

// The section of a date box that is its part `art` ('d', 'M' or 'y').
QDateTimeEdit::Section sektionVon(QChar art)
{
    return art == QLatin1Char('d')   ? QDateTimeEdit::DaySection
           : art == QLatin1Char('M') ? QDateTimeEdit::MonthSection
           : art == QLatin1Char('y') ? QDateTimeEdit::YearSection
                                     : QDateTimeEdit::NoSection;
}

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
    const DatumsTaste t = tasteVon(e);
    if (t != DatumsTaste::Zeichen && t != DatumsTaste::Zurueck && t != DatumsTaste::Entfernen)
        return false;
    auto neu = std::make_unique<DatumsEingabe>(neueEingabe());
    if (!neu->moeglich())
        return false;
    const QLineEdit* le = lineEdit();
    const bool alles = !le->text().isEmpty() && le->selectedText() == le->text();
    const bool auswahl = le->hasSelectedText();
    const int pos = auswahl ? le->selectionStart() : le->cursorPosition();
    const bool amEnde = !auswahl && pos == le->text().size();
    if (t == DatumsTaste::Zeichen) {
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
    } else if (t == DatumsTaste::Zurueck && amEnde) {
        neu->setDatum(date()); // taken back from its end
        neu->zuruecknehmen();
    } else if ((t == DatumsTaste::Zurueck && !auswahl && pos == 0) || (t == DatumsTaste::Entfernen && amEnde)) {
        return true; // nothing to delete
    } else {
        // the part the key deletes from emptied, to be typed anew
        neu->teilTippen(date(), neu->teilBei(date(), t == DatumsTaste::Zurueck && !auswahl ? pos : pos + 1));
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
    abweisungMelden(this, m_melden, a, spaeter);
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
        case DatumsTaste::Zeichen:
            zeichenTippen(e->text().front());
            break;
        case DatumsTaste::Zurueck:
            m_eingabe->zuruecknehmen();
            zeigen();
            break;
        case DatumsTaste::Abbrechen:
            verwerfen(); // dropped without a word
            break;
        case DatumsTaste::Entfernen:
        case DatumsTaste::Umschalter:
            break;
        case DatumsTaste::Bestaetigen:
        case DatumsTaste::Andere:
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
    if (fokusVerlaesst(e) && !beenden(true) && e->reason() == Qt::MouseFocusReason)
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

} // namespace kav::forms
