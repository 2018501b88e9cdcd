// The document the PDF writer makes: objects, offsets, page tree, xref, Value, Clear and the files.
#include "pdf_testhilfe.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace kav;
using namespace kav::test;

namespace {

// Header and objects 1, 2, 4, 5 of every document made at the fixed time.
const std::string kKopf = zeilen({
    "%PDF-1.1", "%\xE2\xE3\xCF\xD3",
    "1 0 obj", "<<", "/CreationDate (D:20240305070809)", "/Producer (Kav-Humavera)", ">>", "endobj",
    "2 0 obj", "<<", "/Type /Catalog", "/Pages 3 0 R", ">>", "endobj",
    "4 0 obj", "<<", "/Type /Font", "/Subtype /Type1", "/Name /F1", "/BaseFont /Arial", "/Encoding /WinAnsiEncoding",
    ">>", "endobj",
    "5 0 obj", "<<", "/Font << /F1 4 0 R >>", "/ProcSet [ /PDF /Text ]", ">>", "endobj",
});

std::string lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

int anzahl(const std::string& text, const std::string& teil)
{
    int n = 0;
    for (size_t p = text.find(teil); p != std::string::npos; p = text.find(teil, p + 1))
        ++n;
    return n;
}

} // namespace

TEST(PdfDokument, LeeresDokument)
{
    clsPDF pdf = neuesPdf();
    const std::string d = pdf.Value();
    EXPECT_EQ(kKopf.size(), 313u);
    const std::string erwartet = kKopf + zeilen({
        "3 0 obj", "<<", "/Type /Pages", "/Count 0", "/MediaBox [0 0 596 842]", "/Kids [ ]", ">>", "endobj",
        "xref", "0 6",
        "0000000000 65535 f ",
        "0000000015 00000 n ",
        "0000000094 00000 n ",
        "0000000313 00000 n ",
        "0000000143 00000 n ",
        "0000000246 00000 n ",
        "trailer", "<<", "/Size 6", "/Root 2 0 R", "/Info 1 0 R", ">>", "startxref", "390", "%%EOF",
    });
    EXPECT_EQ(d, erwartet);
    EXPECT_EQ(pruefeDokument(d), 0);
}

TEST(PdfDokument, EineLeereZeileGibtDieKleinsteSeite)
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("");
    const std::string d = pdf.Value();
    const std::string erwartet = kKopf + zeilen({
        "6 0 obj", "<<", "/Type /Page", "/Parent 3 0 R", "/Resources 5 0 R", "/Contents 7 0 R", ">>", "endobj",
        "7 0 obj", "<<", "/Length 8 0 R", ">>"}) + "stream\n" + zeilen({
        "BT", "/F1 12 Tf", "0 842 Td", "12 TL", "()'", "ET",
        "endstream", "endobj",
        "8 0 obj", "35", "endobj",
        "3 0 obj", "<<", "/Type /Pages", "/Count 1", "/MediaBox [0 0 596 842]", "/Kids [ 6 0 R ]", ">>", "endobj",
        "xref", "0 9",
        "0000000000 65535 f ",
        "0000000015 00000 n ",
        "0000000094 00000 n ",
        "0000000498 00000 n ",
        "0000000143 00000 n ",
        "0000000246 00000 n ",
        "0000000313 00000 n ",
        "0000000393 00000 n ",
        "0000000480 00000 n ",
        "trailer", "<<", "/Size 9", "/Root 2 0 R", "/Info 1 0 R", ">>", "startxref", "581", "%%EOF",
    });
    EXPECT_EQ(d, erwartet);

    // The offsets worked out by hand: every object header sits where the table says.
    const std::pair<int, size_t> objekte[] = {{1, 15}, {2, 94}, {4, 143}, {5, 246}, {6, 313}, {7, 393}, {8, 480}, {3, 498}};
    for (const auto& [nr, offset] : objekte)
        EXPECT_EQ(d.substr(offset, 8), std::to_string(nr) + " 0 obj\r") << "Objekt " << nr;
    EXPECT_EQ(inhalt(d, 1).size(), 35u);
    EXPECT_EQ(d.substr(581, 5), "xref\r");
    EXPECT_EQ(d.size(), 836u);
    EXPECT_EQ(pruefeDokument(d), 1);
}

