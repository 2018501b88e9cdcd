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
        Vollenden,     // every file the restore puts in is there and sound, and the mark too
        Zuruecknehmen, // anything else: back to the files as they were
    };

    // `daten`: the data folder; `dateien`: Kav.KRN and Daten.KRN; `sicherungen`: their backups.
    Wiederherstellung(QString daten, const QString (&dateien)[2], const QString (&sicherungen)[2],
                      const DateiOperationen& ops);

    // From before the first rename of a restore until both files are in place, this mark in the data
    // folder names where the current files go aside ("<file>=<name>", an empty name for a file that
    // was not there). Written to a temporary name, flushed and renamed: it is whole or absent.
    QString marke() const;

    // Copies of both backups beside the files, on the disk before anything is touched.
    bool kopienAnlegen(QString* grund);
    // The names the current files go aside under at `zeit`, in the mark.
    bool markeSetzen(const QDateTime& zeit, QString* grund);
    // The current files aside, the copies in their place.
    bool einsetzen(QString* grund);
    // After a failed einsetzen: the files as they were back in place, the copies gone.
    void zuruecknehmenNachFehler();
    bool markeEntfernen();
    // Removes the copies of the backups.
    void kopienEntfernen() const;

    // What a restore cut short left: the mark and where its files lie now.
    Lage lesen();
    // Finishes the restore read by lesen(); each step keeps the decision the same if the program
    // ends again in the middle. A step that fails leaves the mark: the next start goes on from there.
    bool vollenden();
    // Rolls the restore read by lesen() back to the files as they were.
    bool zuruecknehmen();

    // Removes the older files kept aside by restores: the newest `behalten` of each file stay.
    void alteEntfernen(int behalten) const;

private:
    struct Dateistand {
        QString pfad;
        QString kopie; // "<file>.wiederherstellen"
        QString sicherung;
        QString beiseite;       // where the current file goes aside; empty when it was not there
        bool gelesen = false;   // the mark names it
        bool fehlte = false;    // the mark says the file was not there
        bool beiseiteGelegt = false; // by einsetzen()
        bool eingesetzt = false;
        QString wiederher;      // where the file the restore puts in lies now
        QString bisher;         // where the file it replaces lies now
    };

    void markeLesen();
    // Where the file the restore puts in and the file it replaces lie now; whether it can be finished.
    bool stelleFinden(Dateistand& d) const;

    QString m_daten;
    Dateistand m_dateien[2];
    const DateiOperationen& m_ops;
};

} // namespace kav
