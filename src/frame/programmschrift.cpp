#include "frame/programmschrift.h"

#include <QApplication>
#include <QFontDatabase>
#include <QtGlobal>

namespace kav {

namespace {

// The faces of the family the windows use: plain and bold (an italic is drawn slanted from the plain one).
bool schriftenLaden()
{
    bool alle = true;
    for (const char* datei : {":/schrift/DejaVuSans.ttf", ":/schrift/DejaVuSans-Bold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(QLatin1String(datei));
        if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(QLatin1String(kProgrammschrift))) {
            qWarning("Kav: Schrift %s nicht geladen", datei);
            alle = false;
        }
    }
    return alle;
}

} // namespace

bool programmschriftSetzen()
{
    static const bool geladen = schriftenLaden();
    if (!geladen)
        return false;
    const QFont desktop = QApplication::font();
    // a font of its own, not the desktop's with another family: the desktop's style name (KDE's "Regular")
    // is no face of this family
    QFont schrift{QString::fromLatin1(kProgrammschrift)};
    if (desktop.pointSizeF() > 0)
        schrift.setPointSizeF(desktop.pointSizeF());
    else if (desktop.pixelSize() > 0)
        schrift.setPixelSize(desktop.pixelSize());
    // the default font of every window; the fonts the desktop sets for single classes (menus, tips) go
    QApplication::setFont(schrift);
    return true;
}

} // namespace kav
