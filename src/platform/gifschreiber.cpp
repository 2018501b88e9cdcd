#include "platform/gifschreiber.h"

#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <unordered_map>
#include <vector>

namespace kav {

namespace {

class BitSchreiber {
public:
    void schreibe(int code, int breite)
    {
        m_puffer |= static_cast<uint32_t>(code) << m_bits;
        m_bits += breite;
        while (m_bits >= 8) {
            m_bytes.append(static_cast<char>(m_puffer & 0xff));
            m_puffer >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray ende()
    {
        if (m_bits > 0)
            m_bytes.append(static_cast<char>(m_puffer & 0xff));
        m_puffer = 0;
        m_bits = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    uint32_t m_puffer = 0;
    int m_bits = 0;
};

QByteArray lzw(const QImage& bild)
{
    constexpr int minCode = 8;
    constexpr int clear = 1 << minCode;
    constexpr int eoi = clear + 1;
    BitSchreiber bits;
    std::unordered_map<uint32_t, int> tabelle;
    int naechster = eoi + 1;
    int breite = minCode + 1;
    bits.schreibe(clear, breite);
    int prefix = -1;
    for (int y = 0; y < bild.height(); ++y) {
        const uchar* zeile = bild.constScanLine(y);
        for (int x = 0; x < bild.width(); ++x) {
            const int k = zeile[x];
            if (prefix < 0) {
                prefix = k;
                continue;
            }
            const uint32_t schluessel = (static_cast<uint32_t>(prefix) << 8) | static_cast<uint32_t>(k);
            const auto it = tabelle.find(schluessel);
            if (it != tabelle.end()) {
                prefix = it->second;
                continue;
            }
            bits.schreibe(prefix, breite);
            if (naechster < 4096) {
                tabelle.emplace(schluessel, naechster++);
                if (naechster > (1 << breite) && breite < 12)
                    ++breite;
            } else {
                bits.schreibe(clear, breite);
                tabelle.clear();
                naechster = eoi + 1;
                breite = minCode + 1;
            }
            prefix = k;
        }
    }
    if (prefix >= 0)
        bits.schreibe(prefix, breite);
    bits.schreibe(eoi, breite);
    return bits.ende();
}

// The colours of the picture when there are at most 256; else the 256 most frequent colour groups
// (5 bits per part), each as the mean of its pixels. Pixels take the nearest colour of the table,
// without dithering, so that flat areas stay clean.
QList<QRgb> farbtafel(const QImage& bild)
{
    struct Gruppe {
        qint64 r = 0, g = 0, b = 0, n = 0;
    };
    std::unordered_map<QRgb, int> genau;
    std::unordered_map<int, Gruppe> gruppen;
    for (int y = 0; y < bild.height(); ++y) {
        const QRgb* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        for (int x = 0; x < bild.width(); ++x) {
            const QRgb c = zeile[x] | 0xff000000u;
            if (genau.size() <= 256)
                ++genau[c];
            Gruppe& gr = gruppen[((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3)];
            gr.r += qRed(c);
            gr.g += qGreen(c);
            gr.b += qBlue(c);
            ++gr.n;
        }
    }
    QList<QRgb> tafel;
    if (genau.size() <= 256) {
        for (const auto& [c, n] : genau)
            tafel.append(c);
        return tafel;
    }
    std::vector<Gruppe> liste;
    liste.reserve(gruppen.size());
    for (const auto& [k, gr] : gruppen)
        liste.push_back(gr);
    const size_t anzahl = std::min<size_t>(256, liste.size());
    std::partial_sort(liste.begin(), liste.begin() + static_cast<std::ptrdiff_t>(anzahl), liste.end(),
                      [](const Gruppe& a, const Gruppe& b) { return a.n > b.n; });
    for (size_t i = 0; i < anzahl; ++i) {
        const Gruppe& gr = liste[i];
        tafel.append(qRgb(static_cast<int>(gr.r / gr.n), static_cast<int>(gr.g / gr.n), static_cast<int>(gr.b / gr.n)));
    }
    return tafel;
}

void le16(QByteArray& b, int v)
{
    b.append(static_cast<char>(v & 0xff));
    b.append(static_cast<char>((v >> 8) & 0xff));
}

} // namespace

QByteArray gifDaten(const QImage& quelle, const QColor& hintergrund)
{
    if (quelle.isNull() || quelle.width() > 65535 || quelle.height() > 65535)
        return {};
    QImage flach(quelle.size(), QImage::Format_RGB32);
    flach.fill(hintergrund);
    {
        QPainter p(&flach);
        p.drawImage(0, 0, quelle);
    }
    const QImage bild = flach.convertToFormat(QImage::Format_Indexed8, farbtafel(flach), Qt::ThresholdDither | Qt::AvoidDither);
    QVector<QRgb> farben = bild.colorTable();
    farben.resize(256, qRgb(0, 0, 0));

    QByteArray b("GIF89a");
    le16(b, bild.width());
    le16(b, bild.height());
    b.append(static_cast<char>(0xF7)); // global colour table of 256 entries, 8 bits per colour
    b.append('\0');                    // background colour index
    b.append('\0');                    // no aspect ratio
    for (QRgb c : farben) {
        b.append(static_cast<char>(qRed(c)));
        b.append(static_cast<char>(qGreen(c)));
        b.append(static_cast<char>(qBlue(c)));
    }
    b.append(',');
    le16(b, 0);
    le16(b, 0);
    le16(b, bild.width());
    le16(b, bild.height());
    b.append('\0');
    b.append(static_cast<char>(8)); // LZW minimum code size
    const QByteArray daten = lzw(bild);
    for (int i = 0; i < daten.size(); i += 255) {
        const int n = std::min<int>(255, static_cast<int>(daten.size()) - i);
        b.append(static_cast<char>(n));
        b.append(daten.constData() + i, n);
    }
    b.append('\0');
    b.append(';');
    return b;
}

bool gifSchreiben(const QImage& bild, const QString& pfad, const QColor& hintergrund)
{
    const QByteArray daten = gifDaten(bild, hintergrund);
    if (daten.isEmpty())
        return false;
    QSaveFile f(pfad);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(daten);
    return f.commit();
}

} // namespace kav
