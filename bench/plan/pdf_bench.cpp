// The same three-page document (logo, text lines, 40 coloured bands with their texts, footer) written by
// our PDF writer and by Qt's QPdfWriter/QPainter: time and file size of both.
#include "plan/pdfwriter.h"

#include <QColor>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kSeiten = 3;
constexpr int kBaender = 40;

float mm(float v) { return v * 720 / 254; }

// The files go to a temporary folder, or to KAV_BENCH_ORDNER to look at them afterwards.
QString datei(const QString& name)
{
    static QTemporaryDir dir;
    const QString eigener = qEnvironmentVariable("KAV_BENCH_ORDNER");
    return eigener.isEmpty() ? dir.filePath(name) : eigener + QLatin1Char('/') + name;
}

// A logo of `breite` × (breite × 37 / 40) pixels: a leaf on white over a band of soil, saved as PNG.
// 40 pixels wide fill its box of 40 × 37 points at one pixel per point, 120 at three.
std::string logoPfad(int breite)
{
    static std::map<int, std::string> pfade;
    std::string& pfad = pfade[breite];
    if (pfad.empty()) {
        const int hoehe = breite * 37 / 40;
        QImage logo(breite, hoehe, QImage::Format_RGB32);
        logo.fill(Qt::white);
        QPainter p(&logo);
        p.scale(breite / 120.0, hoehe / 111.0);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 140, 40));
        p.drawEllipse(QRectF(20, 5, 80, 75));
        p.setBrush(QColor(120, 80, 40));
        p.drawRect(QRectF(0, 85, 120, 26));
        p.end();
        const QString name = datei(QStringLiteral("Logo_Kav_%1.png").arg(breite));
        logo.save(name);
        pfad = name.toStdString();
    }
    return pfad;
}

int32_t bandFarbe(int i) { return (40 + i * 5) | ((200 - i * 3) << 8) | ((120 + i * 2) << 16); }

std::string bandText(int seite, int i)
{
    return "Gabe " + std::to_string(seite * kBaender + i + 1) + ": Hornsp\xC3\xA4ne 45 g/m\xC2\xB2, "
           "Kompost 3 l/m\xC2\xB2 (Ende M\xC3\xA4rz)";
}

// Two forms of the page: 40 text lines of the page's text block over 40 bands 12 points high
// (kZeilen), or 40 bands 16 points high, each with its text drawn as a text block (kBandtexte, as the
// recommendation pages draw their rows).
enum Textform { kZeilen = 0, kBandtexte = 1 };

constexpr float kOben = 100; // top margin of the text lines

void mitKav(const std::string& pfad, int logoBreite, int form)
{
    kav::clsPDF pdf;
    pdf.Orientation(0);
    pdf.LeftMargin(mm(15) + 2);
    pdf.TopMargin(kOben);
    for (int s = 0; s < kSeiten; ++s) {
        pdf.DrawPicture(mm(15), mm(15), 40, 37, logoPfad(logoBreite));
        pdf.FontSize(12);
        pdf.DrawText(mm(40), mm(20), "Gartenberatung Humavera");
        pdf.DrawText(mm(40), mm(20) + 18, "Kav - Humavera");
        for (int i = 0; i < kBaender; ++i) {
            pdf.FillColor(bandFarbe(i));
            if (form == kZeilen) {
                pdf.DrawBox(mm(15), kOben + 12.0f * i + 3, pdf.Width() - mm(30), 12, -1);
            } else {
                const float y = mm(45) + i * 16.0f;
                pdf.DrawBox(mm(15), y - 12, pdf.Width() - mm(30), 16, -1);
                pdf.FillColor(0);
                pdf.DrawText(mm(15), y, bandText(s, i));
            }
        }
        pdf.FillColor(0);
        pdf.FontSize(8);
        pdf.DrawText(mm(15), pdf.Height() - mm(10), "Kav - Humavera Version 1.0.0; Empfehlung erstellt am 05.03.2024");
        pdf.FontSize(12);
        if (form == kZeilen) {
            for (int i = 0; i < kBaender; ++i)
                pdf.PrintLine(bandText(s, i));
        } else {
            pdf.PrintLine("");
        }
        pdf.NewPage();
    }
    pdf.SavePDF(pfad);
}

