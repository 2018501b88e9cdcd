// The document the PDF writer makes: objects, offsets, page tree, xref, text lines and pages, Value, Clear,
// the files and the German locale.
#include "pdf_testhilfe.h"

#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>

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

// A page of text lines at the defaults.
std::string seite(std::initializer_list<std::string_view> textzeilen)
{
    return kTextKopf + zeilen(textzeilen) + "ET\r";
}

// What the PdfFehler `schritt` throws says; its cause must be given.
std::string fehlerText(const std::function<void()>& schritt)
{
    try {
        schritt();
    } catch (const PdfFehler& e) {
        EXPECT_TRUE(e.ursache()) << e.what();
        return e.what();
    }
    return "<kein Fehler>";
}

} // namespace

TEST(PdfDokument, LeeresDokumentUndKleinsteSeite)
{
    clsPDF pdf = neuesPdf();
    std::string d = pdf.Value();
    EXPECT_EQ(kKopf.size(), 313u);
    EXPECT_EQ(d, kKopf + zeilen({
        "3 0 obj", "<<", "/Type /Pages", "/Count 0", "/MediaBox [0 0 596 842]", "/Kids [ ]", ">>", "endobj",
        "xref", "0 6", "0000000000 65535 f ", "0000000015 00000 n ", "0000000094 00000 n ", "0000000313 00000 n ",
        "0000000143 00000 n ", "0000000246 00000 n ",
        "trailer", "<<", "/Size 6", "/Root 2 0 R", "/Info 1 0 R", ">>", "startxref", "390", "%%EOF"}));
    EXPECT_EQ(pruefeDokument(d), 0);

    // one empty line: the page (6), its stream (7) with the length object (8) after the fonts, the
    // page tree last; cross-references and lengths are checked for every document by pruefeDokument
    pdf.PrintLine("");
    d = pdf.Value();
    EXPECT_EQ(d.substr(0, kKopf.size()), kKopf);
    EXPECT_EQ(d.substr(kKopf.size(), 80), zeilen({"6 0 obj", "<<", "/Type /Page", "/Parent 3 0 R", "/Resources 5 0 R",
                                                  "/Contents 7 0 R", ">>", "endobj"}));
    EXPECT_EQ(inhalt(d, 1), seite({"()'"}));
    EXPECT_NE(d.find("\r8 0 obj\r35\rendobj\r3 0 obj\r"), std::string::npos);
    EXPECT_EQ(d.size(), 836u);
    EXPECT_EQ(pruefeDokument(d), 1);
}

TEST(PdfDokument, QuerformatUndPapiergroessen)
{
    const float tabelle[10][2] = {{2384, 3371}, {2384, 3371}, {1685, 2384}, {1192, 1685}, {842, 1192}, {596, 842},
                                  {421, 596},   {298, 421},   {210, 298},   {210, 298}};
    clsPDF pdf = neuesPdf();
    for (int p = 1; p <= 9; ++p) { // 9 is kept and changes nothing
        pdf.PaperSize(p);
        EXPECT_EQ(pdf.PaperSize(), p);
        EXPECT_EQ(pdf.Width(), tabelle[p][0]) << p;
        EXPECT_EQ(pdf.Height(), tabelle[p][1]) << p;
    }

    pdf.PaperSize(5);
    pdf.Orientation(1);
    EXPECT_EQ(pdf.Width(), 842.0f);
    EXPECT_EQ(pdf.Height(), 596.0f);
    pdf.PrintLine("x");
    pdf.DrawBox(10, 20, 30, 40, -1);
    pdf.DrawText(10, 20, "q");
    std::string d = gepruefterWert(pdf);
    EXPECT_NE(d.find("/MediaBox [0 0 842 596]\r"), std::string::npos);
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 12 Tf", "0 596 Td", "12 TL", "(x)'", "ET", "10 536 30 40 re", "f",
                                    "BT", "/F1 12 Tf", "10 576 Td", "(q)'", "ET"}));

    // Height in landscape sets the portrait height, that is the landscape width.
    pdf.Height(700);
    EXPECT_EQ(pdf.Width(), 700.0f);
    EXPECT_EQ(pdf.PaperSize(), 0);
    EXPECT_NE(gepruefterWert(pdf).find("/MediaBox [0 0 700 596]\r"), std::string::npos);
    pdf.Orientation(-3); // any non-zero orientation is landscape
    EXPECT_EQ(pdf.Width(), 700.0f);
    pdf.Orientation(0);
    pdf.PaperSize(5);
    pdf.Width(42.5f);
    EXPECT_EQ(pdf.PaperSize(), 0);
    EXPECT_NE(gepruefterWert(pdf).find("/MediaBox [0 0 42.5 842]\r"), std::string::npos);
}

