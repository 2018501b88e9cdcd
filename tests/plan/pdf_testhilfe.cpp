#include "pdf_testhilfe.h"

#include "testhelpers.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace kav::test {

namespace {

// The documents of a run; KAV_TEST_BEHALTEN=1 keeps them to look at.
QTemporaryDir& ordner()
{
    static QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariable("KAV_TEST_BEHALTEN") != QLatin1String("1"));
    return dir;
}


// Runs a program; its exit code (-1 if it did not run) and its output.
int starte(const QString& programm, const QStringList& argumente, QString* ausgabe = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programm, argumente);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    if (ausgabe)
        *ausgabe = QString::fromLocal8Bit(p.readAll());
    return p.exitCode();
}

long long zahlBei(const std::string& s, size_t pos) { return std::stoll(s.substr(pos, 20)); }

// Where the body of object `nr` begins, after its line "nr 0 obj" (std::out_of_range from zahlBei if none).
size_t objekt(const std::string& d, long long nr)
{
    const std::string kopf = "\r" + std::to_string(nr) + " 0 obj\r";
    const size_t p = d.find(kopf);
    return p == std::string::npos ? p : p + kopf.size();
}

// The cross-reference table, the objects it points to and the stream lengths, read independently.
void pruefeAufbau(const std::string& d)
{
    ASSERT_EQ(d.substr(d.size() - 6), "%%EOF\r");
    const auto xref = static_cast<size_t>(zahlBei(d, d.rfind("startxref\r") + 10));
    ASSERT_EQ(d.substr(xref, 7), "xref\r0 ");
    const long long anzahl = zahlBei(d, xref + 7);
    size_t eintrag = d.find('\r', xref + 5) + 1;
    ASSERT_EQ(d.substr(eintrag, 20), "0000000000 65535 f \r");
    for (long long n = 1; n < anzahl; ++n) {
        const std::string e = d.substr(eintrag += 20, 20), kopf = std::to_string(n) + " 0 obj\r";
        ASSERT_TRUE(std::regex_match(e, std::regex("[0-9]{10} 00000 n \r"))) << "Eintrag " << n << ": " << e;
        EXPECT_EQ(d.substr(static_cast<size_t>(zahlBei(e, 0)), kopf.size()), kopf) << "Objekt " << n;
    }
    EXPECT_EQ(d.substr(eintrag + 20, 8), "trailer\r");
    EXPECT_NE(d.find("/Size " + std::to_string(anzahl) + "\r"), std::string::npos);

    // Every stream: /Length n 0 R, and object n holds the number of bytes up to "endstream".
    for (size_t pos = d.find("/Length "); pos != std::string::npos; pos = d.find("/Length ", pos + 1)) {
        const long long obj = zahlBei(d, pos + 8);
        const size_t start = d.find(">>\rstream\n", pos) + 10, ende = d.find("endstream\r", start);
        EXPECT_EQ(zahlBei(d, objekt(d, obj)), static_cast<long long>(ende - start)) << "Stream " << obj;
    }
}

} // namespace

const std::string kTextKopf = zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL"});

std::tm ortszeit(const char* text)
{
    std::tm t{};
    EXPECT_NE(strptime(text, "%Y%m%d%H%M%S", &t), nullptr) << text;
    return t;
}

std::tm festeZeit() { return ortszeit("20240305070809"); }

clsPDF neuesPdf() { return clsPDF(festeZeit); }

std::string zeilen(std::initializer_list<std::string_view> liste)
{
    std::string s;
    for (std::string_view z : liste)
        (s += z) += '\r';
    return s;
}

std::string tempPfad(const QString& name) { return ordner().filePath(name).toStdString(); }

std::string tempDatei(const QString& name, const QByteArray& bytes)
{
    schreibeDatei(ordner().filePath(name), bytes);
    return tempPfad(name);
}

// A new file of the run holding the document.
static QString neueDatei(const std::string& dokument)
{
    static int nr = 0;
    const QString name = QStringLiteral("dok%1.pdf").arg(++nr);
    return QString::fromStdString(tempDatei(name, QByteArray::fromStdString(dokument)));
}

