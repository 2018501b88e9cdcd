#pragma once
// The lexicon's picture strip: how many square slots fit, where they stand, which pictures they
// show, and how wide the page text is beside it.
#include <QImage>
#include <QString>

#include <vector>

namespace kav {

struct LexikonBild;

inline constexpr int kBilderSlots = 10;
// Value of the strip's scroll bar for the first picture.
inline constexpr int kStreifenMitte = 5000;

// Slots of side h that fit a strip of height s: the first count n (1 to 10) for which n slots with
// n + 1 gaps of h / n no longer fit (10 when every count fits). A strip lower than one slot still
// gets that slot, reaching over the strip's ends; 0 only for slots without a size.
int bilderAnzahl(double s, double h);
// Top of slot i (1 to n) below the strip's top: the n slots spread with equal gaps.
double bildOben(int i, int n, double s, double h);

// What the strip shows for a chapter with `bilder` pictures and `plaetze` slots that fit.
struct Streifen {
    bool rahmen = false;   // the strip's frame
    bool bildlauf = false; // the strip's scroll bar: more pictures than slots
    int sichtbar = 0;      // slots shown
    double textBreite = 0; // width of the page text
};
// `w` is the window's width, `bildlaufBreite` the scroll bar's width.
Streifen streifenFuer(int bilder, int plaetze, double w, double bildlaufBreite);

// First picture (1-based) for a value of the scroll bar, turning around the pictures; 0 without any.
int streifenStart(int wert, int bilder);
// The pictures (1-based) of `plaetze` slots from `start` on, continuing from the last to the first;
// empty without pictures.
std::vector<int> streifenBilder(int start, int bilder, int plaetze);

// A picture file of the lexicon folder, or an empty path for a name that is not a plain file name
// (a name with a folder in it would reach outside the folder).
QString lexikonBildPfad(const QString& ordner, const QString& datei);

// The previews of a chapter's pictures in their order; a missing or unreadable file is left out,
// a file that stands twice is there twice.
struct Vorschau {
    QString datei;
    QImage bild;
};
std::vector<Vorschau> vorschauenLaden(const QString& ordner, const std::vector<LexikonBild>& bilder);

} // namespace kav
