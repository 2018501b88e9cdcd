#pragma once
// Applying a fetched data update to Kav.KRN and the picture folders, wholly or not at all.
#include "exchange/updateholen.h"
#include "services/bildertausch.h"
#include "services/programmordner.h"

namespace kav::exchange {

struct AnwendenErgebnis {
    bool ok = false;
    QString grund; // why nothing was changed
};

// Writes every fetched table in one transaction (catalogue rows replace only the maker's rows; a
// user's fertiliser or lime whose key the server now uses keeps its values under the next free
// number), then puts the staged picture folders in place by renaming (Bildertausch) and commits. On
// any failure the transaction is rolled back and the old picture folders come back: nothing is
// changed; after a crash the next start makes the folders match Kav.KRN (BildertauschBeenden). The
// staging folder is the caller's to remove.
// `jetzt` is the change time of the new picture rows.
// Tests: `umbenennen` is asked before each rename of the picture folders with its two paths; false
// makes that rename fail. `pruefpunkt` is called before the swap's mark is written ("Marke"), before
// the commit ("Commit") and before the mark is removed after it ("Fertig").
using Umbenennen = Bildertausch::Umbenennen;
AnwendenErgebnis UpdateAnwenden(const QSqlDatabase& cnKav, const UpdatePaket& paket, const Programmordner& ordner,
                                const QDateTime& jetzt, const Umbenennen& umbenennen = {},
                                const std::function<void(QStringView)>& pruefpunkt = {});

} // namespace kav::exchange
