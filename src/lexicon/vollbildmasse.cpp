#include "lexicon/vollbildmasse.h"

#include <algorithm>

namespace kav {

namespace {
// Space above the picture and above the close image.
constexpr double kBildOben = 50.0 / 15.0;
constexpr double kEndeOben = 75.0 / 15.0;
} // namespace

QSizeF bildEinpassen(const QSizeF& natur, const QSizeF& hauptInnen)
{
    if (natur.width() <= 0 || natur.height() <= 0)
        return QSizeF(0, 0);
    const double kH = 0.75 * hauptInnen.height() >= natur.height() ? 1.0 : 0.75 * hauptInnen.height() / natur.height();
    const double kW = 0.75 * hauptInnen.width() >= natur.width() ? 1.0 : 0.75 * hauptInnen.width() / natur.width();
    const double k = std::max(0.0, std::min(kH, kW));
    return QSizeF(natur.width() * k, natur.height() * k);
}

VollbildMasse vollbildMasse(const QSizeF& natur, const QRectF& hauptAussen, const QSizeF& hauptInnen,
                            double quelleHoehe, double quelleBreite, const QSizeF& ende)
{
    VollbildMasse m;
    const QSizeF b = bildEinpassen(natur, hauptInnen);
    // wide enough for the picture, and for the source line and the close image when the picture is small
    const double rand = std::max(b.width() * 0.01, 2.0);
    const double breite = std::max({b.width() * 1.02, quelleBreite + 2 * rand, ende.width() + 2 * kEndeOben});
    double hoehe = std::max(b.height() * 1.04, kBildOben + b.height() + rand);
    if (b.isEmpty()) // no picture: room for the close image
        hoehe = std::max(hoehe, ende.height() + 2 * kEndeOben);
    if (quelleHoehe > 0)
        hoehe += quelleHoehe * 1.02;
    m.bild = QRectF((breite - b.width()) / 2, kBildOben, b.width(), b.height());
    if (quelleHoehe > 0)
        m.quelle = QRectF(rand, hoehe - quelleHoehe - b.height() * 0.01, breite - 2 * rand, quelleHoehe);
    m.ende = QRectF(breite - b.height() * 0.02 - ende.width(), kEndeOben, ende.width(), ende.height());
    if (m.ende.left() < 0)
        m.ende.moveLeft(0);
    m.fenster = QRectF(hauptAussen.left() + (hauptAussen.width() - breite) / 2,
                       hauptAussen.top() + (hauptAussen.height() - hoehe) / 3, breite, hoehe);
    return m;
}

} // namespace kav
