#pragma once
// The two week numberings of the program.
#include <QDate>

namespace kav {

// Weeks begin on Sunday; week 1 is the week that holds 1 January (1 to 54).
int sonntagsWoche(const QDate& d);

// ISO 8601 week number (weeks begin on Monday, week 1 holds the first Thursday).
int isoWoche(const QDate& d, int* isoJahr = nullptr);

// Monday of ISO week `woche` of `jahr`; week 1 of 2026 begins on 29 December 2025.
QDate montagDerIsoWoche(int woche, int jahr);

} // namespace kav