TEST(PdfDokument, TextzeilenUndSeiten)
{
    const std::string seiteA = seite({"(a)'"});
    pruefeFaelle({
        {"Ränder, Schriftgröße und Zeilen der nächsten Seite", [](clsPDF& p) {
             p.LeftMargin(42.519685f); p.TopMargin(30.25f); p.Clear(10, 0); // 15 mm from the left
             p.PrintLine("eins"); p.FontSize(20); p.PrintLine("zwei");      // font size from the next page on
             p.NewPage(0, 2); p.PrintLine("drei"); p.PrintLine("vier"); p.PrintLine("fünf");
         }, {zeilen({"BT", "/F1 10 Tf", "42.51968 811.75 Td", "10 TL", "(eins)'", "(zwei)'", "ET"}),
             zeilen({"BT", "/F1 20 Tf", "42.51968 811.75 Td", "20 TL", "(drei)'", "(vier)'", "ET"}),
             zeilen({"BT", "/F1 20 Tf", "42.51968 811.75 Td", "20 TL", "(f\xFCnf)'", "ET"})}},
        {"Windows-1252 und Maskierung", [](clsPDF& p) {
             p.PrintLine("D\xC3\xBCngeempfehlung f\xC3\xBCr Gr\xC3\xBCnkohl \xE2\x80\x93 10 m\xC2\xB2");
             p.PrintLine("a(b)\\c"); p.PrintLine("\\\\)("); p.PrintLine("Pfeil \xE2\x86\x92 Ziel, 50%\t<x>");
         }, {seite({"(D\xFCngeempfehlung f\xFCr Gr\xFCnkohl \x96 10 m\xB2)'", "(a\\(b\\)\\\\c)'", "(\\\\\\\\\\)\\()'",
                    "(Pfeil ? Ziel, 50%\t<x>)'"})}},
        {"LinesPerPage 2",
         [](clsPDF& p) { p.LinesPerPage(2); for (const char* z : {"1", "2", "3", "4", "5"}) p.PrintLine(z); },
         {seite({"(1)'", "(2)'"}), seite({"(3)'", "(4)'"}), seite({"(5)'"})}},
        {"NewPage ohne Seite", [](clsPDF& p) { p.NewPage(); p.NewPage(); }, {}},
        {"NewPage mit leerer Seite", [](clsPDF& p) { p.DropBlankPages(false); p.NewPage(); }, {seite({})}},
        // PrintText: the first separator found of CR LF, LF CR, CR CR, LF, CR; a piece that is just the
        // new-page string starts a new page.
        {"CR LF", [](clsPDF& p) { p.PrintText("a\r\nb\r\n"); }, {seite({"(a)'", "(b)'", "()'"})}},
        {"LF CR vor LF", [](clsPDF& p) { p.PrintText("a\n\rb\nc"); }, {seite({"(a)'", "(b\nc)'"})}},
        {"CR CR vor CR", [](clsPDF& p) { p.PrintText("a\r\rb\rc"); }, {seite({"(a)'", "(b\rc)'"})}},
        {"LF vor CR", [](clsPDF& p) { p.PrintText("a\nb\rc"); }, {seite({"(a)'", "(b\rc)'"})}},
        {"nur CR", [](clsPDF& p) { p.PrintText("a\rb\r"); }, {seite({"(a)'", "(b)'", "()'"})}},
        {"ohne Trenner", [](clsPDF& p) { p.PrintText("eine Zeile"); }, {seite({"(eine Zeile)'"})}},
        {"Seitenvorschub schließt die Seite", [](clsPDF& p) { p.PrintText("a\r\n\f\r\nb"); }, {seiteA, seite({"(b)'"})}},
        {"eigener Seitenwechsel", [](clsPDF& p) { p.NewPageString("---"); p.PrintText("a\n---\n--\nb"); },
         {seiteA, seite({"(--)'", "(b)'"})}},
        // Drawn when the page opens and closes: beneath and on top of the text.
        {"Seitenereignisse", [](clsPDF& p) {
             p.PageStarted = [&p] { p.DrawBox(0, 0, 596, 10, -1); };
             p.PageFinished = [&p] { p.DrawLine(0, 832, 596, 832); };
             p.DrawText(10, 20, "vorher"); p.PrintLine("Text"); p.NewPage();
         }, {zeilen({"BT", "/F1 12 Tf", "10 822 Td", "(vorher)'", "ET", "0 832 596 10 re", "f"}) + seite({"(Text)'"}) +
             zeilen({"0 10 m 596 10 l", "S"})}},
    });
}

