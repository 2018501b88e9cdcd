#include "services/meldungen.h"
#include "services/meldungsbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kav;

TEST(Meldungen, JederSchluesselMitNummerTitelUndSymbol)
{
    const QString duengung = "Humavera - Düngeberechnung";
    const struct { const char* key; int nr; QString titel; Meldung::Symbol symbol; } faelle[] = {
        {"Flaeche", 101, duengung, Meldung::Symbol::Information},
        {"Flaechenmaße", 104, duengung, Meldung::Symbol::Information},
        {"Kultur", 102, duengung, Meldung::Symbol::Information},
        {"Analysenwerte", 103, "Humavera - Analysenwerte eintragen", Meldung::Symbol::Information},
        {"SQL-DB", 1002, "Humavera - Datenübertragung", Meldung::Symbol::Warnung},
        {"SQL-CN", 1005, "Humavera - Datenbankverbindung", Meldung::Symbol::Warnung},
        {"kultur", 0, "", Meldung::Symbol::Keins}, // keys are compared exactly
        {"Flaechenmasse", 0, "", Meldung::Symbol::Keins},
    };
    for (const auto& f : faelle) {
        const Meldung m = fehlerMeldungFuer(QString::fromUtf8(f.key));
        EXPECT_EQ(m.nr, f.nr) << f.key;
        EXPECT_EQ(m.titel, f.titel) << f.key;
        EXPECT_EQ(m.symbol, f.symbol) << f.key;
        EXPECT_TRUE(f.nr ? m.text.startsWith(QString("Fehler Nr. %1: ").arg(f.nr)) : m.text.isEmpty()) << f.key;
    }
    EXPECT_EQ(fehlerMeldungFuer("Analysenwerte").text,
              "Fehler Nr. 103: Es wurden nicht alle benötigten Analysenwerte eingetragen. Bitte korrigieren Sie ihre "
              "Eingaben.");
}

TEST(Meldungen, BoxZeigtNummerTitelSymbolUndNurOkUnbekanntLeer)
{
    const struct { const char* key; const char* titel; const char* anfang; QMessageBox::Icon icon; } faelle[] = {
        {"Analysenwerte", "Humavera - Analysenwerte eintragen", "Fehler Nr. 103", QMessageBox::Information},
        {"SQL-DB", "Humavera - Datenübertragung", "Fehler Nr. 1002", QMessageBox::Warning},
        {"gibt es nicht", " ", "", QMessageBox::NoIcon}, // an unknown key: an empty box
    };
    for (const auto& f : faelle) {
        bool gesehen = false;
        // read the modal box while it is open
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            gesehen = true;
            EXPECT_EQ(box->windowTitle(), QString::fromUtf8(f.titel)) << f.key;
            EXPECT_TRUE(*f.anfang ? box->text().startsWith(f.anfang) : box->text().isEmpty()) << f.key;
            EXPECT_EQ(box->icon(), f.icon) << f.key;
            EXPECT_EQ(box->buttons().size(), 1) << f.key;
            box->button(QMessageBox::Ok)->click();
        });
        FehlerMeldung(f.key, nullptr);
        EXPECT_TRUE(gesehen) << f.key;
    }
}
