// What lies in the data folder and beside the backups, and what the start makes of it.
#include "programmstartfixture.h"
#include "services/datenbanken.h"
#include "services/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

using namespace kav;
using test::ProgrammStartTest;
using test::Schreibschutz;

namespace {

// True while the thread `faden` of this process waits to open a named pipe, or on one (where the
// kernel tells; else never).
bool wartetAmRohr(pid_t faden)
{
    QFile wchan(QString("/proc/self/task/%1/wchan").arg(faden));
    if (!wchan.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wo = wchan.readAll();
    return wo == "wait_for_partner" || wo.startsWith("pipe_");
}

} // namespace

// Nothing in the data folder holds the start or passes for damage: a named pipe, link or device in
// place of the lock file, of the restore's mark or the temporary file it is written as, of a journal
// or of a database, or a journal, database or mark that may not be read (another account's file), is
// never opened (a helper opens each end of a pipe once the start waits on it, or after a minute, so that
// a start held there goes on and the test fails instead of hanging); nor is a journal rolled back or
// removed that may be read but not written (another account's). The folder's lock keeps a second
// start out all the same; the mark is told and no backup is made while it is there, and where a restore
// may have stopped half way (a database set aside by it) or the mark cannot be read, the start ends
// before either database opens; a database with such in its place or beside it is not opened, and the
// start says why and what to do. No file changes, and nothing is set aside or made.
TEST_F(ProgrammStartTest, RohrImDatenordnerHaeltDenStartNicht)
{
    const QString daten = dir.path() + "/Daten", ziel = dir.filePath("Protokoll");
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ziel, "Protokoll eines Schreibvorgangs")); // what a link leads to
    enum { Rohr, Verknuepfung, Geraet, Unlesbar, Ordner, Fest /* may be read, not written: another account's */ };
    const QString markeText = "An der Stelle „Daten/%1“, an der Kav während einer Wiederherstellung der Datensicherung "
                              "ihre Markierung ablegt, liegt %2. Was dort liegt, liest das Programm nicht, und solange es "
                              "dort liegt, wird keine Sicherung gemacht oder wiederhergestellt.";
    const auto marke = [&](const char* was) {
        return markeText.arg("Wiederherstellung.laeuft", was)
               + " Beide Datenbanken bleiben, wie sie sind.\n\nBitte entfernen Sie „Daten/Wiederherstellung.laeuft“.";
    };
    const auto markeBeendet = [&](const char* was) { // a restore that may have stopped half way
        return markeText.arg("Wiederherstellung.laeuft", was)
               + " Beide Datenbanken bleiben, wie sie sind.\n\nBitte entfernen Sie „Daten/Wiederherstellung.laeuft“ und "
                 "starten Sie Kav dann neu. Bis dahin kann das Programm nicht arbeiten und wird beendet.";
    };
    const QString unlesbareMarke =
        "An der Stelle „Daten/Wiederherstellung.laeuft“, an der Kav während einer Wiederherstellung der Datensicherung "
        "ihre Markierung ablegt, liegt eine Datei, die das Programm nicht lesen darf. Ohne sie zu lesen, kann das Programm "
        "nicht feststellen, ob eine unterbrochene Wiederherstellung zu Ende geführt oder rückgängig gemacht werden muss. "
        "Beide Datenbanken bleiben, wie sie sind.\n\nBitte sorgen Sie dafür, dass Sie die Datei "
        "„Daten/Wiederherstellung.laeuft“ lesen und beschreiben dürfen, und starten Sie Kav dann neu. Bis dahin kann das "
        "Programm nicht arbeiten und wird beendet.";
    const auto tmp = [&](const char* was) {
        return markeText.arg("Wiederherstellung.laeuft.tmp", was)
               + "\n\nBitte entfernen Sie „Daten/Wiederherstellung.laeuft.tmp“.";
    };
    const auto datenbank = [&](const char* datei, const QString& was, const QString& bitte) {
        return "Die Datenbank " + daten + "/" + datei + " kann nicht geöffnet werden: " + was
               + " An der Datenbank wurde nichts verändert.\n\n" + bitte
               + " Bis dahin kann das Programm nicht arbeiten und wird beendet.";
    };
    const QString anlage = " An dieser Stelle legt das Programm beim Schreiben eine Protokolldatei an; ";
    const auto neben = [&](const char* datei, const char* begleiter, int art) {
        const QString name = daten + "/" + datei + begleiter;
        const QString was = art == Rohr ? "keine Datei." + anlage + "was dort liegt, liest es nicht."
                            : art == Verknuepfung
                                ? "eine Verknüpfung." + anlage + "einer Verknüpfung folgt es dort nicht."
                            : art == Fest ? "eine Datei, die das Programm nicht beschreiben oder löschen darf." + anlage
                                                + "ohne sie zurückzunehmen, kann es nicht feststellen, ob die Datenbank "
                                                  "vollständig ist."
                                          : "eine Datei, die das Programm nicht lesen darf." + anlage
                                                + "ohne sie zu lesen, kann es nicht feststellen, ob die Datenbank vollständig ist.";
        const QString bitte = art == Rohr ? "Bitte entfernen Sie „" + name + "“ und starten Sie Kav dann neu."
                              : art == Verknuepfung
                                  ? "Bitte verschieben Sie die Verknüpfung „" + name + "“ an einen anderen Ort (die Datei, "
                                    "auf die sie verweist, behalten Sie) und starten Sie Kav dann neu."
                                  : "Bitte sorgen Sie dafür, dass Sie die Datei „" + name
                                        + (art == Fest ? "“ beschreiben und löschen dürfen" : "“ lesen und beschreiben dürfen")
                                        + ", und starten Sie Kav dann neu.";
        return datenbank(datei, "Neben ihr liegt „" + name + "“, und das ist " + was, bitte);
    };
    const auto selbst = [&](const char* datei, int art) {
        const QString name = daten + "/" + datei;
        if (art == Unlesbar)
            return datenbank(datei, "Das Programm darf die Datei nicht lesen, und ohne sie zu lesen, kann es nicht "
                                    "feststellen, ob sie vollständig ist.",
                             "Bitte sorgen Sie dafür, dass Sie die Datei „" + name
                                 + "“ lesen und beschreiben dürfen, und starten Sie Kav dann neu.");
        if (art == Verknuepfung)
            return datenbank(datei, "An ihrer Stelle liegt eine Verknüpfung; einer Verknüpfung folgt das Programm dort nicht.",
                             "Bitte legen Sie an die Stelle der Verknüpfung „" + name
                                 + "“ die Datei, auf die sie verweist, und starten Sie Kav dann neu.");
        return datenbank(datei, "An ihrer Stelle liegt etwas, das keine Datei ist; was dort liegt, liest das Programm nicht.",
                         "Bitte bringen Sie die Datenbank wieder an die Stelle „" + name
                             + "“ (oder entfernen Sie, was dort liegt: Dann ersetzt das Programm sie aus der "
                               "Datensicherung, soweit es eine gibt) und starten Sie Kav dann neu.");
    };
    const char* keineDatei = "etwas, das keine Datei ist";
    // `beiseite`: Daten.KRN set aside by a restore before the start
    const struct { const char* name; int art; bool startet; QString meldung; bool beiseite = false; } faelle[] = {
        {"Kav.sperre", Rohr, true, {}},
        {"Wiederherstellung.laeuft", Rohr, true, marke(keineDatei)},
        {"Wiederherstellung.laeuft", Verknuepfung, true, marke("eine Verknüpfung")},
        {"Wiederherstellung.laeuft", Rohr, false, markeBeendet(keineDatei), true},
        {"Wiederherstellung.laeuft", Ordner, false, markeBeendet("ein Ordner"), true},
        {"Wiederherstellung.laeuft", Unlesbar, false, unlesbareMarke},
        {"Wiederherstellung.laeuft.tmp", Rohr, true, tmp(keineDatei)},
        {"Wiederherstellung.laeuft.tmp", Verknuepfung, true, tmp("eine Verknüpfung")},
        {"Wiederherstellung.laeuft.tmp", Geraet, true, tmp(keineDatei)},
        {"Daten.KRN-journal", Rohr, false, neben("Daten.KRN", "-journal", Rohr)},
        {"Daten.KRN-journal", Verknuepfung, false, neben("Daten.KRN", "-journal", Verknuepfung)},
        {"Daten.KRN-journal", Unlesbar, false, neben("Daten.KRN", "-journal", Unlesbar)},
        {"Daten.KRN-journal", Fest, false, neben("Daten.KRN", "-journal", Fest)},
        {"Kav.KRN-journal", Fest, false, neben("Kav.KRN", "-journal", Fest)},
        {"Daten.KRN-wal", Verknuepfung, false, neben("Daten.KRN", "-wal", Verknuepfung)},
        {"Daten.KRN-wal", Unlesbar, false, neben("Daten.KRN", "-wal", Unlesbar)},
        {"Kav.KRN-journal", Verknuepfung, false, neben("Kav.KRN", "-journal", Verknuepfung)},
        {"Kav.KRN-journal", Unlesbar, false, neben("Kav.KRN", "-journal", Unlesbar)},
        {"Kav.KRN-wal", Verknuepfung, false, neben("Kav.KRN", "-wal", Verknuepfung)},
        {"Kav.KRN-wal", Unlesbar, false, neben("Kav.KRN", "-wal", Unlesbar)},
        {"Daten.KRN", Unlesbar, false, selbst("Daten.KRN", Unlesbar)},
        {"Kav.KRN", Unlesbar, false, selbst("Kav.KRN", Unlesbar)},
        {"Daten.KRN", Verknuepfung, false, selbst("Daten.KRN", Verknuepfung)},
        {"Kav.KRN", Rohr, false, selbst("Kav.KRN", Rohr)},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.name << " " << f.art);
        const QString rohr = daten + "/" + f.name;
        const bool istDatenbank = rohr.endsWith(".KRN");
        const QByteArray datenbankInhalt = istDatenbank ? test::inhalt(rohr) : QByteArray(); // sound, with its rows
        const QString datenKRN = daten + "/Daten.KRN", beiseite = datenKRN + ".vor-Wiederherstellung-20261206091500";
        ASSERT_TRUE(!f.beiseite || QFile::rename(datenKRN, beiseite));
        if (f.art == Unlesbar || f.art == Fest) {
            if (!istDatenbank) {
                ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(rohr, test::inhalt(ziel)));
            }
        } else if (f.art == Ordner) {
            ASSERT_TRUE(QDir().mkdir(rohr));
        } else {
            QFile::remove(rohr);
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(rohr, f.art == Rohr ? test::Fremd::Rohr
                                                               : f.art == Geraet ? test::Fremd::Geraet
                                                                                 : test::Fremd::Verknuepfung, ziel));
        }
        const Dateisystem::Art art = Dateisystem::art(rohr);
        const QMap<QString, QByteArray> vorher = dateien();
        std::optional<Schreibschutz> schutz; // another account's file
        if (f.art == Unlesbar || f.art == Fest) {
            ASSERT_TRUE(schutz.emplace(dir.path(), daten, rohr, false, f.art == Fest ? 0444 : 0200).wirksam());
        }
        protokoll.meldungen.clear();
        std::atomic<bool> fertig = false, gehalten = false;
        const pid_t faden = ::gettid();
        std::thread helfer([&] {
            const auto anfang = std::chrono::steady_clock::now();
            while (!fertig) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (!wartetAmRohr(faden) && std::chrono::steady_clock::now() - anfang < std::chrono::minutes(1))
                    continue;
                gehalten = true;
                const int fd = ::open(QFile::encodeName(rohr).constData(), O_RDWR | O_NONBLOCK);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (fd >= 0)
                    ::close(fd);
            }
        });
        AppContext& a = neuerStart();
        EXPECT_EQ(DiensteStarten(a, dir.path(), ini()), f.startet);
        schutz.reset();
        const QString text = protokoll.texte().join("\n");
        EXPECT_EQ(text, f.meldung);
        EXPECT_EQ(dateien(), vorher);
        EXPECT_NE(QFileInfo::exists(datenKRN), f.beiseite); // none made
        if (f.startet) {
            zweiterStartAbgewiesen();
            protokoll.meldungen.clear();
            a.einstellungen.datLetzteDS = QDate(); // a backup is due
            DiensteBeenden(a);
            EXPECT_EQ(protokoll.texte().join("").startsWith("Die Sicherung der Datenbanken ist fehlgeschlagen"), !f.meldung.isEmpty());
        }
        appNeu();
        fertig = true;
        helfer.join();
        EXPECT_FALSE(gehalten);
        EXPECT_EQ(Dateisystem::art(rohr), art); // left as it was
        QFile::remove(rohr) || QDir().rmdir(rohr);
        ASSERT_TRUE(!f.beiseite || QFile::rename(beiseite, datenKRN));
        if (istDatenbank) {
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(rohr, datenbankInhalt));
        }
    }
}