// LinesPerPage 0 never closes a page that is not open (that would make a broken document); a negative
// value never breaks pages, and the line counter reports its overflow instead of running over.
TEST(PdfDokument, ZeilenJeSeiteNullUndNegativ)
{
    clsPDF pdf = neuesPdf();
    int beendet = 0;
    pdf.PageFinished = [&beendet] { ++beendet; };
    pdf.LinesPerPage(0);
    std::string xZeilen;
    for (int i = 0; i < 3; ++i, xZeilen += "(x)'\r")
        pdf.PrintLine("x");
    EXPECT_EQ(beendet, 0);
    std::string d = gepruefterWert(pdf);
    EXPECT_EQ(d.substr(kKopf.size(), 8), "6 0 obj\r"); // nothing stray before the page
    EXPECT_EQ(inhalt(d, 1), kTextKopf + xZeilen + "ET\r");

    pdf.LinesPerPage(-1);
    for (int i = 3; i < 32767; ++i, xZeilen += "(x)'\r")
        pdf.PrintLine("x");
    EXPECT_THROW(pdf.PrintLine("zu viel"), PdfFehler);
    EXPECT_EQ(pdf.LineNumber(), 32767);
    pdf.NewPage();
    pdf.PrintLine("weiter");
    d = gepruefterWert(pdf);
    EXPECT_EQ(inhalt(d, 1), kTextKopf + xZeilen + "ET\r");
    EXPECT_EQ(inhalt(d, 2), seite({"(weiter)'"}));
    EXPECT_EQ(std::count(d.begin(), d.end(), '\n'), 2); // the only line feeds are those after "stream"
}

TEST(PdfDokument, ValueWiederholbarUndFortsetzbar)
{
    // Two writers get the same calls; asking one of them for Value after each step changes nothing.
    clsPDF mit = neuesPdf(), ohne = neuesPdf();
    for (clsPDF* p : {&mit, &ohne})
        p->PageFinished = [p] { p->FillColor(0x00FF00); p->DrawBox(0, 0, 10, 10, -1); };
    const std::function<void(clsPDF&)> schritte[] = {
        [](clsPDF& p) { p.PrintLine("a"); p.FillColor(0x0000FF); p.DrawBox(10, 20, 30, 40, -1); },
        [](clsPDF&) {}, // nothing in between: the same text again
        [](clsPDF& p) { p.PrintLine("b"); p.DrawLine(1, 2, 3, 4); p.DrawColor(0x0000FF); },
        [](clsPDF& p) { p.DrawLine(5, 6, 7, 8); p.NewPage(); p.DrawBox(50, 60, 70, 80, 0); },
        [](clsPDF& p) { p.PrintLine("c"); },
    };
    std::vector<std::string> werte;
    for (const auto& schritt : schritte) {
        schritt(mit);
        schritt(ohne);
        werte.push_back(gepruefterWert(mit));
    }
    EXPECT_EQ(werte[0], werte[1]);
    EXPECT_EQ(werte.back(), ohne.Value());
    EXPECT_EQ(pruefeDokument(werte.back()), 2);

    // The first result shows page 1 with what was there; the later one shows it once, with all of it.
    EXPECT_EQ(inhalt(werte[0], 1), seite({"(a)'"}) + zeilen({"1 0 0 rg", "10 782 30 40 re", "f",
                                                             "0 1 0 rg", "0 832 10 10 re", "f"}));
    EXPECT_EQ(pruefeDokument(werte[2]), 1);
    EXPECT_EQ(inhalt(werte[2], 1), seite({"(a)'", "(b)'"}) + zeilen({"1 0 0 rg", "10 782 30 40 re", "f",
                                                                     "1 840 m 3 838 l", "S", "1 0 0 RG", "0 1 0 rg",
                                                                     "0 832 10 10 re", "f"}));
}

