// The windows of this area.
#include "frame/fensterkatalog.h"
#include "plan/frmnpk4.h"
#include "plan/planungdrucken.h"
#include "services/appcontext.h"

namespace kav::plan {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmNPK4"), [] { return new frmNPK4; });
}

QString PlanungDruckenFuerPlaner(const QString& mkid, QString& fehler)
{
    try {
        return PlanungDrucken(app(), mkid);
    } catch (const PdfFehler& f) {
        fehler = QString::fromStdString(f.what());
        return {};
    }
}

} // namespace kav::plan
