// One full requirement calculation as the wizard runs it on Next: a single crop and a mixed
// culture of ten crops, on SQLite files and on in-memory sources.
#include "platform/clock.h"
#include "requirement/bedarf.h"
#include "requirement/duengerliste.h"
#include "requirement/kalkbedarf.h"
#include "requirement/restbedarf.h"
#include "services/gebietsschema.h"
#include "speicherquellen.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace kav;

namespace {

const QString kPlan = QStringLiteral("ID010120290000001234");

KulturZeile kultur(int i)
{
    KulturZeile k = test::kulturMit(QStringLiteral("Ku%1").arg(1100 + i), qint16(56 + 7 * i), 3 + i % 3, 7 + i % 4,
                                    10 + i, 0.4, 0.3, 0.3);
    k.P2O5 = 1 + 0.1 * i, k.K2O = 3, k.Mg = 0.5;
    return k;
}

// The same rows in memory and in two database files.
struct Daten {
    Daten()
    {
        for (int i = 0; i < 10; ++i) {
            const KulturZeile k = kultur(i);
            speicher.kulturZeilen[k.KulturNr] = k;
            speicher.abstaende[k.KulturNr] = 20 + 5 * i;
            speicher.plan.push_back({QStringLiteral("ID%1").arg(i, 18, 10, QLatin1Char('0')), k.KulturNr, kPlan,
                                     k.Bezeichnung, 10 + 3 * i});
        }
        speicher.analysenZeilen["An1000"] = test::analyseMit(3, 15, 12, 5);
        speicher.kalk[{2, 1, 50}] = 125;
        speicher.duenger["Du1001"] = DuengerGehalt{"Hornspäne", "N", 14, 0, 0, 0};
        speicher.duenger["Du1002"] = DuengerGehalt{"Volldünger", "NPK", 10, 8, 12, 2};
        dateien.schreiben(speicher);
    }

    test::Speicherquellen speicher;
    test::Dateien dateien{"bench"};
    SqlQuellen sqlQuellen{dateien.kav.db(), dateien.daten.db()};
};

Daten& daten()
{
    static Daten d;
    return d;
}

WizardState anfang(const QString& kulturNr)
{
    WizardState s;
    BedarfVariablenZuruecksetzen(s, 0);
    s.strAktFlaechenNr = "Fl1000";
    s.strAktAnalysenNr = "An1000";
    s.strAktKulturNr = kulturNr;
    s.intBodenart = 2;
    s.sngMg = 12;
    s.sngZuschlagGD = 2;
    s.sngBeetLaenge = 10, s.sngBeetBreite = 1.2f;
    s.datKulturbeginn = QDateTime(QDate(2029, 5, 14), QTime(0, 0));
    return s;
}

// Need, remaining need, lime, two fertilisers with their sums and the four lines.
void ganzeBerechnung(benchmark::State& state, const QString& kulturNr, bool mitDatenbank)
{
    Daten& d = daten();
    const Bedarfsquellen q = mitDatenbank ? d.sqlQuellen.bedarf() : d.speicher.quellen();
    const KalkbedarfQuelle& kalk = mitDatenbank ? static_cast<const KalkbedarfQuelle&>(d.sqlQuellen.kalkbedarf)
                                                : d.speicher;
    const DuengerQuelle& duenger = mitDatenbank ? static_cast<const DuengerQuelle&>(d.sqlQuellen.duenger)
                                                : d.speicher;
    FixedClock uhr(QDateTime(QDate(2029, 5, 1), QTime(8, 0)));
    Gebietsschema gebiet;
    gebiet.locale = QLocale(QLocale::German, QLocale::Germany);
    for (auto _ : state) {
        WizardState s = anfang(kulturNr);
        BedarfBerechnen(s, s.strAktKulturNr, s.strAktAnalysenNr, q, uhr);
        RestbedarfBerechnen(s);
        KalkbedarfBerechnen(s, kalk);
        DuengerlisteAnlegen(s);
        for (const char* nr : {"Du1001", "Du1002"}) {
            s.strAktDuengerNr = nr;
            DuengerNaehrstoffeSummieren(s, 40.0f, duenger);
            RestbedarfBerechnen(s);
        }
        const BedarfsMeldungen m = BedarfsMeldungenAnzeigen(s, gebiet);
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(s.sngNSaldo);
    }
}

void BM_Einzelkultur_SQLite(benchmark::State& st) { ganzeBerechnung(st, "Ku1105", true); }
void BM_Einzelkultur_Speicher(benchmark::State& st) { ganzeBerechnung(st, "Ku1105", false); }
void BM_Mischkultur10_SQLite(benchmark::State& st) { ganzeBerechnung(st, kPlan, true); }
void BM_Mischkultur10_Speicher(benchmark::State& st) { ganzeBerechnung(st, kPlan, false); }

BENCHMARK(BM_Einzelkultur_SQLite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Einzelkultur_Speicher)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Mischkultur10_SQLite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Mischkultur10_Speicher)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
