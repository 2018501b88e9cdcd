#include "plots/plotbilder.h"

#include <QFile>

namespace kav {

namespace {

void aus(forms::BildListe& l, const char* schluessel)
{
    const QString pfad = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(schluessel));
    if (QFile::exists(pfad))
        l.hinzufuegen(QLatin1String(schluessel), QIcon(pfad));
}

} // namespace

forms::BildListe plotBaumListe()
{
    forms::BildListe l;
    for (const char* k : {"FlaecheGrp", "Flaeche", "Knoten", "opb0", "opb1"})
        aus(l, k);
    return l;
}

forms::BildListe plotCheckListe()
{
    forms::BildListe l;
    for (const char* k : {"opb0", "opb1", "chb0", "chb1"})
        aus(l, k);
    return l;
}

} // namespace kav
