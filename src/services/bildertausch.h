#pragma once
// The lexicon's picture folders replaced by those of a data update as one step with the commit of
// Kav.KRN, also across a crash: after the next start the folders in place are those of the rows that
// Kav.KRN holds.
#include "services/programmordner.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringView>

#include <functional>

namespace kav {

// The staging folders of data updates lie in Lexikon/ under this prefix.
inline const QString kAktualisierungsPraefix = QStringLiteral("Aktualisierung-");

// Puts the staged Vorschau/ and Vollbild/ of a staging folder in place, inside the open transaction of
// Kav.KRN that writes the rows naming the pictures. The old folders go into the staging folder
// ("alt/") and are removed after the commit only. Before the first rename, a mark in the
// staging folder names a number that the transaction writes into Kav.KRN: a start after a crash tells
// by it whether the commit landed (BildertauschBeenden).
class Bildertausch {
public:
    // Tests: asked before each rename with its two paths; false makes that rename fail.
    using Umbenennen = std::function<bool(const QString& von, const QString& nach)>;
    // Tests: called before the mark is written ("Marke") and before it is removed ("Fertig").
    using Pruefpunkt = std::function<void(QStringView)>;
    // Tests: asked before each folder is flushed to the disk; false makes that flush fail.
    using AufDieDisk = std::function<bool(const QString& ordner)>;

    Bildertausch(Programmordner ordner, QString arbeit, Umbenennen umbenennen = {}, Pruefpunkt pruefpunkt = {},
                 AufDieDisk aufDieDisk = {});
    // Without fertig(): the old folders come back and the mark goes (it stays when a folder cannot be
    // put back, so that the next start does it).
    ~Bildertausch();
    Bildertausch(const Bildertausch&) = delete;
    Bildertausch& operator=(const Bildertausch&) = delete;

    enum class Ergebnis {
        Getauscht,             // on the disk
        MarkeNichtGeschrieben, // the mark could not be written, read back whole and flushed: nothing moved
        NichtUmbenannt,        // a folder could not be renamed, or the renames not flushed
    };
    // Throws sql::Error when Kav.KRN cannot be written.
    Ergebnis tauschen(const QSqlDatabase& cnKav);
    // Once the transaction has committed: the old folders go, then the mark.
    void fertig();

private:
    bool umbenennen(const QString& von, const QString& nach);

    Programmordner m_ordner;
    QString m_arbeit;
    Umbenennen m_umbenennen;
    Pruefpunkt m_pruefpunkt;
    AufDieDisk m_aufDieDisk;
    bool m_fertig = false;
};

// True while the staging folder `arbeit` holds the mark of a swap not yet finished or undone: the
// old pictures may lie in it, so it must stay.
bool bildertauschOffen(const QString& arbeit);

// At start-up, once Kav.KRN is open and before the lexicon is used: each swap cut short by the end of
// the program is finished when Kav.KRN holds its number (the old folders go) and undone when it does
// not (the old folders come back); its staging folder goes. A mark that gives no number (left by a
// full disk or a power cut) is decided by the folders: a folder missing from its place, or old
// pictures that hold every one Kav.KRN names (whether those in place miss some or hold them all
// too, under the same names), undo the swap; else the pictures in place stay. A staging folder
// without a mark (a fetch cut short) goes. One that cannot be undone now, or whose mark the folders
// cannot decide, stays for the next start.
// Returns what the gardener is told: which folders were put back without a readable mark; else empty.
// Tests: `pruefpunkt` is called before each rename ("Umbenennen"), the mark's removal ("Marke") and
// the staging folder's removal ("Entfernen").
QString BildertauschBeenden(const Programmordner& ordner, const QSqlDatabase& cnKav,
                            const Bildertausch::Pruefpunkt& pruefpunkt = {});

} // namespace kav
