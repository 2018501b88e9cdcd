// The plan page's layout pass with a plan of 60 rows (goal 10 ms), the plan construction alone, and a
// three-page recommendation document by our writer (goal 20 ms) against Qt's QPdfWriter drawing the
// same bands and texts.
#include "frame/frmintro.h"
#include "frame/seitenwechsel.h"
#include "plan/empfehlungsdokument.h"
#include "plan/frmnpk4.h"
#include "planfaelle.h"
#include "rahmenfixture.h"
#include "services/datenbanken.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTableWidget>
#include <benchmark/benchmark.h>

using namespace kav;

namespace {

struct Programm : test::RahmenTest {
    Programm() { SetUp(); }
    ~Programm() override { TearDown(); }
    void TestBody() override {}
    using RahmenTest::groesse;
    using RahmenTest::starten;
};

// Kohlrabi with Hornspäne and 42 rows of Superphosphat: a plan of 60 rows.
WizardState langerPlan()
{
    WizardState s = test::kohlrabi();
    for (int i = 0; i < 42; ++i)
        s.rsDuengerAuswahl->push_back({"Du1010", 1.0f + i, 3 + i});
    return s;
}

void AnordnungMitPlan(benchmark::State& state)
{
    Programm p;
    p.starten();
    test::planZeilenSchreiben(app().db->cnDaten());
    ProgrammStarten();
    p.groesse(1280, 1024);
    app().bedarf = langerPlan();
    FormulareEntladen();
    ui().fenster.zeigen(QStringLiteral("frmNPK4"));
    auto* seite = ui().fenster.fensterAls<frmNPK4>(QStringLiteral("frmNPK4"));
    for (auto _ : state)
        ArbeitsbereichAnordnen(QStringLiteral("frmNPK4"));
    state.counters["Zeilen"] = seite->flgReport()->rowCount();
}
BENCHMARK(AnordnungMitPlan)->Unit(benchmark::kMillisecond);

void NurDerPlan(benchmark::State& state)
{
    Programm p;
    p.starten();
    test::planZeilenSchreiben(app().db->cnDaten());
    WizardState s = langerPlan();
    const PlanEingang eingang = PlanEingang::aus(s);
    const SqlQuellen q(app().db->cnKav(), app().db->cnDaten());
    const SqlPlanAngaben angaben(app().db->cnKav(), app().db->cnDaten());
    Empfehlungsraster r;
    for (auto _ : state)
        DuengeplanErstellen(s, eingang, {q.kulturen, q.duenger, q.plaene, angaben}, app().gebiet, QDate(2026, 5, 1), r);
    state.counters["Zeilen"] = r.Rows();
}
BENCHMARK(NurDerPlan)->Unit(benchmark::kMillisecond);

// 95 rows: headings, amounts and empty rows, the lime and the warning; three pages.
Empfehlungsraster dreiSeiten()
{
    Empfehlungsraster r;
    int z = 4;
    for (int gabe = 1; z < 90; ++gabe) {
        r.ueberschrift(z++, QString("%1. Kopfdüngung in der 2. Juniwoche mit: ").arg(gabe));
        for (int i = 0; i < 4; ++i)
            r.menge(z++, QString("%1 g Hornspäne auf 10 m²").arg(5 * (gabe + i)));
        ++z;
    }
    r.kalk(z++, "Um den Kalkversorgungszustandes des Bodens langfristig zu sichern, sollte eine jährliche Kalkung "
                "mit 295 g Algenkalk je m² durchgeführt werden.");
    r.warnung(z++, "Die letzte Analyse der Fläche liegt bereits länger als 5 Jahre zurück. Sie sollten die Fläche "
                   "möglichst bald erneut untersuchen lassen.");
    r.ende(z);
    return r;
}

EmpfehlungsAngaben angaben()
{
    EmpfehlungsAngaben a;
    a.strKultur = "Kohlrabi", a.strFlaeche = "Gemüsebeet", a.strAnalyseDatum = "15.03.2020";
    a.logo = QImage(test::programmOrdner() + "/Bilder/" + kDokumentLogo);
    a.strVersion = "1.0.0", a.heute = QDate(2026, 5, 2);
    return a;
}

void DokumentDreiSeiten(benchmark::State& state)
{
    const Empfehlungsraster r = dreiSeiten();
    const EmpfehlungsAngaben a = angaben();
    size_t groesse = 0;
    for (auto _ : state) {
        clsPDF pdf;
        frmNPK4_EmpfehlungDrucken(pdf, r, a);
        groesse = pdf.Value().size();
        state.counters["Seiten"] = pdf.PageNumber();
    }
    state.counters["Bytes"] = static_cast<double>(groesse);
}
BENCHMARK(DokumentDreiSeiten)->Unit(benchmark::kMillisecond);

// The same bands, texts, head and footer through QPainter on a QPdfWriter.
void QPdfWriterDreiSeiten(benchmark::State& state)
{
    const Empfehlungsraster r = dreiSeiten();
    const EmpfehlungsAngaben a = angaben();
    const auto mm = MillimeterInPunkte;
    qint64 groesse = 0;
    for (auto _ : state) {
        QBuffer puffer;
        puffer.open(QIODevice::WriteOnly);
        QPdfWriter w(&puffer);
        w.setPageSize(QPageSize(QPageSize::A4));
        w.setPageMargins(QMarginsF(0, 0, 0, 0));
        w.setResolution(72);
        QPainter p(&w);
        QFont f(QStringLiteral("Helvetica"));
        f.setPixelSize(12);
        p.setFont(f);
        const auto kopf = [&] {
            p.drawImage(QRectF(mm(15), mm(15), 40, 37), a.logo);
            p.drawText(QPointF(mm(40), mm(20)), QStringLiteral("Humavera - Düngeberatung für Haus- und Kleingärten"));
            p.drawText(QPointF(mm(40), mm(20) + 18), QStringLiteral("Kav - Humavera"));
            p.drawLine(QPointF(mm(15), mm(15) + 45), QPointF(596 - mm(15), mm(15) + 45));
        };
        kopf();
        float y = mm(45) + 72;
        for (int i = 4; i < r.Rows(); ++i) {
            if (y >= 842 - mm(20)) {
                w.newPage();
                kopf();
                y = mm(45);
            }
            const auto& z = r.zeile(i).zellen[0];
            p.fillRect(QRectF(mm(15), y - 14.4, 596 - mm(30), 18),
                       QColor(z.hinterfarbe & 0xFF, (z.hinterfarbe >> 8) & 0xFF, z.hinterfarbe >> 16));
            for (const QString& zeile : TextUmbrechen(z.text, 596 - mm(30), 12)) {
                p.drawText(QPointF(mm(15), y), zeile);
                if (z.text.size() >= 100)
                    y += 18;
            }
            y += 18;
        }
        p.drawText(QPointF(mm(15), 842 - mm(10)), QStringLiteral("Kav - Humavera Version 1.0.0"));
        p.end();
        groesse = puffer.size();
    }
    state.counters["Bytes"] = static_cast<double>(groesse);
}
BENCHMARK(QPdfWriterDreiSeiten)->Unit(benchmark::kMillisecond);

} // namespace
