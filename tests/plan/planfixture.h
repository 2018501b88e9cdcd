#pragma once
// The shipped reference data and a Daten.KRN with the rows of the plan cases, and the plan built from them.
#include "plan/duengeplan.h"
#include "planfaelle.h"
#include "platform/clock.h"
#include "platform/localdatabase.h"
#include "requirement/bedarf.h"
#include "services/gebietsschema.h"
#include "services/schema.h"
#include "testhelpers.h"

namespace kav::test {

struct PlanDateien {
    PlanDateien()
    {
        referenzDatei(dir.filePath("Kav.KRN"));
        leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten);
        if (!kav.open(dir.filePath("Kav.KRN")) || !daten.open(dir.filePath("Daten.KRN")))
            qFatal("Die Testdateien lassen sich nicht öffnen.");
        quellen = SqlQuellen(kav.db(), daten.db());
        angaben = SqlPlanAngaben(kav.db(), daten.db());
        planZeilenSchreiben(daten.db());
    }
    Planquellen q() const { return {quellen.kulturen, quellen.duenger, quellen.plaene, angaben}; }
    // The requirement calculation of the state (the weekly balances of a plan) in `jahr`.
    void bedarf(WizardState& s, int jahr) const
    {
        BedarfBerechnen(s, s.strAktKulturNr, s.strAktAnalysenNr, quellen.bedarf(), FixedClock(QDateTime(QDate(jahr, 2, 1), {})));
    }
    PlanErgebnis planen(WizardState& s, const PlanEingang& eingang, int jahr, Empfehlungsraster& r) const
    {
        return DuengeplanErstellen(s, eingang, q(), gebiet, QDate(jahr, 6, 30), r);
    }

    QTemporaryDir dir;
    LocalDatabase kav{"plan_kav", schemaTabellen(Datenbankdatei::Kav)};
    LocalDatabase daten{"plan_daten", schemaTabellen(Datenbankdatei::Daten)};
    SqlQuellen quellen{kav.db(), daten.db()};
    SqlPlanAngaben angaben{kav.db(), daten.db()};
    Gebietsschema gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
};

} // namespace kav::test