// A handler that prints, changes pages, clears or finishes the document is refused with a German message
// instead of calling itself until the stack runs out; the step that raised the event adds nothing.
TEST(PdfDokument, SeitenereignisseOeffnenUndSchliessenKeineSeiten)
{
    using Schritt = std::function<void(clsPDF&)>;
    const Schritt zeile = [](clsPDF& p) { p.PrintLine("x"); };
    const Schritt neueSeite = [](clsPDF& p) { p.NewPage(); };
    const Schritt wert = [](clsPDF& p) { p.Value(); };
    struct Fall { const char* name; bool beimBeginn; Schritt imEreignis, ausloeser; };
    const Fall faelle[] = {
        {"PrintLine beim Beginn", true, zeile, zeile},
        {"NewPage beim Beginn", true, neueSeite, zeile},
        {"Clear beim Beginn", true, [](clsPDF& p) { p.Clear(); }, zeile},
        {"Value beim Abschluss", false, wert, wert},
        {"SavePDF beim Abschluss", false, [](clsPDF& p) { p.SavePDF(tempPfad("ereignis.pdf")); }, neueSeite},
        {"PrintLine beim Abschluss", false, zeile, neueSeite},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        // a page to close for PageFinished; the same document, never finished, in `pdf`
        clsPDF pdf = neuesPdf(), zwilling = neuesPdf();
        for (clsPDF* p : {&pdf, &zwilling})
            if (!f.beimBeginn)
                p->PrintLine("a");
        const std::string vorher = zwilling.Value();
        (f.beimBeginn ? pdf.PageStarted : pdf.PageFinished) = [&] { f.imEreignis(pdf); };
        try {
            f.ausloeser(pdf);
            ADD_FAILURE() << "kein Fehler";
        } catch (const PdfFehler& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with("Während eine Seite begonnen oder abgeschlossen wird,"))
                << e.what();
        }
        pdf.PageStarted = pdf.PageFinished = {};
        EXPECT_EQ(pdf.Value(), vorher);
        pdf.PrintLine("b");
        EXPECT_EQ(pruefeDokument(pdf.Value()), 1);
    }
}