TEST(PdfDokument, NurWagenruecklaufAlsZeilenende)
{
    clsPDF pdf = neuesPdf();
    for (int i = 0; i < 100; ++i)
        pdf.PrintLine("Zeile " + std::to_string(i));
    const std::string d = gepruefterWert(pdf);
    // The only line feeds are those after "stream".
    EXPECT_EQ(anzahl(d, "\n"), 2);
    EXPECT_EQ(anzahl(d, "stream\n"), 2);
    EXPECT_EQ(d.find("\r\n"), std::string::npos);
}

TEST(PdfDokument, QuerformatUndSeitengroessen)
{
    clsPDF pdf = neuesPdf();
    pdf.Orientation(1);
    EXPECT_EQ(pdf.PaperSize(), 5);
    EXPECT_EQ(pdf.Width(), 842.0f);
    EXPECT_EQ(pdf.Height(), 596.0f);
    pdf.PrintLine("x");
    std::string d = gepruefterWert(pdf);
    EXPECT_NE(d.find("/MediaBox [0 0 842 596]\r"), std::string::npos);
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 12 Tf", "0 596 Td", "12 TL", "(x)'", "ET"}));

    // Height in landscape sets the portrait height, that is the landscape width.
    pdf.Height(700);
    EXPECT_EQ(pdf.Width(), 700.0f);
    EXPECT_EQ(pdf.Height(), 596.0f);
    EXPECT_EQ(pdf.PaperSize(), 0);
    d = gepruefterWert(pdf);
    EXPECT_NE(d.find("/MediaBox [0 0 700 596]\r"), std::string::npos);

    pdf.Orientation(0);
    EXPECT_EQ(pdf.Width(), 596.0f);
    EXPECT_EQ(pdf.Height(), 700.0f);
    pdf.Width(42.5f);
    EXPECT_EQ(pdf.PaperSize(), 0);
    d = gepruefterWert(pdf);
    EXPECT_NE(d.find("/MediaBox [0 0 42.5 700]\r"), std::string::npos);

    // Any non-zero orientation is landscape.
    pdf.Orientation(-3);
    EXPECT_EQ(pdf.Width(), 700.0f);
}

TEST(PdfDokument, Papiergroessen)
{
    const float tabelle[9][2] = {{0, 0},     {2384, 3371}, {1685, 2384}, {1192, 1685}, {842, 1192},
                                 {596, 842}, {421, 596},   {298, 421},   {210, 298}};
    clsPDF pdf = neuesPdf();
    for (int p = 1; p <= 8; ++p) {
        pdf.PaperSize(p);
        EXPECT_EQ(pdf.PaperSize(), p);
        EXPECT_EQ(pdf.Width(), tabelle[p][0]) << p;
        EXPECT_EQ(pdf.Height(), tabelle[p][1]) << p;
    }
    // Other values are kept and change nothing.
    pdf.PaperSize(9);
    EXPECT_EQ(pdf.PaperSize(), 9);
    EXPECT_EQ(pdf.Width(), 210.0f);
    pdf.PaperSize(0);
    EXPECT_EQ(pdf.Height(), 298.0f);
    pdf.PaperSize(1);
    pdf.PrintLine("A0");
    const std::string d = gepruefterWert(pdf);
    EXPECT_NE(d.find("/MediaBox [0 0 2384 3371]\r"), std::string::npos);
}

