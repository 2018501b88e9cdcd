// The chart page of a mixed-culture plan with 60 bars and 30 numbered markers, drawn by our writer onto
// a document, and the same rectangles, triangles and turned texts drawn by Qt's QPdfWriter/QPainter.
#include "plan/mischkulturplan.h"
#include "plan/pdfvorgaben.h"
#include "services/gebietsschema.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace kav;

// 60 bars, one crop with a base dressing: the first 30 weeks from week 10 on carry nitrogen.
MischkulturplanAngaben angaben()
{
    MischkulturplanAngaben a;
    a.flaeche = "Hochbeet am Zaun";
    a.datumPlanung = QDateTime(QDate(2027, 3, 1), QTime(8, 0));
    a.beetLaenge = 5, a.beetBreite = 1.2f, a.pBedarf = 3, a.kBedarf = 2;
    a.werte.assign(55, MischkulturWoche{});
    for (int w = 10; w < 40; ++w)
        a.werte[size_t(w)].Saldo = 2;
    a.kulturen.emplace("Ku1", KulturZeile{"Ku1", "Salat", 56, 0, 3, 6, 1, 10, 0.5, 0.3, 0.2, 0, 0, 0});
    for (int i = 0; i < 60; ++i)
        a.balken.push_back({i % 2 ? "Ku1" : "Ku2", "Kohlrabi", float(i % 28) / 30, float(i) / 80, 63, qint16(10 + i / 2),
                            0x2050A0 + 0x30 * i});
    a.startwoche = 10;
    a.version = "1.0.0";
    a.heute = QDate(2026, 12, 6);
    return a;
}

void Diagrammseite(benchmark::State& state)
{
    const MischkulturplanAngaben a = angaben();
    const Gebietsschema g = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    size_t groesse = 0;
    for (auto _ : state) {
        clsPDF pdf = PdfVoreinstellungen();
        MischkulturplanDrucken(pdf, a, g);
        groesse = pdf.Value().size();
    }
    state.counters["Bytes"] = double(groesse);
}
BENCHMARK(Diagrammseite)->Unit(benchmark::kMillisecond);

// The same page with QPdfWriter: frame, 24 lines, 60 bars with turned labels, 30 triangles with numbers.
void DiagrammseiteQPdfWriter(benchmark::State& state)
{
    const MischkulturplanAngaben a = angaben();
    QTemporaryDir dir;
    for (auto _ : state) {
        QPdfWriter w(dir.filePath("qt.pdf"));
        w.setPageSize(QPageSize(QPageSize::A4));
        w.setResolution(72);
        QPainter p(&w);
        p.translate(0, 842);
        p.rotate(-90);
        p.setFont(QFont(QStringLiteral("Helvetica"), 9));
        p.drawRect(QRectF(42.52, 169, 742.79, 340.61));
        for (int t = 1; t <= 24; ++t)
            p.drawLine(QLineF(42.52 + t * 30.95, 169, 42.52 + t * 30.95, 509.61));
        for (const MischkulturBalken& b : a.balken) {
            const QRectF r(42.52 + 742.79 * b.Left, 169 + 340.61 * b.Top, 742.79 * b.Dauer / 365, 11.35);
            p.fillRect(r, QColor(b.Farbe & 255, (b.Farbe >> 8) & 255, (b.Farbe >> 16) & 255));
            p.drawText(r.bottomLeft(), b.Kultur);
        }
        for (int n = 1; n <= 30; ++n) {
            QPainterPath d;
            d.moveTo(100 + n * 20, 150);
            d.lineTo(111 + n * 20, 150);
            d.lineTo(105.5 + n * 20, 161);
            d.closeSubpath();
            p.fillPath(d, Qt::black);
            p.drawText(QPointF(102 + n * 20, 156), QString::number(n) + QLatin1Char('.'));
        }
        p.end();
    }
}
BENCHMARK(DiagrammseiteQPdfWriter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