TEST(PdfDokument, ClearHinterlaesstKeineSpur)
{
    clsPDF frisch([] { return ortszeit("20311231235958"); });
    frisch.PrintLine("");

    std::tm t = festeZeit();
    clsPDF pdf([&t] { return t; });
    t = ortszeit("20311231235958"); // the creation date is taken at Clear: from here on for the next one
    pdf.DrawBox(1, 2, 3, 4, -1);    // graphics waiting for a page, "f" pending
    pdf.PrintLine("alt");
    pdf.DrawLine(1, 2, 3, 4);       // graphics of the open page, "S" pending
    pdf.DrawBox(1, 2, 3, 4, 2);
    EXPECT_NE(pdf.Value().find("/CreationDate (D:20240305070809)\r"), std::string::npos);
    pdf.Clear();
    EXPECT_EQ(pdf.PageNumber(), 0);
    pdf.PrintLine("");
    EXPECT_EQ(gepruefterWert(pdf), frisch.Value());

    // Settings survive Clear.
    pdf.LinesPerPage(5);
    pdf.DropBlankPages(false);
    pdf.Orientation(1);
    pdf.Clear(14, 0);
    EXPECT_EQ(pdf.LinesPerPage(), 5);
    EXPECT_EQ(pdf.FontSize(), 14);
    EXPECT_FALSE(pdf.DropBlankPages());
    EXPECT_EQ(pdf.Orientation(), 1);

    clsPDF jetzt; // the system clock: 14 digits like any other date
    const std::string d = jetzt.Value();
    EXPECT_EQ(d.size(), 585u);
    pruefeDokument(d);
}

// A file that cannot be written or read is reported to the caller and the document stays as it was.
TEST(PdfDokument, DateienUndIhreFehler)
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("gespeichert");
    const std::string pfad = tempDatei(QStringLiteral("gespeichert.pdf"), QByteArray(5000, 'x'));
    pdf.SavePDF(pfad); // replaces the old file, not overwritten in part
    const std::string vorher = pdf.Value();
    QFile gespeichert(QString::fromStdString(pfad));
    ASSERT_TRUE(gespeichert.open(QIODevice::ReadOnly));
    EXPECT_EQ(gespeichert.readAll().toStdString(), vorher);
    for (const std::string& falsch : {tempPfad(QStringLiteral("fehlt/x.pdf")), tempPfad(QString()), std::string()}) {
        EXPECT_NE(fehlerText([&] { pdf.SavePDF(falsch); }).find("konnte nicht geschrieben werden"), std::string::npos);
        EXPECT_NE(fehlerText([&] { pdf.PrintFile(falsch); }).find("konnte nicht gelesen werden"), std::string::npos);
    }
    EXPECT_EQ(pdf.Value(), vorher);

    // A text file's bytes arrive unchanged, the free byte 0x81 included; an empty file prints one empty line.
    const std::string text = tempDatei(QStringLiteral("text.txt"),
                                       "Erste Zeile\r\nGr\xFC\xDF" "e \x80 \x81\r\n\f\r\n(zweite Seite)");
    const std::string leer = tempDatei(QStringLiteral("leer.txt"), QByteArray());
    pruefeFaelle({{"Textdatei", [&](clsPDF& p) { p.PrintFile(text); },
                   {seite({"(Erste Zeile)'", "(Gr\xFC\xDF" "e \x80 \x81)'"}), seite({"(\\(zweite Seite\\))'"})}},
                  {"leere Datei", [&](clsPDF& p) { p.PrintFile(leer); }, {seite({"()'"})}}});
}

// The C locale German (test_pdf_de runs every test so, this test switches for itself): number text keeps its point.
TEST(PdfDokument, ZahlenImDeutschenGebietsschema)
{
    const char* lcAll = std::getenv("LC_ALL");
    if (lcAll && std::string(lcAll).rfind("de_DE", 0) == 0) {
        EXPECT_STREQ(std::localeconv()->decimal_point, ",") << "der Lauf ist nicht deutsch";
    }
    const std::string alt = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "Gebietsschema de_DE.UTF-8 fehlt (locale-gen)";
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    clsPDF pdf = neuesPdf();
    pdf.LeftMargin(42.519685f);
    pdf.Width(595.5f);
    pdf.PrintLine("");
    pdf.FillColor(0x808080);
    pdf.DrawBox(42.519685f, 100.5f, 12.25f, 0.5f, -1);
    const std::string d = gepruefterWert(pdf);
    std::setlocale(LC_ALL, alt.c_str());
    EXPECT_NE(d.find("/MediaBox [0 0 595.5 842]"), std::string::npos);
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 12 Tf", "42.51968 842 Td", "12 TL", "()'", "ET", "0.502 g",
                                    "42.52 741 12.25 0.5 re", "f"}));
}
