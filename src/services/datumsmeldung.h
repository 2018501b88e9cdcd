#pragma once
// The message when a date typed or pasted into a date box or a calendar is refused: why there is no
// such date, or the range it lies outside, and the date that stays.
#include "platform/datumseingabe.h"
#include "services/meldungen.h"

#include <QDate>
#include <QString>

namespace kav {

struct Gebietsschema;

// `was` names the date as the page calls it ("Das Datum der Probennahme", "Der Kulturbeginn"); `bleibt`
// is the date that stays. A date outside the range is named with `bereich` ("vom 06.12.2025 bis
// 06.12.2029 (ein Jahr vor bis drei Jahre nach heute)"), or without it with the limits of the input.
Meldung datumAbgewiesen(const forms::DatumsAbweisung& a, const QString& titel, const QString& was,
                        const QDate& bleibt, const Gebietsschema& g, const QString& bereich = {});

} // namespace kav
