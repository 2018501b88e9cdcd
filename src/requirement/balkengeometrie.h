#pragma once
// The bars of the mixed-culture planner: from the twips of a bar on the bed picture to its record and
// back, where a dropped or moved bar may lie, and the colours of bars and their text.
//
// The picture's full width is one year of 365 days from 1 January; its height is the bed across. The
// records of the bar table are the truth: the layout places the bars from them and reads them back,
// and a record read back from the twips it was placed at is the same record.
#include "services/wizardstate.h"

#include <QRectF>
#include <QString>

#include <optional>

namespace kav {

// Bar colour of a crop that has no colour of its own: light grey RGB(192, 192, 192).
constexpr qint32 kKulturOhneFarbe = 192 + 256 * 192 + 65536 * 192;
constexpr qint32 kSchwarz = 0;
constexpr qint32 kWeiss = 0xFFFFFF;

// Text colour on a bar of colour `farbe` (&H00BBGGRR): black when red + green + blue is above 425,
// else white.
qint32 SchriftFarbe(qint32 farbe);
// A colour number written as decimal text (a tree node's tag); nullopt for any other text.
std::optional<qint32> farbeAusText(const QString& text);

// Fills Left, Top, Dauer and start of `r` from a bar's twips on a picture of `breite` × `hoehe`
// twips: Left and Top as fractions of the picture, Dauer = 365 × bar width / picture width rounded,
// start = whole part of 52 × Left, plus 1 (an edge on a week's border, within the
// precision of Left, counts for that week). A picture without size (or values that are not finite)
// leaves the record as it is and gives false.
bool balkenAusTwips(MischkulturBalken& r, const QRectF& balken, double breite, double hoehe);

// Where the layout places the bar of record `r`: Left and Top as the fractions of the picture, the
// width Dauer / 365 of the picture, the height a thirtieth of it.
QRectF balkenTwips(const MischkulturBalken& r, double breite, double hoehe);

// How a crop dropped from the tree becomes a bar, by the group it stands in.
enum class Abwurfart {
    NachTagen,   // a crop of "Pflanzung & Aussaat" (group Ku1007): as long as its days
    GanzesJahr,  // a permanent crop (group Ku1008, and the single crop Ku1009): the whole year
    Keine,       // any other node: nothing is dropped
};
Abwurfart abwurfartFuer(const QString& gruppenSchluessel, const QString& kulturSchluessel);

// The bar of a crop dropped at `punkt` (twips in the picture). By days: `tage` / 365 of the width,
// its top left corner at the point, then kept inside the picture (a bar wider than the picture starts
// at 0). Whole year: the picture's width from 0, at the point's height, not corrected.
QRectF abwurfRechteck(Abwurfart art, int tage, const QPointF& punkt, double breite, double hoehe);

// A moved bar kept inside the picture: its right edge at most at the picture's, its left edge at
// least at 0, its bottom at most at the picture's, and its top at least one bar height down (a moved
// bar never lies in the topmost band).
QRectF verschobenBegrenzen(QRectF r, double breite, double hoehe);

} // namespace kav
