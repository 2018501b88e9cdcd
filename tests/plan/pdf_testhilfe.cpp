#include "pdf_testhilfe.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <regex>

namespace kav::test {

namespace {

// The documents of a run; KAV_TEST_BEHALTEN=1 keeps them to look at.
QTemporaryDir& ordner()
{
    static QTemporaryDir dir;
    static const bool behalten = [] {
        dir.setAutoRemove(qEnvironmentVariable("KAV_TEST_BEHALTEN") != QLatin1String("1"));
        return true;
    }();
    (void)behalten;
    return dir;
}

int laufNummer = 0;

QString neueDatei(const QString& endung)
{
    return ordner().filePath(QStringLiteral("dok%1.%2").arg(++laufNummer).arg(endung));
}

void schreiben(const QString& pfad, const std::string& bytes)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
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

// The cross-reference table, the objects it points to and the stream lengths, read independently.
void pruefeAufbau(const std::string& d)
{
    ASSERT_GE(d.size(), 30u);
    ASSERT_EQ(d.substr(d.size() - 6), "%%EOF\r");
    const size_t sx = d.rfind("startxref\r");
    ASSERT_NE(sx, std::string::npos);
    const auto xref = static_cast<size_t>(zahlBei(d, sx + 10));
    ASSERT_EQ(d.substr(xref, 7), "xref\r0 ");
    const size_t kopfEnde = d.find('\r', xref + 5);
    const auto anzahl = static_cast<size_t>(zahlBei(d, xref + 7));
    size_t eintrag = kopfEnde + 1;
    ASSERT_EQ(d.substr(eintrag, 20), "0000000000 65535 f \r");
    for (size_t n = 1; n < anzahl; ++n) {
        eintrag += 20;
        const std::string e = d.substr(eintrag, 20);
        ASSERT_TRUE(std::regex_match(e, std::regex("[0-9]{10} 00000 n \r"))) << "Eintrag " << n << ": " << e;
        const auto offset = static_cast<size_t>(std::stoll(e.substr(0, 10)));
        const std::string kopf = std::to_string(n) + " 0 obj\r";
        EXPECT_EQ(d.substr(offset, kopf.size()), kopf) << "Objekt " << n;
    }
    EXPECT_EQ(d.substr(eintrag + 20, 8), "trailer\r");
    EXPECT_NE(d.find("/Size " + std::to_string(anzahl) + "\r"), std::string::npos);

    // Every stream: /Length n 0 R, and object n holds the number of bytes up to "endstream".
    for (size_t pos = d.find("/Length "); pos != std::string::npos; pos = d.find("/Length ", pos + 1)) {
        const long long obj = zahlBei(d, pos + 8);
        const size_t start = d.find(">>\rstream\n", pos) + 10;
        const size_t ende = d.find("endstream\r", start);
        ASSERT_NE(ende, std::string::npos);
        const std::string kopf = "\r" + std::to_string(obj) + " 0 obj\r";
        const size_t lo = d.find(kopf, ende);
        ASSERT_NE(lo, std::string::npos);
        EXPECT_EQ(zahlBei(d, lo + kopf.size()), static_cast<long long>(ende - start)) << "Stream " << obj;
    }
}

} // namespace

std::tm festeZeit()
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 7;
    t.tm_min = 8;
    t.tm_sec = 9;
    return t;
}

clsPDF neuesPdf() { return clsPDF(festeZeit); }

std::string zeilen(std::initializer_list<std::string_view> liste)
{
    std::string s;
    for (std::string_view z : liste) {
        s += z;
        s += '\r';
    }
    return s;
}

std::string tempPfad(const QString& name) { return ordner().filePath(name).toStdString(); }

int pruefeDokument(const std::string& dokument)
{
    pruefeAufbau(dokument);
    const QString pfad = neueDatei(QStringLiteral("pdf"));
    schreiben(pfad, dokument);
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

std::string inhalt(const std::string& dokument, int seite)
{
    size_t pos = 0;
    for (int k = 0; k < seite; ++k) {
        pos = dokument.find("\rstream\n", pos);
        if (pos == std::string::npos)
            return "<keine Seite " + std::to_string(seite) + ">";
        pos += 8;
    }
    return dokument.substr(pos, dokument.find("endstream\r", pos) - pos);
}

QImage rendern(const std::string& dokument, int seite)
{
    const QString pfad = neueDatei(QStringLiteral("pdf"));
    schreiben(pfad, dokument);
    const QString ziel = neueDatei(QStringLiteral("bild"));
    const int rc = starte(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-f"),
                                                       QString::number(seite), QStringLiteral("-l"),
                                                       QString::number(seite), QStringLiteral("-singlefile"), pfad, ziel});
    EXPECT_EQ(rc, 0) << "pdftoppm";
    QImage bild(ziel + QStringLiteral(".ppm"));
    EXPECT_FALSE(bild.isNull()) << "kein Bild von pdftoppm";
    return bild.convertToFormat(QImage::Format_RGB32);
}

} // namespace kav::test
