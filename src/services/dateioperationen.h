#pragma once
// The file operations of replacing, backing up and restoring the database files; tests put failing
// ones in.
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
    // Writes `inhalt` as the whole file `pfad` and flushes it to the disk.
    std::function<bool(const QString& pfad, const QByteArray& inhalt)> schreiben = &echtSchreiben;
    // Removes the file `pfad`.
    std::function<bool(const QString& pfad)> entfernen = &echtEntfernen;
    static DateiOperationen echte();
    static bool echtSchreiben(const QString& pfad, const QByteArray& inhalt);
    static bool echtEntfernen(const QString& pfad);
    static bool echtUmbenennen(const QString& von, const QString& nach);

    // umbenennen(), with what failed in `why`.
    bool umbenennenMitGrund(const QString& von, const QString& nach, QString* why) const;
    // Renames a database file together with its journal; on failure both stay where they were.
    bool mitJournalUmbenennen(const QString& von, const QString& nach, QString* why = nullptr) const;
};

// A journal whose file is gone or replaced would be played back into the next file of that name.
void journalEntfernen(const QString& pfad);

// Flushes a file, or the names in a folder, to the disk.
void aufDieDisk(const QString& pfad);

QString dateiname(const QString& pfad);

// `basis`, or with "-2", "-3"... when a file of that name, or a journal of it, is already there:
// a file kept aside never overwrites another.
QString freierName(const QString& basis);

} // namespace kav