TEST(PdfDokument, RaenderSchriftgroesseUndTextposition)
{
    clsPDF pdf = neuesPdf();
    pdf.LeftMargin(42.519685f); // 15 mm
    pdf.TopMargin(30.25f);
    pdf.Clear(10, 0);
    EXPECT_EQ(pdf.FontSize(), 10);
    EXPECT_EQ(pdf.LinesPerPage(), 72);
    pdf.PrintLine("eins");
    pdf.FontSize(20); // from the next page on
    pdf.PrintLine("zwei");
    pdf.NewPage(0, 3);
    EXPECT_EQ(pdf.LinesPerPage(), 3);
    pdf.PrintLine("drei");
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 10 Tf", "42.51968 811.75 Td", "10 TL", "(eins)'", "(zwei)'", "ET"}));
    EXPECT_EQ(inhalt(d, 2), zeilen({"BT", "/F1 20 Tf", "42.51968 811.75 Td", "20 TL", "(drei)'", "ET"}));
}

TEST(PdfDokument, TextInWindows1252UndMaskiert)
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("D\xC3\xBCngeempfehlung f\xC3\xBCr Gr\xC3\xBCnkohl \xE2\x80\x93 10 m\xC2\xB2");
    pdf.PrintLine("a(b)\\c");
    pdf.PrintLine("Pfeil \xE2\x86\x92 Ziel");
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL",
                                    "(D\xFCngeempfehlung f\xFCr Gr\xFCnkohl \x96 10 m\xB2)'",
                                    "(a\\(b\\)\\\\c)'", "(Pfeil ? Ziel)'", "ET"}));
}

TEST(PdfDokument, ZeilenJeSeite)
{
    clsPDF pdf = neuesPdf();
    pdf.LinesPerPage(2);
    for (int i = 1; i <= 5; ++i) {
        pdf.PrintLine(std::to_string(i));
        EXPECT_EQ(pdf.LineNumber(), (i - 1) % 2 + 1);
    }
    EXPECT_EQ(pdf.PageNumber(), 3);
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(pruefeDokument(d), 3);
    const std::string kopf = zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL"});
    EXPECT_EQ(inhalt(d, 1), kopf + zeilen({"(1)'", "(2)'", "ET"}));
    EXPECT_EQ(inhalt(d, 2), kopf + zeilen({"(3)'", "(4)'", "ET"}));
    EXPECT_EQ(inhalt(d, 3), kopf + zeilen({"(5)'", "ET"}));
    // Pages 6, 9, 12 with their content and length objects.
    EXPECT_NE(d.find("/Kids [ 6 0 R 9 0 R 12 0 R ]\r"), std::string::npos);
    EXPECT_NE(d.find("/Contents 13 0 R\r"), std::string::npos);
    EXPECT_NE(d.find("/Length 14 0 R\r"), std::string::npos);
    EXPECT_NE(d.find("0 15\r"), std::string::npos);
}

TEST(PdfDokument, NeueSeiteMitUndOhneLeereSeiten)
{
    clsPDF ohne = neuesPdf();
    ohne.NewPage();
    ohne.NewPage();
    EXPECT_EQ(ohne.PageNumber(), 0);
    EXPECT_EQ(pruefeDokument(ohne.Value()), 0);

    clsPDF mit = neuesPdf();
    mit.DropBlankPages(false);
    mit.NewPage();
    EXPECT_EQ(mit.PageNumber(), 1);
    EXPECT_EQ(mit.LineNumber(), 0);
    const std::string d = gepruefterWert(mit);
    EXPECT_EQ(pruefeDokument(d), 1);
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL", "ET"}));
    EXPECT_NE(d.find("\r31\rendobj\r"), std::string::npos);

    // An open page is closed either way; the next line opens a new one.
    clsPDF offen = neuesPdf();
    offen.PrintLine("a");
    offen.NewPage();
    offen.NewPage();
    offen.PrintLine("b");
    EXPECT_EQ(pruefeDokument(offen.Value()), 2);
}

