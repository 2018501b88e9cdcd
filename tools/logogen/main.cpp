// Draws the program's logo from its SVG source and writes it as a GIF picture.
// Usage: kavlogogen SOURCE.svg TARGET.gif [WIDTH]
#include "platform/gifschreiber.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("Aufruf: kavlogogen QUELLE.svg ZIEL.gif [BREITE]\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fputs("SVG-Datei ist nicht lesbar\n", stderr);
        return 1;
    }
    const int breite = argc > 3 ? std::atoi(argv[3]) : 952;
    const QSize groesse(breite, breite * svg.defaultSize().height() / std::max(1, svg.defaultSize().width()));
    QImage bild(groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    svg.render(&p);
    p.end();
    if (!kav::gifSchreiben(bild, QString::fromLocal8Bit(argv[2]))) {
        std::fputs("GIF-Datei konnte nicht geschrieben werden\n", stderr);
        return 1;
    }
    return 0;
}