// A damaged Daten.KRN whose backup cannot be read now: something beside it or in its place that is no
// file, a link, a backup that may not be read (another account's), a journal beside it that may be read
// but not written (another account's), or, while the backup lies aside under the name a backup keeps the
// previous one under (a backup cut short), something at the name a backup is made under. The start names
// it, says what to do and ends; nothing is set aside or replaced, never by the empty file while the
// backup holds the plots. Something at the other file's names keeps no sound backup from it: the start
// puts it in and leaves that as it is. Once it is gone, the start puts the backup in.
TEST_F(ProgrammStartTest, BeschaedigteDateiWartetAufIhreSicherung)
{
    {
        AppContext& a = neuerStart();
        ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
        for (const char* nr : {"Fl1000", "Fl1001"})
            sql::exec(a.db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES (?, 'Beet')", {nr});
        DiensteBeenden(a); // the first backup
        appNeu();
    }
    const QString daten = dir.path() + "/Daten", sicherungen = dir.path() + "/Sicherungsdateien";
    const QString pvq = sicherungen + "/Daten.PVQ", anderswo = dir.filePath("anderswo.PVQ");
    ASSERT_TRUE(QFile::copy(pvq, anderswo));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(daten + "/Daten.KRN", "kaputt"));
    const QString nicht = " Was dort liegt, liest das Programm nicht.";
    const QString tmpOrdner =
        "An der Stelle „Sicherungsdateien/Kav.PVQ.tmp“, an der Kav eine neue Sicherungsdatei anlegt, liegt ein Ordner." + nicht;
    const QString tmpBitte = "Bitte entfernen Sie „Sicherungsdateien/Kav.PVQ.tmp“ und starten Sie Kav dann neu.";
    enum { Rohr, Verknuepfung, Unlesbar, Ordner, Fest /* may be read, not written: another account's */ };
    // `vorher`: Daten.PVQ lies aside as the previous backup; empty `was`: Daten.KRN is replaced from its backup
    const struct { const char* name; int art; QString was, bitte; bool vorher = false; } faelle[] = {
        {"Daten.PVQ-journal", Rohr,
         "Neben der Sicherungsdatei Daten.PVQ liegt „Daten.PVQ-journal“, und das ist etwas, das keine Datei ist." + nicht,
         "Bitte entfernen Sie „Sicherungsdateien/Daten.PVQ-journal“ und starten Sie Kav dann neu."},
        {"Daten.PVQ-journal", Fest,
         "Neben der Sicherungsdatei Daten.PVQ liegt „Daten.PVQ-journal“, und diese Datei darf das Programm nicht "
         "beschreiben oder löschen.",
         "Bitte sorgen Sie dafür, dass Sie die Datei „Sicherungsdateien/Daten.PVQ-journal“ beschreiben und löschen dürfen, "
         "und starten Sie Kav dann neu."},
        {"Daten.PVQ", Verknuepfung, "An der Stelle der Sicherungsdatei Daten.PVQ liegt eine Verknüpfung." + nicht,
         "Bitte legen Sie an die Stelle der Verknüpfung „Sicherungsdateien/Daten.PVQ“ die Datei, auf die sie verweist, "
         "und starten Sie Kav dann neu."},
        {"Daten.PVQ", Unlesbar, "Die Sicherungsdatei Daten.PVQ darf das Programm nicht lesen.",
         "Bitte sorgen Sie dafür, dass Sie die Datei „Sicherungsdateien/Daten.PVQ“ lesen und beschreiben dürfen, und "
         "starten Sie Kav dann neu."},
        {"Kav.PVQ.tmp", Ordner, tmpOrdner, tmpBitte, true},
        {"Kav.PVQ.tmp", Ordner, {}, {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.name << " " << f.art << " " << f.vorher);
        const QString pfad = sicherungen + "/" + f.name;
        if (f.art == Rohr) {
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(pfad, test::Fremd::Rohr));
        } else if (f.art == Verknuepfung) {
            ASSERT_TRUE(QFile::remove(pfad));
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(pfad, test::Fremd::Verknuepfung, anderswo));
        } else if (f.art == Ordner) {
            ASSERT_TRUE(QDir().mkdir(pfad));
        } else if (f.art == Fest) {
            QByteArray zufall(4096, '\0');
            for (char& c : zufall)
                c = static_cast<char>(QRandomGenerator::global()->bounded(1, 256));
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(pfad, zufall));
        }
        ASSERT_TRUE(!f.vorher || QFile::rename(pvq, pvq + ".vorher"));
        const QMap<QString, QByteArray> vorher = dateien();
        protokoll.meldungen.clear();
        {
            std::optional<Schreibschutz> schutz;
            if (f.art == Unlesbar || f.art == Fest) {
                ASSERT_TRUE(schutz.emplace(dir.path(), daten, pfad, false, f.art == Fest ? 0444 : 0200).wirksam());
            }
            AppContext& a = neuerStart();
            const bool gestartet = DiensteStarten(a, dir.path(), ini());
            EXPECT_EQ(gestartet, f.was.isEmpty());
            if (gestartet) {
                EXPECT_EQ(sql::scalar(a.db->cnDaten(), "SELECT COUNT(*) FROM FlaechenID").toInt(), 2);
            }
            appNeu();
        }
        if (f.was.isEmpty()) { // from its own backup, the folder at the other's name left as it is
            EXPECT_TRUE(protokoll.texte().join("").startsWith("Dat-DB war beschädigt, ersetzt mit der Sicherungsdatei vom "))
                << protokoll.texte().join("").toStdString();
            EXPECT_EQ(test::inhalt(daten + "/Daten.KRN"), test::inhalt(pvq));
            EXPECT_EQ(Dateisystem::art(pfad), Dateisystem::Art::Ordner);
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(daten + "/Daten.KRN", "kaputt"));
        } else {
            EXPECT_EQ(protokoll.texte(),
                      QStringList{"Die Datenbank " + daten + "/Daten.KRN ist beschädigt, und ihre Sicherung kann das "
                                  "Programm nicht verwenden: " + f.was + " An den Datenbanken und den Sicherungsdateien wurde "
                                  "nichts verändert.\n\n" + f.bitte + " Bis dahin kann das Programm nicht arbeiten und wird beendet."});
            EXPECT_EQ(dateien(), vorher);
            EXPECT_EQ(test::inhalt(daten + "/Daten.KRN"), "kaputt");
        }
        ASSERT_TRUE(!f.vorher || QFile::rename(pvq + ".vorher", pvq));
        if (f.art == Ordner) {
            ASSERT_TRUE(QDir().rmdir(pfad));
        } else if (f.art != Unlesbar) {
            ASSERT_TRUE(QFile::remove(pfad));
        }
        if (f.art == Verknuepfung) {
            ASSERT_TRUE(QFile::copy(anderswo, pfad));
        }
    }
    protokoll.meldungen.clear();
    AppContext& a = neuerStart();
    ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
    EXPECT_TRUE(protokoll.texte().join("").startsWith("Dat-DB war beschädigt, ersetzt mit der Sicherungsdatei vom "))
        << protokoll.texte().join("").toStdString();
    EXPECT_EQ(sql::scalar(a.db->cnDaten(), "SELECT COUNT(*) FROM FlaechenID").toInt(), 2);
}