TEST(PdfDokument, PrintTextTrennzeichen)
{
    const std::string kopf = zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL"});
    const struct {
        const char* name;
        std::string text;
        std::string zeilenText;
    } faelle[] = {
        {"CR LF mit leerer letzter Zeile", "a\r\nb\r\n", zeilen({"(a)'", "(b)'", "()'"})},
        {"LF CR vor LF", "a\n\rb\nc", zeilen({"(a)'", "(b\nc)'"})},
        {"CR CR vor CR", "a\r\rb\rc", zeilen({"(a)'", "(b\rc)'"})},
        {"nur LF", "a\nb", zeilen({"(a)'", "(b)'"})},
        {"nur CR", "a\rb\r", zeilen({"(a)'", "(b)'", "()'"})},
        {"ohne Trenner", "eine Zeile", zeilen({"(eine Zeile)'"})},
        {"leerer Text", "", zeilen({"()'"})},
    };
    for (const auto& f : faelle) {
        clsPDF pdf = neuesPdf();
        pdf.PrintText(f.text);
        const std::string d = gepruefterWert(pdf);
        EXPECT_EQ(inhalt(d, 1), kopf + f.zeilenText + "ET\r") << f.name;
    }

    // A line of just the new-page string (form feed) starts a new page and prints nothing.
    clsPDF pdf = neuesPdf();
    pdf.PrintText("a\r\n\f\r\nb");
    std::string d = gepruefterWert(pdf);
    EXPECT_EQ(pruefeDokument(d), 2);
    EXPECT_EQ(inhalt(d, 1), kopf + zeilen({"(a)'", "ET"}));
    EXPECT_EQ(inhalt(d, 2), kopf + zeilen({"(b)'", "ET"}));

    clsPDF eigen = neuesPdf();
    eigen.NewPageString("---");
    eigen.PrintText("a\n---\n--\nb");
    d = gepruefterWert(eigen);
    EXPECT_EQ(inhalt(d, 1), kopf + zeilen({"(a)'", "ET"}));
    EXPECT_EQ(inhalt(d, 2), kopf + zeilen({"(--)'", "(b)'", "ET"}));
}

TEST(PdfDokument, ValueWiederholbarUndFortsetzbar)
{
    // The same calls with and without Value in between give the same document.
    const auto schreiben = [](clsPDF& pdf, bool zwischendurch) {
        std::vector<std::string> ergebnisse;
        pdf.PageFinished = [&pdf] { pdf.FillColor(0x00FF00); pdf.DrawBox(0, 0, 10, 10, -1); };
        pdf.PrintLine("a");
        pdf.FillColor(0x0000FF);
        pdf.DrawBox(10, 20, 30, 40, -1);
        if (zwischendurch) {
            ergebnisse.push_back(pdf.Value());
            ergebnisse.push_back(pdf.Value());
        }
        pdf.PrintLine("b");
        pdf.DrawLine(1, 2, 3, 4);
        pdf.DrawColor(0xFF0000);
        if (zwischendurch)
            ergebnisse.push_back(pdf.Value());
        pdf.DrawLine(5, 6, 7, 8);
        pdf.NewPage();
        pdf.DrawBox(50, 60, 70, 80, 0);
        if (zwischendurch)
            ergebnisse.push_back(pdf.Value());
        pdf.PrintLine("c");
        ergebnisse.push_back(pdf.Value());
        return ergebnisse;
    };
    clsPDF a = neuesPdf();
    const auto mit = schreiben(a, true);
    clsPDF b = neuesPdf();
    const auto ohne = schreiben(b, false);
    ASSERT_EQ(mit.size(), 5u);
    EXPECT_EQ(mit[0], mit[1]);
    EXPECT_EQ(mit.back(), ohne.back());
    for (const auto& d : mit)
        pruefeDokument(d);
    EXPECT_EQ(pruefeDokument(mit.back()), 2);

    // The first result shows page 1 with what was there; the later one shows it once, with all of it.
    EXPECT_EQ(anzahl(mit[0], "/Type /Page\r"), 1);
    EXPECT_NE(inhalt(mit[0], 1).find("(a)'"), std::string::npos);
    EXPECT_EQ(inhalt(mit[0], 1).find("(b)'"), std::string::npos);
    const std::string seite1 = inhalt(mit[2], 1);
    EXPECT_NE(seite1.find("(a)'\r(b)'\rET\r"), std::string::npos);
    EXPECT_NE(seite1.find("10 782 30 40 re\r"), std::string::npos);
    EXPECT_EQ(anzahl(mit[2], "/Type /Page\r"), 1);
}

