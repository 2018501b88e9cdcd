#pragma once
// The data update as the program starts it: from the settings window's button and, once a day
// when set, at start-up.
#include "exchange/datenaktualisierung.h"

namespace kav::exchange {

// Tests the server's reachability ("Um die Daten zu aktualisieren, ..." when it cannot be
// reached, no window), then starts the update and shows its window. While an update runs, a
// second call only brings its window forward.
void DatenAktualisieren();

// The program's one update run, which the window shows.
DatenAktualisierung& laufendeAktualisierung();

// How long a stage text stays at least, in ms (tests set 0).
void setStufenPause(int ms);

} // namespace kav::exchange
