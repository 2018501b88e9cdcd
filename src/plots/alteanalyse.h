#pragma once
// The notice that a plot's latest soil analysis is old.
#include <QDate>
#include <QString>

namespace kav {

class Clock;

inline const QString kAlteAnalyseTitel = QStringLiteral("Kav - Auswahl Bodenuntersuchung");
inline const QString kAlteAnalyseText = QStringLiteral(
    "Die letzte Untersuchung dieser Fläche liegt bereits über 5 Jahre zurück. Sie sollten die Fläche "
    "baldmöglichst erneut untersuchen lassen.");

// True when the calendar years of the analysis and of today lie more than 5 apart (either way).
// Only the year numbers count; an invalid date gives no notice.
bool alteAnalyseHinweis(const QDate& analyseDatum, const QDate& heute);
bool alteAnalyseHinweis(const QDate& analyseDatum, const Clock& uhr);

} // namespace kav