TEST(PdfDokument, ClearHinterlaesstKeineSpur)
{
    clsPDF frisch = neuesPdf();
    frisch.PrintLine("");
    const std::string leer = frisch.Value();

    clsPDF pdf = neuesPdf();
    pdf.DrawBox(1, 2, 3, 4, -1);   // graphics waiting for a page, "f" pending
    pdf.PrintLine("alt");
    pdf.DrawLine(1, 2, 3, 4);      // graphics of the open page, "S" pending
    pdf.DrawBox(1, 2, 3, 4, 2);
    (void)pdf.Value();
    pdf.Clear();
    EXPECT_EQ(pdf.PageNumber(), 0);
    EXPECT_EQ(pdf.LineNumber(), 0);
    pdf.PrintLine("");
    EXPECT_EQ(gepruefterWert(pdf), leer);

    // Settings survive Clear.
    pdf.LinesPerPage(5);
    pdf.DropBlankPages(false);
    pdf.Orientation(1);
    pdf.Clear(14, 0);
    EXPECT_EQ(pdf.LinesPerPage(), 5);
    EXPECT_EQ(pdf.FontSize(), 14);
    EXPECT_FALSE(pdf.DropBlankPages());
    EXPECT_EQ(pdf.Orientation(), 1);
}

TEST(PdfDokument, SeitenereignisseZeichnenUnterUndUeberDenText)
{
    clsPDF pdf = neuesPdf();
    int begonnen = 0, beendet = 0;
    pdf.PageStarted = [&] {
        ++begonnen;
        EXPECT_EQ(pdf.PageNumber(), begonnen);
        pdf.DrawBox(0, 0, 596, 10, -1);
    };
    pdf.PageFinished = [&] {
        ++beendet;
        pdf.DrawLine(0, 832, 596, 832);
    };
    pdf.DrawText(10, 20, "vorher");
    pdf.PrintLine("Text");
    pdf.NewPage();
    EXPECT_EQ(begonnen, 1);
    EXPECT_EQ(beendet, 1);
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 12 Tf", "10 822 Td", "(vorher)'", "ET",
                                    "0 832 596 10 re", "f",
                                    "BT", "/F1 12 Tf", "0 842 Td", "12 TL", "(Text)'", "ET",
                                    "0 10 m 596 10 l", "S"}));
}

TEST(PdfDokument, SavePdfSchreibtDieDatei)
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("gespeichert");
    const std::string pfad = tempPfad(QStringLiteral("gespeichert.pdf"));
    {
        std::ofstream alt(pfad, std::ios::binary);
        alt << std::string(5000, 'x'); // replaced, not overwritten in part
    }
    pdf.SavePDF(pfad);
    EXPECT_EQ(lesen(pfad), pdf.Value());
    EXPECT_EQ(pruefeDokument(lesen(pfad)), 1);
}

// Mended: a file that cannot be written is reported to the caller and the document stays as it was.
TEST(PdfDokument, SavePdfMeldetFehler)
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("a");
    const std::string vorher = pdf.Value();
    const std::string pfade[] = {tempPfad(QStringLiteral("gibtEsNicht/x.pdf")), tempPfad(QString()), ""};
    for (const std::string& pfad : pfade) {
        try {
            pdf.SavePDF(pfad);
            ADD_FAILURE() << "kein Fehler für " << pfad;
        } catch (const PdfFehler& e) {
            EXPECT_NE(std::string(e.what()).find("konnte nicht geschrieben werden"), std::string::npos);
            EXPECT_TRUE(e.ursache()) << pfad;
        }
    }
    EXPECT_EQ(pdf.Value(), vorher);
    pdf.PrintLine("b");
    EXPECT_EQ(pruefeDokument(pdf.Value()), 1);
}

