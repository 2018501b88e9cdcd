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
    const struct { const char* key; int nr; const char* titel; Meldung::Symbol symbol; } faelle[] = {
        {"Flaeche", 101, "Humavera - Düngeberechnung", Meldung::Symbol::Information},
        {"Flaechenmaße", 104, "Humavera - Düngeberechnung", Meldung::Symbol::Information},
        {"Kultur", 102, "Humavera - Düngeberechnung", Meldung::Symbol::Information},
        {"Analysenwerte", 103, "Humavera - Analysenwerte eintragen", Meldung::Symbol::Information},
        {"SQL-DB", 1002, "Humavera - Datenübertragung", Meldung::Symbol::Warnung},
        {"SQL-CN", 1005, "Humavera - Datenbankverbindung", Meldung::Symbol::Warnung},
    };
    for (const auto& f : faelle) {
        const Meldung m = fehlerMeldungFuer(QString::fromUtf8(f.key));
        EXPECT_EQ(m.nr, f.nr) << f.key;
        EXPECT_EQ(m.titel, QString::fromUtf8(f.titel)) << f.key;
        EXPECT_EQ(m.symbol, f.symbol) << f.key;
        EXPECT_TRUE(m.text.startsWith(QString("Fehler Nr. %1: ").arg(f.nr))) << f.key;
    }
    EXPECT_EQ(fehlerMeldungFuer("Analysenwerte").text,
              "Fehler Nr. 103: Es wurden nicht alle benötigten Analysenwerte eingetragen. Bitte korrigieren Sie ihre "
              "Eingaben.");
    EXPECT_EQ(fehlerMeldungFuer("Flaechenmaße").text,
              "Fehler Nr. 104: Sie haben die Länge bzw. Breite des Beetes, für das die Düngungberechnung durchgeführt "
              "werden soll, nicht eingegeben");
    EXPECT_EQ(fehlerMeldungFuer("SQL-DB").text,
              "Fehler Nr. 1002: Der Server konnte nicht kontaktiert werden, die Daten wurden nicht übertragen. Bitte "
              "versuchen Sie es zu einem späteren Zeitpunkt nochmals");
    // keys are compared exactly
    EXPECT_EQ(fehlerMeldungFuer("kultur").nr, 0);
    EXPECT_EQ(fehlerMeldungFuer("Flaechenmasse").nr, 0);
}

namespace {

struct Gesehen {
    QString titel, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int knoepfe = 0;
    bool gefunden = false;
};

// Shows the message of `key` modally and reads the box while it is open.
Gesehen zeigeUndLies(const QString& key)
{
    Gesehen g;
    QTimer::singleShot(0, [&g] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        g.gefunden = true;
        g.titel = box->windowTitle();
        g.text = box->text();
        g.icon = box->icon();
        g.knoepfe = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    FehlerMeldung(key, nullptr);
    return g;
}

} // namespace

TEST(Meldungen, BoxZeigtNummerTitelSymbolUndNurOk)
{
    const Gesehen a = zeigeUndLies("Analysenwerte");
    ASSERT_TRUE(a.gefunden);
    EXPECT_EQ(a.titel, "Humavera - Analysenwerte eintragen");
    EXPECT_TRUE(a.text.startsWith("Fehler Nr. 103"));
    EXPECT_EQ(a.icon, QMessageBox::Information);
    EXPECT_EQ(a.knoepfe, 1);

    const Gesehen b = zeigeUndLies("SQL-DB");
    ASSERT_TRUE(b.gefunden);
    EXPECT_EQ(b.icon, QMessageBox::Warning);
    EXPECT_TRUE(b.text.startsWith("Fehler Nr. 1002"));
}

TEST(Meldungen, UnbekannterSchluesselZeigtLeereBox)
{
    const Gesehen g = zeigeUndLies("gibt es nicht");
    ASSERT_TRUE(g.gefunden);
    EXPECT_TRUE(g.text.isEmpty());
    EXPECT_EQ(g.icon, QMessageBox::NoIcon);
    EXPECT_EQ(g.knoepfe, 1);
}
