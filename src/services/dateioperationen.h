#pragma once
// The file operations of replacing, backing up and restoring the database files; tests put failing
// ones in.
#include "platform/localdatabase.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace kav {

struct DateiOperationen {
    // Renames `von` to `nach`, replacing a file of that name.
    std::function<bool(const QString& von, const QString& nach)> umbenennen;
    // Copies `von` to `nach`, where no file is.
    std::function<bool(const QString& von, const QString& nach)> kopieren;
    // Writes `inhalt` as a new file `pfad`, flushed to the disk, where nothing lies (never through a
    // link or over anything there).
    std::function<bool(const QString& pfad, const QByteArray& inhalt)> schreiben = &echtSchreiben;
    // Removes the file `pfad`.
    std::function<bool(const QString& pfad)> entfernen = &echtEntfernen;
    // Flushes the file `pfad`, or the names in the folder `pfad`, to the disk.
    std::function<bool(const QString& pfad)> aufDieDisk = &echtAufDieDisk;
    static DateiOperationen echte();
    static bool echtSchreiben(const QString& pfad, const QByteArray& inhalt);
    static bool echtEntfernen(const QString& pfad);
    static bool echtUmbenennen(const QString& von, const QString& nach);
    static bool echtAufDieDisk(const QString& pfad);

    // umbenennen(), with what failed in `why`.
    bool umbenennenMitGrund(const QString& von, const QString& nach, QString* why) const;
    // Renames a database file together with its journal; on failure both stay where they were.
    bool mitJournalUmbenennen(const QString& von, const QString& nach, QString* why = nullptr) const;
    // A copy of `von` at `nach` (a file left there goes first), writable by its owner and readable
    // by all, whole on the disk.
    bool kopieAnlegen(const QString& von, const QString& nach) const;
    // Removes `pfad` if it is there; false when it stays.
    bool entfernenFallsDa(const QString& pfad) const;
    // Removes `pfad` if a regular file is there, a file of the program's own; anything else there (a
    // link, a folder, a named pipe) stays as it is. False when a regular file stays.
    bool entfernenWennDatei(const QString& pfad) const;
    // A journal whose file is gone or replaced would be played back into the next file of that
    // name: it goes. False when one stays.
    bool journalEntfernen(const QString& pfad) const;
    // The journal at `pfad` when its file is not there: left by a move of the file to `zu` that was
    // cut short between the file and its journal. It joins `zu` when that file has none; else it goes.
    bool verwaistesJournalNachziehen(const QString& pfad, const QString& zu) const;
};

QString dateiname(const QString& pfad);

// What lies at `pfad` where the program keeps a file of its own, as its messages name it: "ein Ordner",
// "eine Verknüpfung", or "etwas, das keine Datei ist" (a named pipe, socket or device).
QString wasDortLiegt(const QString& pfad);

// What the program keeps at a path where something lies that it cannot use.
enum class Stelle {
    Datenbank, // a database file
    Sicherung, // a backup file
    Journal,   // where SQLite keeps the journal of a database or backup
    Eigene,    // a file of the program's own making: a mark, a copy on its way
};
// What the gardener is asked to do about `fehler` at `name` (as the message shows the path): one
// sentence, which with `neustart` ends asking for a new start.
QString hindernisBitte(const QString& name, LocalDatabase::FileFault fehler, Stelle stelle, bool neustart);

// `basis`, or with "-2", "-3"... when anything (a link too) of that name, a journal of it, or a file of that name
// with one of `endungen` is already there: a file kept aside never overwrites another.
QString freierName(const QString& basis, const QStringList& endungen = {});

} // namespace kav
