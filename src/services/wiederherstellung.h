#pragma once
// The restore of the backup pair on the disk: copies of both backups beside the files, a mark, the
// current files set aside and the copies put in their place; and what a restore cut short left.
#include "services/dateioperationen.h"

#include <QDateTime>
#include <QString>

namespace kav {

class Wiederherstellung {
public:
    // What a restore cut short left at the start.
    enum class Lage {
        Keine,         // nothing
        OhneMarke,     // copies without a mark: cut short before anything was replaced
        Vollenden,     // the mark names both files, and every file it puts in is there and sound
        Zuruecknehmen, // anything else: back to the files as they were
        Erledigt,      // the mark of a restore settled by the program before, which could not remove it
        KeineDatei,    // something that is no regular file lies in the mark's place: not read, nothing decided
        Unlesbar,      // a mark the program may not read (another account's) or cannot: nothing decided
    };

    // `daten`: the data folder; `dateien`: Kav.KRN and Daten.KRN; `sicherungen`: their backups.
    Wiederherstellung(QString daten, const QString (&dateien)[2], const QString (&sicherungen)[2],
                      const DateiOperationen& ops);

    // From before the first rename of a restore until both files are in place or back, this mark in
    // the data folder names where the current files go aside ("<file>=<name>", an empty name for a
    // file that was not there). Written to a temporary name, flushed and renamed: whole or absent.
    QString marke() const;
    // Anything at the mark's path, a link too.
    bool markeDa() const;
    // The first of the mark and the temporary file it is written as where something lies that is no
    // regular file: a link, a folder, a named pipe, socket or device. Never read, followed or written
    // (a named pipe would hold the program, a link take the mark elsewhere); empty when neither.
    QString fremd() const;
    bool markeFremd() const { return !fremd().isEmpty(); }
    // The first of the names the backups are copied to beside the files where something lies that is no
    // regular file (a restore would fail on it, or remove it); empty when neither.
    QString kopieFremd() const;
    // A copy of a backup beside a file, or a file missing: what a restore cut short may have left.
    bool spuren() const;

    // Copies of both backups beside the files, on the disk before anything is touched.
    bool kopienAnlegen(QString* grund);
    // The names the current files go aside under at `zeit`, in the mark, on the disk.
    bool markeSetzen(const QDateTime& zeit, QString* grund);
    // The copies and the mark's temporary file go (that only when it is a file); false when one stays.
    bool kopienEntfernen() const;

    // What a restore cut short left: the mark and where its files lie now.
    Lage lesen();
    // The current files aside and the copies in their place, from wherever a restore stopped; on
    // the disk when it returns true.
    bool einsetzen(QString* grund = nullptr) const;
    // The files as they were back in place and the copies gone, from wherever a restore stopped.
    // It follows the mark only to the names it may hold, and sets nothing over another file.
    bool zuruecknehmen() const;
    // Every step of einsetzen() and zuruecknehmen() keeps lesen() at the same decision if the program
    // ends in the middle; a step that fails returns false and leaves the mark for the next start.
    // The mark goes (only a regular file: false for anything else there), and its temporary file.
    bool markeEntfernen() const;
    // Once both files are settled (in place or back): the mark goes, or where it cannot be removed it
    // is replaced by one that says so (Lage::Erledigt), which the next start removes without undoing
    // or finishing anything. False when it could be neither removed nor replaced.
    bool markeErledigen() const;

    // Removes older files kept aside by restores. Of each file stay: the one this restore set aside,
    // the newest of those named with a time up to this restore's, and of those named after it (the
    // clock was or is wrong) the two named nearest to it: at most four.
    void alteEntfernen() const;

private:
    struct Dateistand {
        QString pfad;
        QString kopie; // "<file>.wiederherstellen"
        QString sicherung;
        QString beiseite;     // where the current file goes aside; empty when it was not there
        bool gelesen = false; // the mark names where it goes, or that it was not there
    };

    // The mark with the lines of `dateien` that are read, whole on the disk.
    bool markeSchreiben(const Dateistand (&dateien)[2]) const;
    bool markeSchreiben(const QByteArray& text) const;
    void markeLesen(const QByteArray& text);
    // The file the restore puts in: the copy, or the file in its place; empty when neither is.
    QString wiederher(const Dateistand& d) const;
    // Where the file as it was before the restore lies now; empty when it was not there.
    QString bisher(const Dateistand& d) const;
    bool zuruecklegen(const Dateistand& d, const QString& bisher) const;

    QString m_daten;
    Dateistand m_dateien[2];
    const DateiOperationen& m_ops;
};

} // namespace kav
