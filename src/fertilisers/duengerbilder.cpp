#include "fertilisers/duengerbilder.h"

#include <QFile>

namespace kav {

forms::BildListe duengerBilder()
{
    forms::BildListe l;
    for (const char* k : {"N", "P", "K", "NP", "NK", "PK", "NPK", "Mg", "Kalk", "Gruen", "Gelb", "Rot", "Grau",
                          "Papierkorb", "OK", "Abbruch"}) {
        const QString pfad = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(k));
        if (QFile::exists(pfad))
            l.hinzufuegen(QLatin1String(k), QIcon(pfad));
    }
    return l;
}

} // namespace kav
