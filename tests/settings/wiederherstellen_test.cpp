// The restore of the last backup pair on real database files in a temporary program folder.
#include "platform/clock.h"
#include "services/datenbanken.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/sql.h"
#include "datenbankumgebung.h"
#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

#include <functional>

using namespace kav;

namespace {

using test::inhalt;

class SicherungWiederherstellen : public ::testing::Test, protected test::DatenbankUmgebung {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(ordner.kavDatei()));
        ASSERT_NO_FATAL_FAILURE(test::leereDatei(ordner.datenDatei(), Datenbankdatei::Daten));
        e.intDS = 0;
        db = neu();
        ASSERT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
        ASSERT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    }
    void flaeche(const QString& nr) { sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES (?, 'Beet')", {nr}); }
    QString flaechen() const { return sql::scalar(db->cnDaten(), "SELECT group_concat(FlaechenNr) FROM FlaechenID").toString(); }
    QStringList beiseite() const { return QDir(ordner.daten()).entryList({"*.vor-Wiederherstellung-*"}, QDir::Files); }

    std::unique_ptr<Datenbanken> db;
};

} // namespace

TEST_F(SicherungWiederherstellen, BeidesOderNichts)
{
    EXPECT_FALSE(db->sicherungsStand().vorhanden);
    flaeche("Fl1000");
    ASSERT_TRUE(db->DatenSichern());
    e.datLetzteDS = QDate(2026, 11, 30);
    flaeche("Fl1001"); // after the backup
    const QByteArray kavVorher = inhalt(ordner.kavDatei());
    const QByteArray datenVorher = inhalt(ordner.datenDatei());

    const QString kavSicherung = db->sicherungKav();
    const QString datenSicherung = db->sicherungDaten();
    const QString marke = ordner.daten() + "/Wiederherstellung.laeuft";
    const QString markenText = "An der Stelle „Daten/Wiederherstellung.laeuft“, an der Kav während einer Wiederherstellung "
                               "der Datensicherung ihre Markierung ablegt, liegt %1. Was dort liegt, liest das Programm "
                               "nicht, und solange es dort liegt, wird keine Sicherung gemacht oder wiederhergestellt. "
                               "Bitte entfernen Sie „Daten/Wiederherstellung.laeuft“.";
    // what a link leads to: a sound backup of another time, never shown nor read as this one's
    const QString anderswo = dir.filePath("anderswo.PVQ");
    ASSERT_TRUE(QFile::copy(kavSicherung, anderswo));
    {
        QFile f(anderswo);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(QDateTime(QDate(2026, 12, 1), QTime(7, 0)), QFileDevice::FileModificationTime));
    }
    const auto unlesbar = [](const char* wo) {
        return QString(" Was dort liegt, liest das Programm nicht. Bitte %1.").arg(wo);
    };
    // what is done to the backup pair or beside it, the reason given; whether the settings learn it
    // before they ask (else only the restore finds it)
    const struct { const char* fall; std::function<void()> vorher; QString grund; bool vorDerFrage; } faelle[] = {
        {"Daten.PVQ beschädigt", [&] { test::schreibeDatei(db->sicherungDaten(), "keine Datenbank"); },
         "Die Sicherungsdatei Daten.PVQ ist beschädigt.", false},
        {"Kav.PVQ fehlt", [&] { QFile::remove(db->sicherungKav()); }, "Die Sicherungsdatei Kav.PVQ fehlt.", false},
        {"Kopie versperrt", [&] { QDir().mkpath(ordner.datenDatei() + ".wiederherstellen/x"); },
         "An der Stelle „Daten/Daten.KRN.wiederherstellen“, an der Kav während einer Wiederherstellung der "
         "Datensicherung die Kopie einer Sicherungsdatei ablegt, liegt ein Ordner."
             + unlesbar("entfernen Sie „Daten/Daten.KRN.wiederherstellen“"), true},
        {"Kav.PVQ ein Ordner", [&] { QFile::remove(kavSicherung), QDir().mkdir(kavSicherung); },
         "An der Stelle der Sicherungsdatei Kav.PVQ liegt ein Ordner." + unlesbar("entfernen Sie „Sicherungsdateien/Kav.PVQ“"), true},
        {"Kav.PVQ eine Verknüpfung", [&] { QFile::remove(kavSicherung), test::fremdesAnlegen(kavSicherung, test::Fremd::Verknuepfung, anderswo); },
         "An der Stelle der Sicherungsdatei Kav.PVQ liegt eine Verknüpfung."
             + unlesbar("legen Sie an die Stelle der Verknüpfung „Sicherungsdateien/Kav.PVQ“ die Datei, auf die sie verweist"), true},
        {"Daten.PVQ ein Rohr", [&] { QFile::remove(datenSicherung), test::fremdesAnlegen(datenSicherung, test::Fremd::Rohr); },
         "An der Stelle der Sicherungsdatei Daten.PVQ liegt etwas, das keine Datei ist." + unlesbar("entfernen Sie „Sicherungsdateien/Daten.PVQ“"), true},
        {"Rohr neben Daten.PVQ", [&] { test::fremdesAnlegen(datenSicherung + "-journal", test::Fremd::Rohr); },
         "Neben der Sicherungsdatei Daten.PVQ liegt „Daten.PVQ-journal“, und das ist etwas, das keine Datei ist."
             + unlesbar("entfernen Sie „Sicherungsdateien/Daten.PVQ-journal“"), true},
        {"Verknüpfung neben Kav.PVQ", [&] { test::fremdesAnlegen(kavSicherung + "-journal", test::Fremd::Verknuepfung, anderswo); },
         "Neben der Sicherungsdatei Kav.PVQ liegt „Kav.PVQ-journal“, und das ist eine Verknüpfung."
             + unlesbar("verschieben Sie die Verknüpfung „Sicherungsdateien/Kav.PVQ-journal“ an einen anderen Ort (die "
                        "Datei, auf die sie verweist, behalten Sie)"), true},
        {"Ordner an Daten.PVQ.vorher", [&] { QDir().mkdir(datenSicherung + ".vorher"); },
         "An der Stelle „Sicherungsdateien/Daten.PVQ.vorher“, an der Kav die bisherige Sicherungsdatei aufbewahrt, bis die "
         "neue vollständig ist, liegt ein Ordner." + unlesbar("entfernen Sie „Sicherungsdateien/Daten.PVQ.vorher“"), true},
        {"Ordner an der Markierung", [&] { QDir().mkdir(marke); }, markenText.arg("ein Ordner"), true},
        {"Rohr an der Markierung", [&] { test::fremdesAnlegen(marke, test::Fremd::Rohr); },
         markenText.arg("etwas, das keine Datei ist"), true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        const QByteArray kavPVQ = inhalt(kavSicherung), datenPVQ = inhalt(datenSicherung);
        for (const QString& s : {kavSicherung, datenSicherung}) { // the backup's time, as the settings show it
            QFile b(s);
            ASSERT_TRUE(b.open(QIODevice::ReadWrite) && b.setFileTime(QDateTime(QDate(2026, 11, 30), QTime(18, 42)), QFileDevice::FileModificationTime));
        }
        ASSERT_NO_FATAL_FAILURE(f.vorher());
        const Datenbanken::SicherungsStand stand = db->sicherungsStand();
        EXPECT_TRUE(stand.vorhanden && stand.datum == "30.11.2026 um 18:42 Uhr") << stand.datum.toStdString(); // of a file only
        EXPECT_EQ(stand.hindernis, f.vorDerFrage ? f.grund : QString());
        QString grund;
        bool unveraendert = false;
        EXPECT_FALSE(db->SicherungWiederherstellen(&grund, &unveraendert));
        EXPECT_EQ(grund, f.grund);
        EXPECT_TRUE(unveraendert);
        EXPECT_TRUE(inhalt(ordner.kavDatei()) == kavVorher && inhalt(ordner.datenDatei()) == datenVorher);
        EXPECT_EQ(flaechen(), "Fl1000,Fl1001"); // open again, as it was
        EXPECT_TRUE(beiseite().isEmpty() && !QFile::exists(ordner.kavDatei() + ".wiederherstellen"));
        QDir(ordner.datenDatei() + ".wiederherstellen").removeRecursively();
        EXPECT_EQ(inhalt(anderswo), kavPVQ); // never written through
        for (const QString& fremd : {marke, kavSicherung, datenSicherung, datenSicherung + "-journal", kavSicherung + "-journal",
                                     datenSicherung + ".vorher"})
            if (Dateisystem::art(fremd) == Dateisystem::Art::Ordner)
                QDir(fremd).removeRecursively();
            else if (Dateisystem::art(fremd) != Dateisystem::Art::Datei)
                QFile::remove(fremd);
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(kavSicherung, kavPVQ));
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(datenSicherung, datenPVQ));
    }

    // the backup's date and time are those of its file
    {
        QFile f(kavSicherung);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2026, 11, 30), QTime(18, 42)), QFileDevice::FileModificationTime));
    }
    EXPECT_TRUE(db->sicherungsStand().hindernis.isEmpty());
    EXPECT_TRUE(db->sicherungsStand().vorhanden);
    EXPECT_EQ(db->sicherungsStand().datum, "30.11.2026 um 18:42 Uhr");
    QString grund;
    ASSERT_TRUE(db->SicherungWiederherstellen(&grund)) << grund.toStdString();
    EXPECT_EQ(flaechen(), "Fl1000");
    EXPECT_TRUE(inhalt(ordner.kavDatei()) == inhalt(kavSicherung) && inhalt(ordner.datenDatei()) == inhalt(datenSicherung));
    EXPECT_EQ(beiseite(), QStringList({"Daten.KRN.vor-Wiederherstellung-20261206100000",
                                       "Kav.KRN.vor-Wiederherstellung-20261206100000"}));
    EXPECT_EQ(inhalt(ordner.daten() + "/Daten.KRN.vor-Wiederherstellung-20261206100000"), datenVorher);
    EXPECT_EQ(e.datLetztesUpdate, datenstandAuslieferung()); // the next update fetches everything again
    // a second restore in the same second keeps both earlier pairs; from the third on only the
    // two newest stay
    ASSERT_TRUE(db->SicherungWiederherstellen(&grund));
    EXPECT_EQ(beiseite().size(), 4);
    EXPECT_TRUE(beiseite().contains("Kav.KRN.vor-Wiederherstellung-20261206100000-2"));
    uhr.set(QDateTime(QDate(2026, 12, 6), QTime(10, 5)));
    ASSERT_TRUE(db->SicherungWiederherstellen(&grund));
    EXPECT_EQ(beiseite(), QStringList({"Daten.KRN.vor-Wiederherstellung-20261206100000-2",
                                       "Daten.KRN.vor-Wiederherstellung-20261206100500",
                                       "Kav.KRN.vor-Wiederherstellung-20261206100000-2",
                                       "Kav.KRN.vor-Wiederherstellung-20261206100500"}));
}

