#pragma once
// The fertiliser step on the open databases of the running program: the catalogues and the
// sources of the sums, the lime table and the plans, and the step itself on the wizard state.
#include "fertilisers/duengerkatalog.h"
#include "fertilisers/duengerwahl.h"
#include "requirement/bedarfsquellen.h"

#include <memory>

namespace kav {

struct AppContext;

class DuengerDienste {
public:
    // Null when the program has no open databases.
    static std::unique_ptr<DuengerDienste> oeffnen(AppContext& a);

    Duengerkatalog& katalog() { return m_katalog; }
    // The step on the program's wizard state.
    Duengerwahl wahl();

private:
    explicit DuengerDienste(AppContext& a);
    AppContext& m_app;
    Duengerkatalog m_katalog;
    SqlQuellen m_quellen;
    Duengerquellen m_q;
};

} // namespace kav
