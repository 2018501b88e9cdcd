#pragma once
// The one application context: shared state grouped by owner, and the services.
#include "platform/clock.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/programmordner.h"
#include "services/rahmen.h"
#include "services/wizardstate.h"

#include <functional>
#include <memory>

namespace kav {

class Datenbanken;
class InstanzSperre;
class MeldungsAnzeige;
class Server;
class SettingsStore;

struct AppContext {
    AppContext();
    ~AppContext();

    Gebietsschema gebiet;
    Einstellungen einstellungen;
    Rahmen rahmen;
    WizardState bedarf;
    Programmordner ordner;

    // held from the start of the services to their end: one program per data folder
    std::unique_ptr<InstanzSperre> sperre;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<Datenbanken> db;
    std::unique_ptr<Server> server;

    // Injectable for tests
    std::shared_ptr<Clock> uhr;
    RandomSource zufall;
    MeldungsAnzeige* anzeige = nullptr;
    // the system call that locks the data folder (::flock when empty)
    std::function<int(int fd, int operation)> sperren;

    QString neueZeilenId();
    // Closes the databases and server connections (before the application object goes) and frees the
    // data folder for the next start.
    void diensteSchliessen();
};

// The context of the running program.
AppContext& app();

// The text of a message about a read or write of the database files that failed: `was`, then `sonst`;
// while both files stay closed until the next start (Datenbanken::bisZumNeustartGeschlossen), `was`
// and why.
QString datenFehlerText(const QString& was, const QString& sonst = {});

// Replaces the context (tests start from a fresh one); returns the new one.
AppContext& appNeu();

} // namespace kav