// A failure inside each step of a restore: every file of both folders is as it was, byte for byte,
// nothing is left behind, and both files are open again with their rows.
TEST_F(SicherungWiederherstellen, JederFehlschlagLaesstJedeDateiWieSieWar)
{
    flaeche("Fl1000");
    ASSERT_TRUE(db->DatenSichern());
    flaeche("Fl1001");
    const QDateTime letztes(QDate(2026, 11, 2), QTime(0, 0));
    e.datLetztesUpdate = letztes;
    const auto alleDateien = [&] {
        QMap<QString, QByteArray> m;
        for (const QString& o : {ordner.daten(), ordner.sicherungen()})
            for (const QString& f : QDir(o).entryList(QDir::Files))
                m[o + "/" + f] = inhalt(o + "/" + f);
        return m;
    };
    const QMap<QString, QByteArray> vorher = alleDateien();

    // which call of which operation fails (0: none), or the second copy is no database; the reason given
    const struct { int umbenennen, kopieren; bool kaputt; const char* grund; } faelle[] = {
        {0, 1, false, "Die Sicherungsdatei für Kav.KRN konnte nicht kopiert werden."},
        {0, 2, false, "Die Sicherungsdatei für Daten.KRN konnte nicht kopiert werden."},
        {1, 0, false, "Kav.KRN konnte nicht beiseitegelegt werden."},
        {2, 0, false, "Daten.KRN konnte nicht beiseitegelegt werden."},
        {3, 0, false, "Kav.KRN konnte nicht ersetzt werden."},
        {4, 0, false, "Daten.KRN konnte nicht ersetzt werden."},
        {0, 0, true, "Daten.KRN ließ sich nach dem Ersetzen nicht öffnen."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.grund);
        int u = 0, k = 0;
        const DateiOperationen echt = DateiOperationen::echte();
        db->setDateiOperationen(
            {[&](const QString& von, const QString& nach) { return ++u != f.umbenennen && echt.umbenennen(von, nach); },
             [&](const QString& von, const QString& nach) {
                 if (++k == f.kopieren || !echt.kopieren(von, nach))
                     return false;
                 if (f.kaputt && k == 2)
                     test::schreibeDatei(nach, "keine Datenbank");
                 return true;
             }});
        QString grund;
        EXPECT_FALSE(db->SicherungWiederherstellen(&grund));
        EXPECT_EQ(grund, QString::fromUtf8(f.grund));
        EXPECT_EQ(alleDateien(), vorher);
        EXPECT_EQ(flaechen(), "Fl1000,Fl1001");
        EXPECT_FALSE(sql::scalar(db->cnKav(), "SELECT COUNT(*) FROM KulturID").toInt() == 0);
        EXPECT_EQ(e.datLetztesUpdate, letztes);
    }
}