int pruefeDokument(const std::string& dokument)
{
    pruefeAufbau(dokument);
    const QString pfad = neueDatei(dokument);
    QString ausgabe;
    EXPECT_EQ(starte(QStringLiteral("qpdf"), {QStringLiteral("--check"), pfad}, &ausgabe), 0)
        << "qpdf --check: " << ausgabe.toStdString();
    if (dokument.find("/Type /Pages\r/Count 0\r") != std::string::npos) {
        // A document without pages (nothing printed) is well-formed, but poppler refuses to open it.
        EXPECT_NE(starte(QStringLiteral("pdfinfo"), {pfad}, &ausgabe), 0);
        EXPECT_TRUE(ausgabe.contains(QStringLiteral("Invalid page count 0"))) << ausgabe.toStdString();
        return 0;
    }
    EXPECT_EQ(starte(QStringLiteral("pdfinfo"), {pfad}, &ausgabe), 0) << "pdfinfo: " << ausgabe.toStdString();
    EXPECT_FALSE(ausgabe.contains(QStringLiteral("Syntax Error"))) << ausgabe.toStdString();
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(ausgabe);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

std::string gepruefterWert(clsPDF& pdf)
{
    std::string d = pdf.Value();
    pruefeDokument(d);
    return d;
}

std::string inhalt(const std::string& d, int seite)
{
    const size_t kids = d.rfind("/Kids [ ");
    if (kids == std::string::npos)
        return "<keine Seitenliste>";
    std::istringstream kinder(d.substr(kids + 8, d.find(']', kids) - kids - 8));
    long long nr = 0;
    std::string rest;
    for (int k = 0; k < seite; ++k)
        if (!(kinder >> nr >> rest >> rest))
            return "<keine Seite " + std::to_string(seite) + ">";
    const size_t start = d.find("stream\n", objekt(d, zahlBei(d, d.find("/Contents ", objekt(d, nr)) + 10))) + 7;
    return d.substr(start, d.find("endstream\r", start) - start);
}

void pruefeFaelle(std::initializer_list<Fall> faelle, bool aufLeererSeite)
{
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        clsPDF pdf = neuesPdf();
        if (aufLeererSeite)
            pdf.PrintLine("");
        f.schritte(pdf);
        const std::string d = pdf.Value();
        EXPECT_EQ(pruefeDokument(d), static_cast<int>(f.seiten.size()));
        for (size_t k = 0; k < f.seiten.size(); ++k)
            EXPECT_EQ(inhalt(d, static_cast<int>(k) + 1),
                      (aufLeererSeite && k == 0 ? kTextKopf + "()'\rET\r" : "") + f.seiten[k])
                << "Seite " << k + 1;
    }
}

QImage rendern(const std::string& dokument, int seite)
{
    const QString pfad = neueDatei(dokument);
    const QStringList argumente = QStringLiteral("-r 72 -singlefile -f %1 -l %1").arg(seite).split(u' ');
    EXPECT_EQ(starte(QStringLiteral("pdftoppm"), argumente + QStringList{pfad, pfad}), 0) << "pdftoppm";
    QImage bild(pfad + QStringLiteral(".ppm"));
    EXPECT_FALSE(bild.isNull()) << "kein Bild von pdftoppm";
    return bild.convertToFormat(QImage::Format_RGB32);
}

QString leseText(const std::string& dokument)
{
    QString text;
    EXPECT_EQ(starte(QStringLiteral("pdftotext"), {neueDatei(dokument), QStringLiteral("-")}, &text), 0) << "pdftotext";
    return text;
}

int punkte(const QImage& bild, const QRect& feld, const std::function<bool(QColor)>& wie)
{
    int n = 0;
    for (int y = feld.top(); y <= feld.bottom(); ++y)
        for (int x = feld.left(); x <= feld.right(); ++x)
            n += wie(bild.pixelColor(x, y)) ? 1 : 0;
    return n;
}

} // namespace kav::test
