#pragma once
// The data update as the program starts it: from the settings window's button and, once a day
// when set, at start-up.
#include "exchange/datenaktualisierung.h"

namespace kav::exchange {

// Shows the update window, tests the server's reachability (when it cannot be reached the window
// goes again and "Um die Daten zu aktualisieren, ..." is shown), then starts the update. While an
// update runs, a second call only brings its window forward.
void DatenAktualisieren();

// The program's one update run, which the window shows.
DatenAktualisierung& laufendeAktualisierung();

// How long a stage text stays at least, in ms (tests set 0).
void setStufenPause(int ms);

} // namespace kav::exchange
