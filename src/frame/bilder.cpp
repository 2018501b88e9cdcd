#include "frame/bilder.h"

#include <QFile>

namespace kav {

namespace {

void aus(forms::BildListe& l, const char* schluessel, const char* datei = nullptr, const char* tag = nullptr)
{
    const QString pfad = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(datei ? datei : schluessel));
    if (QFile::exists(pfad))
        l.hinzufuegen(QString::fromUtf8(schluessel), QIcon(pfad), tag ? QString::fromUtf8(tag) : QString());
}

} // namespace

forms::BildListe iconListe()
{
    forms::BildListe l;
    for (const char* k : {"WerteEintragen", "Waage", "Lexikon", "Hilfe", "Einstellungen", "Info", "Ende1", "Ende2", "Weiter",
                          "Zurueck", "Abbruch", "Speichern", "Senden", "OK", "pdf", "eMail", "orgSub", "orgSub-",
                          "Abfall"})
        aus(l, k);
    return l;
}

forms::BildListe cursorListe()
{
    forms::BildListe l;
    aus(l, "ZeigerInfo");
    return l;
}

forms::BildListe brotkrumenListe()
{
    forms::BildListe l;
    aus(l, "OK", "SchrittOK");
    aus(l, "Inaktiv", "SchrittInaktiv");
    aus(l, "Aktiv", "SchrittAktiv");
    return l;
}

forms::BildListe titelListe()
{
    forms::BildListe l;
    aus(l, "Gr1001", "Gemuese", "Gemüse");
    aus(l, "Gr1002", "Blumen", "Blumen");
    aus(l, "Gr1003", "Zierstraucher", "Zierstraucher");
    aus(l, "Gr1004", "Stauden", "Stauden");
    aus(l, "Gr1005", "Rasen", "Rasen");
    aus(l, "Gr1006", "Obst", "Obst");
    aus(l, "Gr1007", "Gemuese", "Gemüse");
    aus(l, "Gr1008", "Gemuese", "Gemüse");
    aus(l, "Datum");
    aus(l, "Flaeche");
    return l;
}

} // namespace kav