void mitQt(const QString& pfad, int logoBreite, int form)
{
    QPdfWriter writer(pfad);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p(&writer);
    QFont schrift(QStringLiteral("Arial"));
    const float breite = 596;
    const float hoehe = 842;
    const auto farbe = [](int32_t f) { return QColor(f & 0xFF, (f >> 8) & 0xFF, (f >> 16) & 0xFF); };
    for (int s = 0; s < kSeiten; ++s) {
        if (s > 0)
            writer.newPage();
        p.drawImage(QRectF(mm(15), mm(15), 40, 37), QImage(QString::fromStdString(logoPfad(logoBreite))));
        schrift.setPointSizeF(12);
        p.setFont(schrift);
        p.setPen(Qt::black);
        p.drawText(QPointF(mm(40), mm(20)), QStringLiteral("Gartenberatung Humavera"));
        p.drawText(QPointF(mm(40), mm(20) + 18), QStringLiteral("Kav - Humavera"));
        for (int i = 0; i < kBaender; ++i) {
            if (form == kZeilen) {
                p.fillRect(QRectF(mm(15), kOben + 12.0f * i + 3, breite - mm(30), 12), farbe(bandFarbe(i)));
            } else {
                const float y = mm(45) + i * 16.0f;
                p.fillRect(QRectF(mm(15), y - 12, breite - mm(30), 16), farbe(bandFarbe(i)));
                p.drawText(QPointF(mm(15), y), QString::fromStdString(bandText(s, i)));
            }
        }
        schrift.setPointSizeF(8);
        p.setFont(schrift);
        p.drawText(QPointF(mm(15), hoehe - mm(10)),
                   QStringLiteral("Kav - Humavera Version 1.0.0; Empfehlung erstellt am 05.03.2024"));
        if (form == kZeilen) {
            schrift.setPointSizeF(12);
            p.setFont(schrift);
            for (int i = 0; i < kBaender; ++i)
                p.drawText(QPointF(mm(15) + 2, kOben + 12.0f * (i + 1)), QString::fromStdString(bandText(s, i)));
        }
    }
    p.end();
}

void BM_Kav(benchmark::State& state)
{
    const int logo = static_cast<int>(state.range(0));
    const int form = static_cast<int>(state.range(1));
    const std::string pfad = datei(QStringLiteral("kav_%1_%2.pdf").arg(logo).arg(form)).toStdString();
    for (auto _ : state)
        mitKav(pfad, logo, form);
    state.counters["Bytes"] = static_cast<double>(QFileInfo(QString::fromStdString(pfad)).size());
}
BENCHMARK(BM_Kav)->ArgsProduct({{40, 120}, {kZeilen, kBandtexte}})->Unit(benchmark::kMillisecond);

void BM_QPdfWriter(benchmark::State& state)
{
    const int logo = static_cast<int>(state.range(0));
    const int form = static_cast<int>(state.range(1));
    const QString pfad = datei(QStringLiteral("qt_%1_%2.pdf").arg(logo).arg(form));
    for (auto _ : state)
        mitQt(pfad, logo, form);
    state.counters["Bytes"] = static_cast<double>(QFileInfo(pfad).size());
}
BENCHMARK(BM_QPdfWriter)->ArgsProduct({{40, 120}, {kZeilen, kBandtexte}})->Unit(benchmark::kMillisecond);

// Keeps time and size of each run for the comparison at the end.
class Bericht : public benchmark::ConsoleReporter {
public:
    struct Wert {
        double zeit = 0;
        double bytes = 0;
    };
    std::map<std::string, Wert> werte;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            Wert& w = werte[r.benchmark_name()];
            w.zeit = r.GetAdjustedRealTime();
            const auto it = r.counters.find("Bytes");
            if (it != r.counters.end())
                w.bytes = it->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Bericht bericht;
    benchmark::RunSpecifiedBenchmarks(&bericht);
    std::printf("\nLogo (Pixel)  Text        clsPDF ms   QPdfWriter ms  schneller  clsPDF Bytes  QPdfWriter Bytes\n");
    for (const char* fall : {"40/0", "40/1", "120/0", "120/1"}) {
        const auto kav = bericht.werte.find(std::string("BM_Kav/") + fall);
        const auto qt = bericht.werte.find(std::string("BM_QPdfWriter/") + fall);
        if (kav == bericht.werte.end() || qt == bericht.werte.end() || kav->second.zeit <= 0)
            continue;
        const std::string f = fall;
        std::printf("%-13s %-10s %10.3f %14.3f %9.1fx %13.0f %17.0f\n", f.substr(0, f.find('/')).c_str(),
                    f.back() == '0' ? "Zeilen" : "Bandtexte", kav->second.zeit, qt->second.zeit,
                    qt->second.zeit / kav->second.zeit, kav->second.bytes, qt->second.bytes);
    }
    benchmark::Shutdown();
    return 0;
}
