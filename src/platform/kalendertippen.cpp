// The month calendar typed into: what is typed shows in a line at its foot, below the weeks.
#include "platform/datumsfeld.h"
#include "platform/datumstasten.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QCalendarWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>

#include <algorithm>
#include <memory>
#include <utility>
#include <variant>

namespace kav::forms {

namespace {

// The height of the line of the date typed in a calendar's font.
int zeilenHoehe(const QFont& f) { return QFontMetrics(f).height() + 6; }

const QString kZeile = QStringLiteral("kavDatumGetippt");

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
        if (e->type() == QEvent::FocusOut && m_eingabe && fokusVerlaesst(static_cast<QFocusEvent*>(e))
            && !beenden(true) && static_cast<QFocusEvent*>(e)->reason() == Qt::MouseFocusReason)
            m_wache->klickSchlucken();
        if (e->type() != QEvent::KeyPress)
            return QObject::eventFilter(o, e);
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->matches(QKeySequence::Paste)) {
            einfuegen();
            return true;
        }
        const DatumsTaste t = tasteVon(k);
        if (!m_eingabe) {
            // a digit begins a date, Backspace takes the day chosen back from its end; the other keys
            // are the calendar's
            if (t == DatumsTaste::Zeichen && k->text().front().isDigit()) {
                beginnen(neueEingabe());
                zeichenTippen(k->text().front());
                return true;
            }
            if (t == DatumsTaste::Zurueck) {
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
        case DatumsTaste::Zeichen:
            zeichenTippen(k->text().front());
            return true;
        case DatumsTaste::Zurueck:
            m_eingabe->zuruecknehmen();
            zeigen();
            return true;
        case DatumsTaste::Abbrechen:
            abbrechen(); // dropped without a word
            return true;
        case DatumsTaste::Entfernen:
        case DatumsTaste::Umschalter:
            return true;
        case DatumsTaste::Bestaetigen:
            beenden(false);
            return true;
        case DatumsTaste::Andere:
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
        abweisungMelden(this, m_melden, a, spaeter);
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