// A finished restore whose mark cannot be removed at once, nor (a moment later) be said settled: the
// next backup removes it and is made, or, with no backup due, the backup at the end. One that cannot
// be removed at all is named, and neither a backup nor a restore is made while it is there; the files
// stay open as restored, and the next start removes it.
TEST_F(SicherungWiederherstellen, UebrigeMarkeHaeltDieSicherungNichtAuf)
{
    flaeche("Fl1000");
    ASSERT_TRUE(db->DatenSichern());
    const QString marke = ordner.daten() + "/Wiederherstellung.laeuft";
    // how often the mark's removal fails, and its writing; whether a backup is due at the end
    const struct { int entfernen, schreiben; bool faellig; } faelle[] = {{1, 0, true}, {1, 1, true}, {1, 1, false}, {1000, 0, true}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.entfernen << " " << f.schreiben << " " << f.faellig);
        int n = 0, m = 0;
        DateiOperationen ops = DateiOperationen::echte();
        ops.entfernen = [&](const QString& pfad) { return !(pfad == marke && ++n <= f.entfernen) && QFile::remove(pfad); };
        ops.schreiben = [&](const QString& pfad, const QByteArray& b) {
            return !(pfad == marke + ".tmp" && b == "erledigt\n" && ++m <= f.schreiben) && DateiOperationen::echtSchreiben(pfad, b);
        };
        db->setDateiOperationen(ops);
        flaeche("Fl1001");
        QString grund;
        ASSERT_TRUE(db->SicherungWiederherstellen(&grund)) << grund.toStdString();
        const bool weg = f.entfernen == 1;
        e.intDS = f.faellig ? 0 : 14;
        e.datLetzteDS = QDate(2026, 12, 6);
        EXPECT_EQ(db->DatenSichern(), weg || !f.faellig);
        EXPECT_EQ(QFile::exists(marke), !weg);
        EXPECT_EQ(protokoll.texte().join("").contains("Markierung „Daten/Wiederherstellung.laeuft“ lässt sich nicht löschen"), !weg)
            << protokoll.texte().join("").toStdString();
        bool unveraendert = false;
        EXPECT_EQ(db->SicherungWiederherstellen(&grund, &unveraendert), weg);
        EXPECT_TRUE(weg || (unveraendert && grund.contains("lässt sich nicht löschen")));
        EXPECT_EQ(flaechen(), "Fl1000");
    }
    // The next start removes the mark left without a word: the rows entered since and the date of an
    // update since are not those of a restore cut short.
    flaeche("Fl1002");
    e.datLetztesUpdate = QDateTime(QDate(2026, 12, 5), QTime(8, 0));
    db.reset();
    protokoll.meldungen.clear();
    db = neu();
    EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    EXPECT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    EXPECT_TRUE(protokoll.meldungen.isEmpty()) << protokoll.texte().join("").toStdString();
    EXPECT_FALSE(QFile::exists(marke));
    EXPECT_EQ(flaechen(), "Fl1000,Fl1002");
    EXPECT_EQ(e.datLetztesUpdate, QDateTime(QDate(2026, 12, 5), QTime(8, 0)));
}

