#pragma once
// Placement rules of the main window at start and on resize (twips).
#include <QDate>
#include <QDateTime>
#include <QRect>
#include <QString>

namespace kav {

struct Rahmen;

inline constexpr double kMindestHoehe = 8550;  // twips
inline constexpr double kMindestBreite = 11400;

// Window state from the stored text: 0 normal, 1 minimised, 2 maximised (anything else: 2).
int fensterZustandAus(const QString& strAnsicht);
// The state the window opens in: the stored one, but never minimised (a window closed while
// minimised opens in its normal state).
int startZustandAus(const QString& strAnsicht);

// `fenster` moved (and made smaller where needed) so that it lies wholly inside `frei`, the free
// area of a screen: a place stored on a screen that is no longer there, or beyond any side of it,
// gives a window the user can reach.
QRect imFreienBereich(const QRect& fenster, const QRect& frei);

// Start: the stored size cut to the work area, a position far off screen set back to 0.
void fensterPlatzBegrenzen(Rahmen& r);

// On resize in the normal state: within the work area and not below the minimum; the work area
// wins when it is smaller than the minimum.
double hoeheBegrenzt(double hoehe, double arbeitsbereichHoehe);
double breiteBegrenzt(double breite, double arbeitsbereichBreite);

// The stored measure (twips) of a place or size of `pixel` pixels: the stored value as long as it gives
// that many pixels (so a start and an end leave the settings as they were), else `pixel` in twips.
float massInTwips(float gespeichert, int pixel, double twipsProPixel);

// The data update at start runs when it is switched on and the last one lies before today.
bool updateBeiStartFaellig(const QDateTime& datLetztesUpdate, const QString& strUpdatebeiStart, const QDate& heute);

} // namespace kav