// A data folder whose files may not be reached, a file in its place, a folder missing without a
// backup: the start says what is wrong, never that a file is damaged, and changes nothing. A folder
// missing with its backups comes back, the shipped reference file with it. A link to a folder that
// holds the files is the data folder: the start goes on without a word and changes nothing.
TEST_F(ProgrammStartTest, UnbrauchbarerDatenordnerIstKeinSchaden)
{
    const QString daten = dir.path() + "/Daten";
    enum { OhneZugriff, EineDatei, FehltOhneSicherung, FehltMitSicherung, VerknuepfungInsLeere, VerknuepfungAufOrdner };
    const QString meldung[] = { // the start ends with it; empty: the start goes on
        "Kav kann nicht starten: Auf die Dateien im Datenordner „" + daten + "“ darf das Programm nicht zugreifen.",
        "Kav kann nicht starten: „" + daten + "“ ist eine Datei und kein Ordner.",
        "Die Datenbank " + daten + "/Kav.KRN fehlt, und es gibt weder ihre Sicherungsdatei „" + dir.path()
            + "/Sicherungsdateien/Kav.PVQ“ noch eine Standarddatei,",
        {},
        "Kav kann nicht starten: Der Datenordner „" + daten + "“ ist nicht erreichbar. Er verweist auf „" + dir.path()
            + "/Netz/Daten“, und dort ist kein Ordner",
        {}};
    for (int f = OhneZugriff; f <= VerknuepfungAufOrdner; ++f) {
        SCOPED_TRACE(f);
        QDir(dir.path()).removeRecursively();
        ASSERT_NO_FATAL_FAILURE(SetUp());
        if (f >= FehltMitSicherung) { // a backup pair
            ASSERT_TRUE(DiensteStarten(neuerStart(), dir.path(), ini()));
            DiensteBeenden(app());
        }
        if (f == VerknuepfungAufOrdner) {
            ASSERT_TRUE(QDir().mkdir(dir.filePath("Netz")) && QDir().rename(daten, dir.filePath("Netz/Daten")));
        } else if (f != OhneZugriff) {
            QDir(daten).removeRecursively();
        }
        if (f == EineDatei) {
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(daten, "keine Daten"));
        }
        ASSERT_TRUE(f < VerknuepfungInsLeere || ((f == VerknuepfungAufOrdner || QDir().mkdir(dir.filePath("Netz")))
                                                 && QFile::link(dir.filePath("Netz/Daten"), daten)));
        const QMap<QString, QByteArray> vorher = dateien();
        protokoll.meldungen.clear();
        std::optional<Schreibschutz> schutz;
        if (f == OhneZugriff) {
            ASSERT_TRUE(schutz.emplace(dir.path(), daten, daten, true, 0644).wirksam());
        }
        EXPECT_EQ(DiensteStarten(neuerStart(), dir.path(), ini()), meldung[f].isEmpty());
        appNeu();
        schutz.reset();
        const QString text = protokoll.texte().join("\n");
        EXPECT_TRUE(text.startsWith(meldung[f]) && !text.contains("beschädigt")) << text.toStdString();
        if (f == VerknuepfungAufOrdner) {
            EXPECT_TRUE(text.isEmpty() && dateien() == vorher && QFileInfo(daten).isSymLink());
        } else if (meldung[f].isEmpty()) {
            EXPECT_EQ(test::inhalt(daten + "/Standard/Kav.KRN"), test::inhalt(test::erzeugteDaten() + "/Kav.KRN"));
        } else {
            EXPECT_EQ(dateien(), vorher);
            EXPECT_EQ(QFileInfo(daten).exists(), f == OhneZugriff || f == EineDatei); // no folder left made
            EXPECT_FALSE(QFileInfo::exists(dir.filePath("Netz/Daten")));
        }
    }
}