// A finished restore whose mark can be neither removed nor (once) said settled, and then something that
// is no file of the program's at the mark's temporary name: no retry, with a backup due at the end or
// not, writes through it or puts it in the mark's place. It stays as it is and is named; the mark stays
// a file, and neither a backup nor a restore is made while it is there.
TEST_F(SicherungWiederherstellen, FremdesAnDerTemporaerenMarkeBleibtUnberuehrt)
{
    flaeche("Fl1000");
    ASSERT_TRUE(db->DatenSichern());
    const QString marke = ordner.daten() + "/Wiederherstellung.laeuft", tmp = marke + ".tmp";
    const QString ziel = dir.filePath("Ziel");
    const struct { Dateisystem::Art art; bool faellig; const char* was; } faelle[] = {
        {Dateisystem::Art::Verknuepfung, false, "eine Verknüpfung"},
        {Dateisystem::Art::Verknuepfung, true, "eine Verknüpfung"},
        {Dateisystem::Art::Ordner, false, "ein Ordner"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.was << " " << f.faellig);
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ziel, "Ziel"));
        int m = 0;
        DateiOperationen ops = DateiOperationen::echte();
        ops.entfernen = [&](const QString& pfad) { return pfad != marke && QFile::remove(pfad); };
        ops.schreiben = [&](const QString& pfad, const QByteArray& b) {
            return !(b == "erledigt\n" && ++m == 1) && DateiOperationen::echtSchreiben(pfad, b);
        };
        db->setDateiOperationen(ops);
        QString grund;
        ASSERT_TRUE(db->SicherungWiederherstellen(&grund)) << grund.toStdString();
        const QByteArray markenText = inhalt(marke);
        ASSERT_FALSE(markenText.isEmpty() || markenText == "erledigt\n");
        if (f.art == Dateisystem::Art::Ordner) {
            ASSERT_TRUE(QDir().mkdir(tmp));
        } else {
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(tmp, test::Fremd::Verknuepfung, ziel));
        }
        protokoll.meldungen.clear();
        e.intDS = f.faellig ? 0 : 14;
        e.datLetzteDS = QDate(2026, 12, 6);
        EXPECT_EQ(db->DatenSichern(), !f.faellig);
        const QString genannt = "An der Stelle „Daten/Wiederherstellung.laeuft.tmp“, an der Kav während einer "
                                "Wiederherstellung der Datensicherung ihre Markierung ablegt, liegt "
                                + QString(f.was)
                                + ". Was dort liegt, liest das Programm nicht, und solange es dort liegt, wird keine Sicherung "
                                  "gemacht oder wiederhergestellt. Bitte entfernen Sie „Daten/Wiederherstellung.laeuft.tmp“.";
        EXPECT_EQ(protokoll.texte().join(""), f.faellig ? "Die Sicherung der Datenbanken ist fehlgeschlagen:\n" + genannt
                                                              + "\n\nBeim nächsten Programmende wird sie erneut versucht."
                                                        : QString());
        bool unveraendert = false;
        EXPECT_FALSE(db->SicherungWiederherstellen(&grund, &unveraendert));
        EXPECT_TRUE(unveraendert && grund == genannt) << grund.toStdString();
        EXPECT_EQ(inhalt(ziel), "Ziel");
        EXPECT_EQ(Dateisystem::art(tmp), f.art);
        EXPECT_EQ(Dateisystem::art(marke), Dateisystem::Art::Datei);
        EXPECT_EQ(inhalt(marke), markenText);
        EXPECT_EQ(flaechen(), "Fl1000");
        db->setDateiOperationen(DateiOperationen::echte());
        ASSERT_TRUE((QFile::remove(tmp) || QDir().rmdir(tmp)) && QFile::remove(marke));
    }
}
