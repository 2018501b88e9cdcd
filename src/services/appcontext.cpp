#include "services/appcontext.h"

#include "platform/instanzsperre.h"
#include "platform/settingsstore.h"
#include "services/datenbanken.h"
#include "services/recordids.h"
#include "services/server.h"

namespace kav {

AppContext::AppContext() : uhr(std::make_shared<SystemClock>()) {}

AppContext::~AppContext() = default;

QString AppContext::neueZeilenId() { return kav::neueZeilenId(*uhr, zufall); }

void AppContext::diensteSchliessen()
{
    db.reset();
    server.reset();
    sperre.reset();
}

namespace {
std::unique_ptr<AppContext>& instanz()
{
    static std::unique_ptr<AppContext> ctx = std::make_unique<AppContext>();
    return ctx;
}
} // namespace

AppContext& app() { return *instanz(); }

QString datenFehlerText(const QString& was, const QString& sonst)
{
    if (app().db && app().db->bisZumNeustartGeschlossen())
        return was + QStringLiteral("\n\n") + kDatenbankenGeschlossen;
    return was + sonst;
}

AppContext& appNeu()
{
    instanz().reset();
    instanz() = std::make_unique<AppContext>();
    return *instanz();
}

} // namespace kav
