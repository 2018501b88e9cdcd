// The plan page's print road: the recommendation as a PDF document in Daten/, opened in the viewer.
#include "frame/dokumentkopie.h"
#include "frame/links.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "plan/empfehlungsdokument.h"
#include "plan/frmnpk4.h"
#include "plan/mischkulturplan.h"
#include "requirement/restbedarf.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungsbox.h"
#include "services/programmstart.h"
#include "services/sql.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QToolButton>

namespace kav {

namespace {

// The mixed-culture chart page, added after the recommendation pages of a mixed-culture plan.
Zusatzseite mischkulturplanSeite()
{
    return [](clsPDF& pdf) { frmNPK4_MischkulturplanDrucken(pdf, app()); };
}

// The hourglass while the document is written; the pointer is always given back.
struct Sanduhr {
    explicit Sanduhr(QWidget* w) : m_w(w) { m_w->setCursor(Qt::WaitCursor); }
    ~Sanduhr() { fertig(); }
    void fertig()
    {
        if (m_w)
            m_w->unsetCursor();
        m_w = nullptr;
    }
    QWidget* m_w;
};

} // namespace

void frmNPK4::cmbDrucken_Click()
{
    AppContext& a = app();
    if (!a.db)
        return;
    RestbedarfBerechnen(a.bedarf);
    Sanduhr sanduhr(this);
    const QDateTime jetzt = a.uhr->now();
    const QString pfad = a.ordner.daten() + QLatin1Char('/') + EmpfehlungsDateiName(jetzt);
    try {
        const SqlQuellen q(a.db->cnKav(), a.db->cnDaten());
        const SqlPlanAngaben angaben(a.db->cnKav(), a.db->cnDaten());
        const PlanKopf kopf = PlanKopfLesen(a.bedarf, {q.kulturen, q.duenger, q.plaene, angaben}, a.gebiet);
        if (!kopf.fehlend.isEmpty()) {
            sanduhr.fertig();
            melden(kopf.meldung());
            return;
        }
        EmpfehlungsAngaben e;
        e.strKultur = kopf.strKultur;
        e.strFlaeche = kopf.strFlaeche;
        e.strAnalyseDatum = kopf.strAnalyseDatum;
        e.logo = QImage(a.ordner.bilder() + QLatin1Char('/') + kDokumentLogo);
        e.strVersion = programmVersion();
        e.heute = jetzt.date();
        e.mischkultur = istMischkulturPlan(a.bedarf);

        clsPDF pdf([jetzt] { return PdfZeit(jetzt); });
        frmNPK4_EmpfehlungDrucken(pdf, m_raster, e, mischkulturplanSeite());
        pdf.SavePDF(QFile::encodeName(pfad).toStdString());
        a.rahmen.strPDFDatei = pfad;
    } catch (const DiagrammFehler& f) {
        sanduhr.fertig();
        melden(datenFehlerText(QString::fromStdString(f.what())));
        return;
    } catch (const PdfFehler& f) {
        sanduhr.fertig();
        melden(QString::fromStdString(f.what())
               + QStringLiteral(" Bitte prüfen Sie, ob der Ordner „%1“ beschreibbar ist und freien Platz hat.")
                     .arg(QDir::toNativeSeparators(a.ordner.daten())));
        return;
    } catch (const sql::Error&) {
        sanduhr.fertig();
        melden(datenFehlerText(QStringLiteral("Die Düngeempfehlung konnte nicht gedruckt werden, weil die Daten "
                                              "nicht gelesen werden konnten.")));
        return;
    }
    sanduhr.fertig();
    if (!DokumentOeffnen(a.rahmen.strPDFDatei))
        kopieAnbieten(a.rahmen.strPDFDatei);
}

void frmNPK4::kopieAnbieten(const QString& pfad)
{
    KopieAnbieten(pfad, QStringLiteral("Düngeempfehlung"), QStringLiteral("Kav - Humavera"));
}

} // namespace kav
