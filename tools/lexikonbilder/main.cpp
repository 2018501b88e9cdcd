// Draws the lexicon pictures from their SVG sources:
//   kavbilder --quelle DIR --vorschau OUT --vollbild OUT [--vorschau-breite PX] [--vollbild-breite PX]
// Every DIR/NAME.svg becomes OUT/NAME.png in both folders, the preview narrow, the full-size picture
// wide, both with the drawing's aspect ratio on a white ground. A NAME that already ends in an image
// suffix keeps it ("KeinBild.jpg.svg" gives "KeinBild.jpg"), and the file format follows that suffix.
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString& text)
{
    std::fprintf(stderr, "kavbilder: %s\n", qPrintable(text));
    std::exit(1);
}

QString zielName(const QString& svgName)
{
    const QString base = svgName.left(svgName.size() - 4); // without ".svg"
    const QString suffix = QFileInfo(base).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return base;
    return base + QStringLiteral(".png");
}

QImage zeichnen(QSvgRenderer& svg, int breite)
{
    const QSizeF groesse = svg.viewBoxF().size().isEmpty() ? QSizeF(svg.defaultSize()) : svg.viewBoxF().size();
    if (groesse.width() <= 0 || groesse.height() <= 0)
        return {};
    const int hoehe = qMax(1, static_cast<int>(breite * groesse.height() / groesse.width() + 0.5));
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&p, QRectF(0, 0, breite, hoehe));
    p.end();
    return bild;
}

void speichern(const QImage& bild, const QString& pfad)
{
    // Written under a temporary name and renamed: a viewer never reads half a picture.
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly))
        fail(QStringLiteral("%1 kann nicht geschrieben werden").arg(pfad));
    const QByteArray format = QFileInfo(pfad).suffix().toLower() == QLatin1String("png") ? "PNG" : "JPG";
    if (!bild.save(&datei, format.constData(), 90) || !datei.commit())
        fail(QStringLiteral("%1 kann nicht geschrieben werden").arg(pfad));
}

// The offscreen platform complains about a missing runtime folder on every build; that says nothing
// about the pictures. Everything else (SVG parse warnings included) is passed on.
void meldungen(QtMsgType typ, const QMessageLogContext& kontext, const QString& text)
{
    if (typ == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(typ, kontext, text)));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(meldungen);
    QGuiApplication app(argc, argv);
    // the drawings' texts in the font the program brings along, whatever fonts this machine has
    for (const char* datei : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(QStringLiteral(KAV_SCHRIFTORDNER "/") + QLatin1String(datei));
    const QStringList args = app.arguments();
    QString quelle, vorschau, vollbild;
    int vorschauBreite = 240, vollbildBreite = 960;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        const QString& a = args[i];
        const QString& v = args[i + 1];
        if (a == QLatin1String("--quelle")) quelle = v;
        else if (a == QLatin1String("--vorschau")) vorschau = v;
        else if (a == QLatin1String("--vollbild")) vollbild = v;
        else if (a == QLatin1String("--vorschau-breite")) vorschauBreite = v.toInt();
        else if (a == QLatin1String("--vollbild-breite")) vollbildBreite = v.toInt();
        else fail(QStringLiteral("unbekannte Option ") + a);
    }
    if (quelle.isEmpty() || vorschau.isEmpty() || vollbild.isEmpty())
        fail(QStringLiteral("--quelle, --vorschau und --vollbild werden gebraucht"));
    if (vorschauBreite < 16 || vollbildBreite < 16)
        fail(QStringLiteral("Bildbreite zu klein"));
    if (!QDir().mkpath(vorschau) || !QDir().mkpath(vollbild))
        fail(QStringLiteral("Bilderordner können nicht angelegt werden"));

    const QDir dir(quelle);
    const QStringList namen = dir.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    if (namen.isEmpty())
        fail(QStringLiteral("keine Zeichnungen in ") + quelle);
    for (const QString& name : namen) {
        QSvgRenderer svg(dir.filePath(name));
        if (!svg.isValid())
            fail(QStringLiteral("%1 ist keine gültige SVG-Zeichnung").arg(dir.filePath(name)));
        const QString ziel = zielName(name);
        const QImage klein = zeichnen(svg, vorschauBreite);
        const QImage gross = zeichnen(svg, vollbildBreite);
        if (klein.isNull() || gross.isNull())
            fail(QStringLiteral("%1 hat keine Größe").arg(name));
        speichern(klein, QDir(vorschau).filePath(ziel));
        speichern(gross, QDir(vollbild).filePath(ziel));
    }
    std::printf("kavbilder: %lld Bilder gezeichnet\n", static_cast<long long>(namen.size()));
    return 0;
}
