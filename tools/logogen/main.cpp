// Draws the program's logo (or another of its drawings) from its SVG source and writes it as a GIF
// picture, or as a JPEG picture for a target ending in ".jpg".
// Usage: kavlogogen SOURCE.svg TARGET.gif [WIDTH]
//        kavlogogen SOURCE.svg TARGET.gif WIDTHxHEIGHT quer
// The second form turns the logo a quarter turn counter-clockwise (its top on the left) and fits it,
// centred, on a white picture of the size given: the head of a landscape page drawn on a portrait one.
#include "platform/gifschreiber.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cstdio>

namespace {

QImage gerade(QSvgRenderer& svg, int breite)
{
    const QSize groesse(breite, breite * svg.defaultSize().height() / std::max(1, svg.defaultSize().width()));
    QImage bild(groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    svg.render(&p);
    return bild;
}

QImage quer(QSvgRenderer& svg, const QSize& ziel)
{
    const QSizeF logo = svg.defaultSize();
    // turned, the logo is as wide as it was high
    const double mass = std::min(ziel.width() / logo.height(), ziel.height() / logo.width());
    const QSizeF gezeichnet = logo * mass;
    QImage bild(ziel, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(ziel.width() / 2.0, ziel.height() / 2.0);
    p.rotate(-90);
    svg.render(&p, QRectF(-gezeichnet.width() / 2, -gezeichnet.height() / 2, gezeichnet.width(), gezeichnet.height()));
    return bild;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // the drawings' texts in the font the program brings along, whatever fonts this machine has
    for (const char* datei : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(QStringLiteral(KAV_SCHRIFTORDNER "/") + QLatin1String(datei));
    if (argc < 3) {
        std::fputs("Aufruf: kavlogogen QUELLE.svg ZIEL.gif [BREITE | BREITExHOEHE quer]\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fputs("SVG-Datei ist nicht lesbar\n", stderr);
        return 1;
    }
    QImage bild;
    if (argc > 4 && QByteArray(argv[4]) == "quer") {
        const auto m = QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(QString::fromLocal8Bit(argv[3]));
        if (!m.hasMatch() || m.captured(1).toInt() < 1 || m.captured(2).toInt() < 1) {
            std::fputs("Größe als BREITExHOEHE angeben\n", stderr);
            return 2;
        }
        bild = quer(svg, QSize(m.captured(1).toInt(), m.captured(2).toInt()));
    } else {
        bild = gerade(svg, argc > 3 ? std::max(1, std::atoi(argv[3])) : 952);
    }
    const QString ziel = QString::fromLocal8Bit(argv[2]);
    if (ziel.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)) {
        if (!bild.convertToFormat(QImage::Format_RGB32).save(ziel, "JPG", 90)) {
            std::fputs("JPEG-Datei konnte nicht geschrieben werden\n", stderr);
            return 1;
        }
        return 0;
    }
    if (!kav::gifSchreiben(bild, ziel)) {
        std::fputs("GIF-Datei konnte nicht geschrieben werden\n", stderr);
        return 1;
    }
    return 0;
}
