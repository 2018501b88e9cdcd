#pragma once
// A program folder in a temporary directory with everything the database files need beside it.
#include "platform/clock.h"
#include "platform/settingsstore.h"
#include "services/datenbanken.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/programmordner.h"
#include "testhelpers.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace kav::test {

// German locale, default settings (and a settings file for the date of the last update), the clock at
// 06.12.2026 10:00 and a message log. The folder itself is empty: each test puts in the files it starts
// from.
struct DatenbankUmgebung {
    DatenbankUmgebung();

    // The databases of the folder, not yet opened.
    std::unique_ptr<Datenbanken> neu();
    // Both files opened as they are (a failure to open fails the test).
    std::unique_ptr<Datenbanken> offen();
    // The date of the last update as the settings file holds it now.
    QString gespeichertesUpdate() const;

    QTemporaryDir dir;
    Programmordner ordner;
    Gebietsschema gebiet;
    Einstellungen e;
    SettingsStore einstellungsDatei;
    FixedClock uhr;
    MeldungsProtokoll protokoll;
};

} // namespace kav::test
