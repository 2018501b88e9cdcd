#include "services/meldungsbox.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace kav {

QMessageBox* MeldungsBox::erzeugeBox(const Meldung& m, QWidget* eltern)
{
    auto* box = new QMessageBox(eltern);
    box->setWindowTitle(m.titel.isEmpty() ? QStringLiteral(" ") : m.titel);
    box->setTextFormat(Qt::PlainText); // names as typed, never as markup
    box->setText(m.text);
    switch (m.symbol) {
    case Meldung::Symbol::Information: box->setIcon(QMessageBox::Information); break;
    case Meldung::Symbol::Warnung: box->setIcon(QMessageBox::Warning); break;
    case Meldung::Symbol::Fehler: box->setIcon(QMessageBox::Critical); break;
    case Meldung::Symbol::Frage: box->setIcon(QMessageBox::Question); break;
    case Meldung::Symbol::Keins: box->setIcon(QMessageBox::NoIcon); break;
    }
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

void MeldungsBox::zeige(const Meldung& m)
{
    // over the main window once it is shown; before (the message of a second start) the box would
    // stand over the hidden window's corner: without it, it stands in the middle of the screen
    QWidget* eltern = m_eltern && m_eltern->window()->isVisible() ? m_eltern.data() : nullptr;
    QMessageBox* box = erzeugeBox(m, eltern);
    box->exec();
}

QMessageBox::StandardButton JaNeinFrage(const QString& titel, const QString& text, QMessageBox::StandardButton standard,
                                        QWidget* eltern, QMessageBox::StandardButtons knoepfe, QMessageBox::Icon symbol)
{
    QMessageBox box(symbol, titel, QString(), knoepfe, eltern);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    const std::pair<QMessageBox::StandardButton, const char*> texte[] = {
        {QMessageBox::Yes, "Ja"}, {QMessageBox::No, "Nein"}, {QMessageBox::Cancel, "Abbrechen"}};
    for (const auto& [knopf, beschriftung] : texte)
        if (QAbstractButton* b = box.button(knopf))
            b->setText(QString::fromUtf8(beschriftung));
    const QMessageBox::StandardButton flucht = knoepfe.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
    box.setDefaultButton(standard);
    box.setEscapeButton(flucht);
    box.exec();
    QAbstractButton* geklickt = box.clickedButton();
    return geklickt ? box.standardButton(geklickt) : flucht;
}

void FehlerMeldung(const QString& schluessel, QWidget* eltern)
{
    MeldungsBox(eltern).zeige(fehlerMeldungFuer(schluessel));
}

} // namespace kav
