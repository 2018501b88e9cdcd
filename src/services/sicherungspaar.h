#pragma once
// The backup pair in the backup folder: Kav.PVQ and Daten.PVQ, made and replaced as a pair.
#include "services/dateioperationen.h"

#include <QDateTime>
#include <QString>

namespace kav {

class Sicherungspaar {
public:
    // The names of one file's backup: the backup, the copy a new backup is made as, and the previous
    // backup while the pair is switched.
    struct Namen {
        QString sicherung;
        QString kopie;  // "*.PVQ.tmp"
        QString vorher; // "*.PVQ.vorher"
    };

    // `ordner`: the backup folder; `kavDatei`, `datenDatei`: the files backed up (index 0 and 1).
    Sicherungspaar(QString ordner, QString kavDatei, QString datenDatei, const DateiOperationen& ops);

    Namen namen(int i) const;

    // What lies at one of the pair's names (a backup, its copy on the way, the previous backup while
    // the pair is switched) or beside a backup where SQLite keeps its journal, and what the program
    // cannot use: no regular file, a link, a file it may not read, beside a backup also one it may not
    // write or remove. None of it is read, written, moved or removed, no backup is made and none
    // restored while it is there.
    struct Hindernis {
        QString pfad;  // empty: nothing is in the way
        QString text;  // what lies where, as a sentence
        QString bitte; // what the gardener is asked to do
        bool da() const { return !pfad.isEmpty(); }
        QString satz() const { return text + QLatin1Char(' ') + bitte; }
    };
    // The first that is found; `neustart`: the request ends asking for a new start.
    Hindernis hindernis(bool neustart = false) const;
    // The same of the backup of file `i` (0: Kav, 1: Daten) and beside it only, where SQLite keeps its
    // journal, and of a journal there that the program may read but not write or remove.
    Hindernis hindernisDerSicherung(int i, bool neustart = false) const;
    // A file of the backup of file `i` lies under the pair's working names ("*.PVQ.tmp",
    // "*.PVQ.vorher"): a switch of the pair not yet settled (wechselBeenden) may hold it aside.
    bool beiseite(int i) const;

    // Copies both files as the new pair, made at `zeit`; none while something is in the way (hindernis). Until both new files are in place the
    // previous pair is kept, and a failure puts it back; `why` then says what failed. When the new
    // pair is in but cannot be flushed to the disk, the previous one stays aside (wechselBeenden
    // removes it) and the backup fails.
    bool sichern(const QDateTime& zeit, QString* why) const;

    // A backup whose switch of the pair was cut short (the program ended between putting the previous
    // pair aside and putting the new one in) leaves "*.PVQ.vorher" files: with the pair incomplete the
    // previous pair goes back in place, with the pair complete (and flushed to the disk) the
    // leftovers go. A first backup cut
    // short between its two renames is finished. Copies ("*.PVQ.tmp") left by a backup go. Nothing is
    // done while one of the pair's names holds what is no regular file.
    void wechselBeenden() const;

private:
    // Whether each of the pair's names holds a regular file or nothing.
    bool nurDateien() const;
    // The name of `pfad` as the messages show it, in the backup folder.
    QString anzeigeName(const QString& pfad) const;
    // Both copies, with the time of the backup (as a restore names it) set on them.
    bool kopienAnlegen(const QDateTime& zeit, QString* why) const;
    // The previous pair aside, the new one in; a failure puts the previous pair back.
    bool wechseln(QString* why) const;
    void kopienEntfernen() const;
    // The previous pair back in place; false when a rename failed.
    bool vorherZuruecklegen() const;
    // The first backup cut short between its renames, with `j` in place and `k` under its copy's name;
    // false when that could not be settled now.
    bool ersteSicherungBeenden(int j, int k) const;

    QString m_ordner;
    QString m_dateien[2];
    const DateiOperationen& m_ops;
};

} // namespace kav
