#include "services/zahlenfilter.h"

#include "services/zahleneingabe.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace kav {

namespace {

// Whatever reaches the text without a key (paste, drop, input methods) must leave a number or nothing.
class ZahlenValidator final : public QValidator {
public:
    ZahlenValidator(const QString& dezimal, QObject* parent) : QValidator(parent), m_dezimal(dezimal) {}
    State validate(QString& input, int& pos) const override
    {
        if (input.isEmpty() || istZahlText(input, m_dezimal))
            return Acceptable;
        // "1.5" pasted on a German system becomes "1,5", as typing does
        const auto zahl = alsZahlText(input, m_dezimal);
        if (!zahl)
            return Invalid;
        pos = std::min(static_cast<int>(zahl->size()), pos);
        input = *zahl;
        return Acceptable;
    }

private:
    QString m_dezimal;
};

std::function<void()>& piepenFunktion()
{
    static std::function<void()> f = [] { QApplication::beep(); };
    return f;
}

} // namespace

void ZahlenFilter::setPiepen(std::function<void()> piepen)
{
    piepenFunktion() = piepen ? std::move(piepen) : [] { QApplication::beep(); };
}

void ZahlenFilter::piepen() { piepenFunktion()(); }

ZahlenFilter::ZahlenFilter(QLineEdit* edit, const QString& dezimalZeichen)
    : QObject(edit), m_edit(edit), m_dezimal(dezimalZeichen)
{
}

ZahlenFilter* ZahlenFilter::installieren(QLineEdit* edit, const QString& dezimalZeichen)
{
    auto* f = new ZahlenFilter(edit, dezimalZeichen);
    edit->installEventFilter(f);
    edit->setValidator(new ZahlenValidator(dezimalZeichen, edit));
    return f;
}

bool ZahlenFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace)
        return false;
    const QString text = key->text();
    // Keys without a character (arrows, Delete, Tab) and shortcuts keep their usual meaning;
    // pasted text goes through the validator.
    if (text.size() != 1 || !text.at(0).isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;

    int selStart = m_edit->cursorPosition();
    int selLen = 0;
    if (m_edit->hasSelectedText()) {
        selStart = m_edit->selectionStart();
        selLen = static_cast<int>(m_edit->selectedText().size());
    }
    const ZahlenTaste t = ZahlenEingabePruefen(text.at(0).unicode(), m_edit->text(), selStart, selLen, m_dezimal);
    if (t.code == 0) {
        if (t.piepen)
            piepenFunktion()();
        return true;
    }
    if (!m_edit->text().isEmpty() && !istZahlText(m_edit->text(), m_dezimal)) {
        // a text the program wrote ("nicht bestimmt"): the key takes its place
        m_edit->selectAll();
        m_edit->insert(QString(QChar(t.code)));
        return true;
    }
    if (t.code != text.at(0).unicode()) {
        m_edit->insert(QString(QChar(t.code)));
        return true;
    }
    return false;
}

} // namespace kav
