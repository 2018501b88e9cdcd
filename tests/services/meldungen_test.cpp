#include "platform/fokusrahmen.h"
#include "services/meldungen.h"
#include "services/meldungsbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using namespace kav;

// Each key gives its number, title and symbol, a text that ends with a full stop, and the box shows them
// with an OK button only; an unknown key (keys are compared exactly) gives an empty message and an empty box.
TEST(Meldungen, JederSchluesselUndSeineBox)
{
    const QString duengung = "Humavera - Düngeberechnung";
    const struct { const char* key; int nr; QString titel; Meldung::Symbol symbol; QMessageBox::Icon icon; } faelle[] = {
        {"Flaeche", 101, duengung, Meldung::Symbol::Information, QMessageBox::Information},
        {"Flaechenmaße", 104, duengung, Meldung::Symbol::Information, QMessageBox::Information},
        {"Kultur", 102, duengung, Meldung::Symbol::Information, QMessageBox::Information},
        {"Flaechengroesse", 106, duengung, Meldung::Symbol::Information, QMessageBox::Information},
        {"Nmin", 105, duengung, Meldung::Symbol::Information, QMessageBox::Information},
        {"Analysenwerte", 103, "Humavera - Analysenwerte eintragen", Meldung::Symbol::Information, QMessageBox::Information},
        {"SQL-DB", 1002, "Humavera - Datenübertragung", Meldung::Symbol::Warnung, QMessageBox::Warning},
        {"SQL-CN", 1005, "Humavera - Datenbankverbindung", Meldung::Symbol::Warnung, QMessageBox::Warning},
        {"kultur", 0, "", Meldung::Symbol::Keins, QMessageBox::NoIcon},
        {"Flaechenmasse", 0, "", Meldung::Symbol::Keins, QMessageBox::NoIcon},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.key);
        const Meldung m = fehlerMeldungFuer(QString::fromUtf8(f.key));
        EXPECT_EQ(m.nr, f.nr);
        EXPECT_EQ(m.titel, f.titel);
        EXPECT_EQ(m.symbol, f.symbol);
        const QString anfang = f.nr ? QString("Fehler Nr. %1: ").arg(f.nr) : QString();
        EXPECT_TRUE(f.nr ? m.text.startsWith(anfang) && m.text.endsWith('.') : m.text.isEmpty()) << m.text.toStdString();
        EXPECT_EQ(m.text.contains("die Düngeberechnung durchgeführt"), f.titel == duengung && f.nr != 105);
        bool gesehen = false;
        // read the modal box while it is open
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            gesehen = true;
            EXPECT_EQ(box->windowTitle(), f.nr ? f.titel : " ");
            EXPECT_EQ(box->text(), m.text);
            EXPECT_EQ(box->icon(), f.icon);
            EXPECT_EQ(box->buttons().size(), 1);
            box->button(QMessageBox::Ok)->click();
        });
        FehlerMeldung(QString::fromUtf8(f.key), nullptr);
        EXPECT_TRUE(gesehen);
    }
    EXPECT_EQ(fehlerMeldungFuer("Analysenwerte").text,
              "Fehler Nr. 103: Es wurden nicht alle benötigten Analysenwerte eingetragen. Bitte korrigieren Sie Ihre "
              "Eingaben.");
}

// Message 103 names what is missing in a sentence of its own.
TEST(Meldungen, AnalysenwerteFehlenMitNamen)
{
    const QString grund = fehlerMeldungFuer("Analysenwerte").text;
    const std::pair<QStringList, QString> faelle[] = {
        {{}, grund},
        {{"Bodenart"}, grund + "\n\nEs fehlt: Bodenart."},
        {{"Bodenart", "pH-Wert"}, grund + "\n\nEs fehlen: Bodenart, pH-Wert."},
    };
    for (const auto& [fehlend, text] : faelle) {
        const Meldung m = analysenwerteFehlen(fehlend);
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.nr, 103);
        EXPECT_EQ(m.titel, "Humavera - Analysenwerte eintragen");
    }
}

// The focus mark of a notice with OK alone goes round the button, not round the row of buttons.
TEST(Meldungen, FokusRingUmDenKnopf)
{
    forms::fokusrahmenStarten();
    const std::unique_ptr<QMessageBox> box(MeldungsBox::erzeugeBox(fehlerMeldungFuer("Flaeche"), nullptr));
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    ASSERT_EQ(QApplication::focusWidget(), ok);
    const auto* ring = box->findChild<QWidget*>(QStringLiteral("kavFokusrahmen"));
    ASSERT_TRUE(ring && ring->isVisible());
    EXPECT_EQ(ring->geometry(), QRect(ok->mapTo(box.get(), QPoint(0, 0)), ok->size()).adjusted(-4, -4, 4, 4));
}
