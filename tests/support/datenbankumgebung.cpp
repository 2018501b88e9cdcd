#include "datenbankumgebung.h"

#include <QLocale>

namespace kav::test {

DatenbankUmgebung::DatenbankUmgebung()
    : gebiet(SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany)))
    , einstellungsDatei(dir.filePath("Kav.ini"))
    , uhr(QDateTime(QDate(2026, 12, 6), QTime(10, 0)))
{
    ordner.basis = dir.path();
}

QString DatenbankUmgebung::gespeichertesUpdate() const
{
    return SettingsStore(einstellungsDatei.path()).RegistryWertLesen(schluessel::datenbank, "datLetztesUpdate");
}

std::unique_ptr<Datenbanken> DatenbankUmgebung::neu()
{
    return std::make_unique<Datenbanken>(ordner, gebiet, e, uhr, protokoll, &einstellungsDatei);
}

std::unique_ptr<Datenbanken> DatenbankUmgebung::offen()
{
    auto db = neu();
    EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    EXPECT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    return db;
}

} // namespace kav::test
