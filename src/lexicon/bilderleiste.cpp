#include "lexicon/bilderleiste.h"

#include "lexicon/lexikondaten.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace kav {

int bilderAnzahl(double s, double h)
{
    if (!(h > 0))
        return 0;
    for (int i = 1; i <= kBilderSlots; ++i)
        if (s < h * (i + (i + 1.0) / i))
            return i;
    return kBilderSlots;
}

double bildOben(int i, int n, double s, double h)
{
    const double luecke = n > 0 ? (s - n * h) / (n + 1) : 0.0;
    return (i - 1) * h + i * luecke;
}

Streifen streifenFuer(int bilder, int plaetze, double w, double bildlaufBreite)
{
    Streifen st;
    st.rahmen = bilder > 0;
    st.bildlauf = bilder > plaetze;
    st.sichtbar = bilder <= plaetze ? bilder : plaetze;
    if (bilder <= 0)
        st.textBreite = w * 0.68 + bildlaufBreite;
    else if (!st.bildlauf)
        st.textBreite = w * 0.58 + bildlaufBreite;
    else
        st.textBreite = w * 0.58;
    return st;
}

int streifenStart(int wert, int bilder)
{
    if (bilder <= 0)
        return 0;
    const int k = (wert - kStreifenMitte) % bilder;
    return 1 + (k < 0 ? k + bilder : k);
}

std::vector<int> streifenBilder(int start, int bilder, int plaetze)
{
    std::vector<int> v;
    if (bilder <= 0)
        return v;
    int k = start;
    for (int i = 1; i <= plaetze; ++i) {
        if (k > bilder || k < 1)
            k = 1;
        v.push_back(k);
        ++k;
    }
    return v;
}

QString lexikonBildPfad(const QString& ordner, const QString& datei)
{
    if (datei.isEmpty() || datei.contains(QLatin1Char('/')) || datei.contains(QLatin1Char('\\'))
        || datei == QLatin1String(".") || datei == QLatin1String(".."))
        return {};
    return QDir(ordner).filePath(datei);
}

std::vector<Vorschau> vorschauenLaden(const QString& ordner, const std::vector<LexikonBild>& bilder)
{
    std::vector<Vorschau> v;
    for (const LexikonBild& b : bilder) {
        const QString pfad = lexikonBildPfad(ordner, b.bildDatei);
        if (pfad.isEmpty() || !QFileInfo(pfad).isFile())
            continue;
        QImageReader leser(pfad);
        QImage bild = leser.read();
        if (bild.isNull())
            continue;
        v.push_back(Vorschau{b.bildDatei, std::move(bild)});
    }
    return v;
}

} // namespace kav
