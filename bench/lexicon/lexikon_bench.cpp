// The lexicon's page builder: "Einleitung" with its links and seven thumbnails, one layout pass of
// the lexicon page, and a chapter of 20,000 characters against 1,000 terms (with the bare HTML
// reading of the same chapter as the reference).
#include "frame/frmintro.h"
#include "frame/frmtoolbar.h"
#include "lexicon/frmlexikon.h"
#include "lexicon/lexikondaten.h"
#include "lexicon/verweise.h"
#include "lexikonordner.h"
#include "rahmenfixture.h"
#include "services/datenbanken.h"
#include "services/sql.h"

#include <QApplication>
#include <QTextDocument>
#include <benchmark/benchmark.h>

using namespace kav;

namespace {

struct Programm : test::RahmenTest {
    Programm()
    {
        SetUp();
        test::lexikonOrdnerKopieren(dir.path());
        starten();
        ProgrammStarten();
        haupt->show();
        groesse(1280, 1024);
        ui().fenster.fensterAls<frmToolbar>("frmToolbar")->cmbMenu_Click(3);
        lexikon = ui().fenster.fensterAls<frmLexikon>("frmLexikon");
    }
    ~Programm() override { TearDown(); }
    void TestBody() override {}
    frmLexikon* lexikon = nullptr;
};

// A chapter of 20,000 characters holding 1,000 terms, as chapter 40.
QString langesKapitel(const QSqlDatabase& db)
{
    QString html = "<p>Anfang.";
    while (html.size() < 20000)
        for (int i = 0; i < 1000 && html.size() < 20000; i += 7)
            html += QStringLiteral(" Der Boden mit Wort%1 und mehr.").arg(i, 4, 10, QChar('0'));
    html += "</p>";
    sql::exec(db, "INSERT INTO LexikonKapitel (Kapitel, KapitelNr, Ueberschrift) VALUES ('Lang', 40, 'Lang')");
    sql::exec(db, "INSERT INTO Lexikon (KapitelNr, Kapitel) VALUES (40, ?)", {html});
    sql::exec(db, "DELETE FROM LexikonSuchbegriff");
    for (int i = 0; i < 1000; ++i)
        sql::exec(db, "INSERT INTO LexikonSuchbegriff (Suchbegriff, Verweis, GanzesWort, Erscheinen) VALUES (?, ?, ?, 0)",
                  {QStringLiteral("wort%1").arg(i, 4, 10, QChar('0')), 1 + i % 39, i % 2});
    return html;
}

void EinleitungAufbauen(benchmark::State& state)
{
    Programm p;
    for (auto _ : state)
        p.lexikon->LexikonSeiteAufbauen(QStringLiteral("Einleitung"), true);
    state.counters["Bilder"] = static_cast<double>(p.lexikon->imlBilderLexikon().size());
}
BENCHMARK(EinleitungAufbauen)->Unit(benchmark::kMillisecond);

void LexikonAnordnen(benchmark::State& state)
{
    Programm p;
    for (auto _ : state)
        ArbeitsbereichAnordnen(QStringLiteral("frmLexikon"));
    state.counters["Fenster"] = ui().fenster.anzahl();
}
BENCHMARK(LexikonAnordnen)->Unit(benchmark::kMillisecond);

void LangesKapitelMitTausendBegriffen(benchmark::State& state)
{
    Programm p;
    langesKapitel(app().db->cnKav());
    for (auto _ : state)
        p.lexikon->LexikonSeiteAufbauen(QStringLiteral("Lang"), true);
}
BENCHMARK(LangesKapitelMitTausendBegriffen)->Unit(benchmark::kMillisecond);

// The marking alone on a document without a window, and the bare reading of the HTML.
void LangesKapitelNurVerweise(benchmark::State& state)
{
    Programm p;
    const QString html = langesKapitel(app().db->cnKav());
    const auto begriffe = LexikonDaten(app().db->cnKav()).verweisbegriffe(40);
    for (auto _ : state) {
        QTextDocument doc;
        doc.setHtml(html);
        benchmark::DoNotOptimize(verweiseMarkieren(doc, begriffe));
    }
}
BENCHMARK(LangesKapitelNurVerweise)->Unit(benchmark::kMillisecond);

void LangesKapitelNurHtmlReferenz(benchmark::State& state)
{
    Programm p;
    const QString html = langesKapitel(app().db->cnKav());
    for (auto _ : state) {
        QTextDocument doc;
        doc.setHtml(html);
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
BENCHMARK(LangesKapitelNurHtmlReferenz)->Unit(benchmark::kMillisecond);

} // namespace