TEST(PdfDokument, PrintFile)
{
    const std::string pfad = tempPfad(QStringLiteral("text.txt"));
    {
        std::ofstream f(pfad, std::ios::binary);
        f << "Erste Zeile\r\nGr\xFC\xDF" "e \x80 \x81\r\n\f\r\n(zweite Seite)";
    }
    clsPDF pdf = neuesPdf();
    pdf.PrintFile(pfad);
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(pruefeDokument(d), 2);
    const std::string kopf = zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL"});
    // The file's bytes arrive unchanged, the free byte 0x81 included.
    EXPECT_EQ(inhalt(d, 1), kopf + zeilen({"(Erste Zeile)'", "(Gr\xFC\xDF" "e \x80 \x81)'", "ET"}));
    EXPECT_EQ(inhalt(d, 2), kopf + zeilen({"(\\(zweite Seite\\))'", "ET"}));

    // An empty file prints one empty line.
    const std::string leer = tempPfad(QStringLiteral("leer.txt"));
    std::ofstream(leer, std::ios::binary).flush();
    clsPDF nichts = neuesPdf();
    nichts.PrintFile(leer);
    EXPECT_EQ(inhalt(gepruefterWert(nichts), 1), kopf + zeilen({"()'", "ET"}));
}

// Mended: a missing or unreadable file is reported and prints nothing.
TEST(PdfDokument, PrintFileMeldetFehler)
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("a");
    const std::string vorher = pdf.Value();
    for (const std::string& pfad : {tempPfad(QStringLiteral("fehlt.txt")), tempPfad(QString())}) {
        try {
            pdf.PrintFile(pfad);
            ADD_FAILURE() << "kein Fehler für " << pfad;
        } catch (const PdfFehler& e) {
            EXPECT_NE(std::string(e.what()).find("konnte nicht gelesen werden"), std::string::npos);
            EXPECT_TRUE(e.ursache());
        }
    }
    EXPECT_EQ(pdf.Value(), vorher);
}

// Mended: LinesPerPage 0 never closes a page that is not open (that made a broken document).
TEST(PdfDokument, NullZeilenJeSeiteBrichtNichtUm)
{
    clsPDF pdf = neuesPdf();
    int beendet = 0;
    pdf.PageFinished = [&beendet] { ++beendet; };
    pdf.LinesPerPage(0);
    for (int i = 0; i < 3; ++i)
        pdf.PrintLine("x");
    EXPECT_EQ(beendet, 0);
    EXPECT_EQ(pdf.PageNumber(), 1);
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(pruefeDokument(d), 1);
    // Nothing stray before the page: it is object 6 right after the header objects.
    EXPECT_EQ(d.substr(kKopf.size(), 8), "6 0 obj\r");
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL", "(x)'", "(x)'", "(x)'", "ET"}));
}

TEST(PdfDokument, ZeilenzaehlerLaeuftNichtUeber)
{
    clsPDF pdf = neuesPdf();
    pdf.LinesPerPage(-1); // lines never break pages
    for (int i = 0; i < 32767; ++i)
        pdf.PrintLine("x");
    EXPECT_EQ(pdf.LineNumber(), 32767);
    EXPECT_THROW(pdf.PrintLine("zu viel"), PdfFehler);
    EXPECT_EQ(pdf.LineNumber(), 32767);
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(anzahl(d, "(x)'"), 32767);
    EXPECT_EQ(d.find("zu viel"), std::string::npos);
    pdf.NewPage();
    pdf.PrintLine("weiter");
    EXPECT_EQ(pruefeDokument(pdf.Value()), 2);
}

TEST(PdfDokument, ErstellungsdatumVonClear)
{
    std::tm t = festeZeit();
    clsPDF pdf([&t] { return t; });
    EXPECT_NE(pdf.Value().find("/CreationDate (D:20240305070809)\r"), std::string::npos);
    t.tm_year = 2031 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 58;
    EXPECT_NE(pdf.Value().find("D:20240305070809"), std::string::npos); // taken at Clear
    pdf.Clear();
    EXPECT_NE(pdf.Value().find("/CreationDate (D:20311231235958)\r"), std::string::npos);

    clsPDF jetzt; // system clock
    const std::string d = jetzt.Value();
    EXPECT_EQ(d.size(), 585u);
    pruefeDokument(d);
}
