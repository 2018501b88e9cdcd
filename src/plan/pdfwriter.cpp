// clsPDF: document model, page objects, cross-reference table, Value and the files.
#include "plan/pdfwriter.h"

#include "plan/pdf_intern.h"

#include <QScopeGuard>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace kav {

namespace {

std::tm systemzeit()
{
    const std::time_t jetzt = std::time(nullptr);
    std::tm t{};
    localtime_r(&jetzt, &t);
    return t;
}

void ziffernAnhaengen(std::string& out, long long wert, int stellen)
{
    const std::string s = pdf::ganz(wert < 0 ? 0 : wert);
    if (static_cast<int>(s.size()) < stellen)
        out.append(static_cast<size_t>(stellen) - s.size(), '0');
    out += s;
}

// Portrait width and height of the paper sizes 1 (A0) to 8 (A7).
constexpr float kPapier[8][2] = {{2384, 3371}, {1685, 2384}, {1192, 1685}, {842, 1192},
                                 {596, 842},   {421, 596},   {298, 421},   {210, 298}};

std::error_code letzterFehler() { return {errno, std::generic_category()}; }

} // namespace

clsPDF::clsPDF(Ortszeit ortszeit) : m_ortszeit(std::move(ortszeit))
{
    if (!m_ortszeit)
        m_ortszeit = systemzeit;
    m_seitenObjekte.reserve(17);
    m_offsets.reserve(65);
    Clear();
}

// ---- properties -------------------------------------------------------------------------------

void clsPDF::Height(float Value)
{
    m_hoehePortrait = Value;
    m_paperSize = 0;
    m_fertigAktuell = false;
}

void clsPDF::Width(float Value)
{
    m_breitePortrait = Value;
    m_paperSize = 0;
    m_fertigAktuell = false;
}

void clsPDF::Orientation(int32_t Value)
{
    m_orientation = Value;
    m_fertigAktuell = false;
}

void clsPDF::PaperSize(int32_t Value)
{
    m_paperSize = Value;
    if (Value >= 1 && Value <= 8) {
        m_breitePortrait = kPapier[Value - 1][0];
        m_hoehePortrait = kPapier[Value - 1][1];
    }
    m_fertigAktuell = false;
}

// ---- document ----------------------------------------------------------------------------------

void clsPDF::Clear(int16_t FontSize, int16_t LinesPerPage)
{
    nichtImEreignis("kann das PDF-Dokument nicht neu begonnen werden");
    if (FontSize != 0)
        m_fontSize = FontSize;
    if (LinesPerPage != 0)
        m_linesPerPage = LinesPerPage;
    m_seitenZahl = 0;
    m_zeile = 0;
    m_objektZahl = 0;
    m_seitenObjekte.assign(1, 0);
    m_offsets.assign(1, 0);
    m_text.clear();
    m_grafik.clear();
    writeHeader();
    m_operator = 0;
    m_pfadOffen = false;
    // The new document starts in black: colours and width in use must be written again.
    wertePendingSetzen();
}

void clsPDF::zeileSchreiben(std::string_view text)
{
    m_text += text;
    m_text += '\r';
}

void clsPDF::neuesObjekt()
{
    if (m_objektZahl == INT32_MAX)
        throw PdfFehler("Das PDF-Dokument hat zu viele Objekte.");
    ++m_objektZahl;
    m_offsets.resize(static_cast<size_t>(m_objektZahl) + 1);
    objektBeginnen(m_objektZahl);
}

void clsPDF::objektBeginnen(int32_t nummer)
{
    if (m_text.size() > static_cast<size_t>(INT32_MAX))
        throw PdfFehler("Das PDF-Dokument ist zu groß.");
    m_offsets[static_cast<size_t>(nummer)] = static_cast<int32_t>(m_text.size());
    pdf::ganzAnhaengen(m_text, nummer);
    zeileSchreiben(" 0 obj");
}

void clsPDF::writeHeader()
{
    m_fertigAktuell = false;
    zeileSchreiben("%PDF-1.1");
    zeileSchreiben("%\xE2\xE3\xCF\xD3");

    const std::tm t = m_ortszeit();
    std::string datum = "/CreationDate (D:";
    ziffernAnhaengen(datum, t.tm_year + 1900LL, 4);
    ziffernAnhaengen(datum, t.tm_mon + 1, 2);
    ziffernAnhaengen(datum, t.tm_mday, 2);
    ziffernAnhaengen(datum, t.tm_hour, 2);
    ziffernAnhaengen(datum, t.tm_min, 2);
    ziffernAnhaengen(datum, t.tm_sec, 2);
    datum += ')';
    neuesObjekt();
    zeileSchreiben("<<");
    zeileSchreiben(datum);
    zeileSchreiben("/Producer (Kav-Humavera)");
    zeileSchreiben(">>");
    zeileSchreiben("endobj");

    neuesObjekt();
    zeileSchreiben("<<");
    zeileSchreiben("/Type /Catalog");
    zeileSchreiben("/Pages 3 0 R");
    zeileSchreiben(">>");
    zeileSchreiben("endobj");

    // Number 3 is the page tree, written when the document is finished.
    ++m_objektZahl;
    m_offsets.resize(static_cast<size_t>(m_objektZahl) + 1);

    neuesObjekt();
    zeileSchreiben("<<");
    zeileSchreiben("/Type /Font");
    zeileSchreiben("/Subtype /Type1");
    zeileSchreiben("/Name /F1");
    zeileSchreiben("/BaseFont /Arial");
    zeileSchreiben("/Encoding /WinAnsiEncoding");
    zeileSchreiben(">>");
    zeileSchreiben("endobj");

    neuesObjekt();
    zeileSchreiben("<<");
    zeileSchreiben("/Font << /F1 4 0 R >>");
    zeileSchreiben("/ProcSet [ /PDF /Text ]");
    zeileSchreiben(">>");
    zeileSchreiben("endobj");
}

void clsPDF::writeTrailer()
{
    objektBeginnen(3);
    zeileSchreiben("<<");
    zeileSchreiben("/Type /Pages");
    zeileSchreiben("/Count " + pdf::ganz(m_seitenZahl));
    zeileSchreiben("/MediaBox [0 0 " + pdf::zahl7(seitenBreite()) + " " + pdf::zahl7(seitenHoehe()) + "]");
    std::string kinder = "/Kids [ ";
    for (int32_t k = 1; k <= m_seitenZahl; ++k) {
        pdf::ganzAnhaengen(kinder, m_seitenObjekte[static_cast<size_t>(k)]);
        kinder += " 0 R ";
    }
    kinder += ']';
    zeileSchreiben(kinder);
    zeileSchreiben(">>");
    zeileSchreiben("endobj");

    if (m_text.size() > 9999999999ULL)
        throw PdfFehler("Das PDF-Dokument ist zu groß.");
    const auto xref = static_cast<long long>(m_text.size());
    zeileSchreiben("xref");
    zeileSchreiben("0 " + pdf::ganz(m_objektZahl + 1LL));
    zeileSchreiben("0000000000 65535 f ");
    for (int32_t n = 1; n <= m_objektZahl; ++n) {
        ziffernAnhaengen(m_text, m_offsets[static_cast<size_t>(n)], 10);
        zeileSchreiben(" 00000 n ");
    }
    zeileSchreiben("trailer");
    zeileSchreiben("<<");
    zeileSchreiben("/Size " + pdf::ganz(m_objektZahl + 1LL));
    zeileSchreiben("/Root 2 0 R");
    zeileSchreiben("/Info 1 0 R");
    zeileSchreiben(">>");
    zeileSchreiben("startxref");
    zeileSchreiben(pdf::ganz(xref));
    zeileSchreiben("%%EOF");
    m_fertigAktuell = true;
}

// ---- pages -------------------------------------------------------------------------------------

void clsPDF::wertePendingSetzen()
{
    if (m_drawWidth != 0)
        m_breitePending = true;
    if (m_drawColor != 0)
        m_farbePending = true;
    if (m_fillColor != 0)
        m_fuellFarbePending = true;
}

void clsPDF::startPage()
{
    if (m_seitenZahl == INT32_MAX)
        throw PdfFehler("Das PDF-Dokument hat zu viele Seiten.");
    ++m_seitenZahl;
    m_seitenObjekte.resize(static_cast<size_t>(m_seitenZahl) + 1);
    m_seitenObjekte[static_cast<size_t>(m_seitenZahl)] = m_objektZahl + 1;

    neuesObjekt();
    const int32_t seite = m_objektZahl;
    zeileSchreiben("<<");
    zeileSchreiben("/Type /Page");
    zeileSchreiben("/Parent 3 0 R");
    zeileSchreiben("/Resources 5 0 R");
    zeileSchreiben("/Contents " + pdf::ganz(seite + 1LL) + " 0 R");
    zeileSchreiben(">>");
    zeileSchreiben("endobj");
    neuesObjekt();
    zeileSchreiben("<<");
    zeileSchreiben("/Length " + pdf::ganz(seite + 2LL) + " 0 R");
    zeileSchreiben(">>");
    // A line feed after "stream": a lone carriage return is not a valid end there.
    m_text += "stream\n";
    m_streamStart = static_cast<int32_t>(m_text.size());

    // A new content stream starts in black with a width of 1.
    wertePendingSetzen();
    operatorSchreiben();
    m_stiftX = 0;
    m_stiftY = m_hoehePortrait;
    ereignis(PageStarted);
    operatorSchreiben();
    m_text += m_grafik;
    m_grafik.clear();
    m_pfadOffen = false;

    if (m_fillColor != 0) {
        zeileSchreiben("0 g");
        // the page text is black; fills after it need their colour again, even when a
        // PageStarted handler has already used it up
        m_fuellFarbePending = true;
    }
    zeileSchreiben("BT");
    zeileSchreiben("/F1 " + pdf::ganz(m_fontSize) + " Tf");
    zeileSchreiben(pdf::zahl7(m_leftMargin) + " " + pdf::zahl7(seitenHoehe() - m_topMargin) + " Td");
    zeileSchreiben(pdf::ganz(m_fontSize) + " TL");
    m_fertigAktuell = false;
}

void clsPDF::endPage()
{
    zeileSchreiben("ET");
    ereignis(PageFinished);
    operatorSchreiben();
    m_text += m_grafik;
    m_grafik.clear();
    m_pfadOffen = false;

    const long long laenge = static_cast<long long>(m_text.size()) - m_streamStart;
    zeileSchreiben("endstream");
    zeileSchreiben("endobj");
    neuesObjekt();
    zeileSchreiben(pdf::ganz(laenge));
    zeileSchreiben("endobj");
    m_zeile = 0;
    m_fertigAktuell = false;
    // Graphics drawn before the next page land in a new content stream, which starts in black.
    wertePendingSetzen();
}

// ---- the finished document ---------------------------------------------------------------------

struct clsPDF::Stand {
    int16_t zeile;
    int32_t seitenZahl, objektZahl, streamStart;
    size_t textLaenge;
    std::string grafik;
    char op;
    bool farbePending, breitePending, fuellFarbePending, pfadOffen, fertigAktuell;
    float stiftX, stiftY;
    int32_t drawColor;
    float drawWidth;
    int32_t fillColor, fillMode;
    int16_t fontSize;
    float hoehePortrait, breitePortrait;
    int32_t orientation, paperSize;
    int16_t linesPerPage;
    float leftMargin, topMargin;
    bool dropBlankPages;
    std::string newPageString;
};

clsPDF::Stand clsPDF::stand() const
{
    // the document only grows at its end: its length is enough to put it back
    return Stand{m_zeile, m_seitenZahl, m_objektZahl, m_streamStart, m_text.size(), m_grafik, m_operator,
                 m_farbePending, m_breitePending, m_fuellFarbePending, m_pfadOffen, m_fertigAktuell, m_stiftX,
                 m_stiftY, m_drawColor, m_drawWidth, m_fillColor, m_fillMode, m_fontSize, m_hoehePortrait,
                 m_breitePortrait, m_orientation, m_paperSize, m_linesPerPage, m_leftMargin, m_topMargin,
                 m_dropBlankPages, m_newPageString};
}

void clsPDF::zurueck(const Stand& s)
{
    m_zeile = s.zeile;
    m_seitenZahl = s.seitenZahl;
    m_objektZahl = s.objektZahl;
    m_streamStart = s.streamStart;
    m_text.resize(s.textLaenge);
    m_grafik = s.grafik;
    m_operator = s.op;
    m_farbePending = s.farbePending;
    m_breitePending = s.breitePending;
    m_fuellFarbePending = s.fuellFarbePending;
    m_pfadOffen = s.pfadOffen;
    m_fertigAktuell = s.fertigAktuell;
    m_stiftX = s.stiftX;
    m_stiftY = s.stiftY;
    m_drawColor = s.drawColor;
    m_drawWidth = s.drawWidth;
    m_fillColor = s.fillColor;
    m_fillMode = s.fillMode;
    m_fontSize = s.fontSize;
    m_hoehePortrait = s.hoehePortrait;
    m_breitePortrait = s.breitePortrait;
    m_orientation = s.orientation;
    m_paperSize = s.paperSize;
    m_linesPerPage = s.linesPerPage;
    m_leftMargin = s.leftMargin;
    m_topMargin = s.topMargin;
    m_dropBlankPages = s.dropBlankPages;
    m_newPageString = s.newPageString;
}

void clsPDF::ereignis(const std::function<void()>& handler)
{
    if (!handler)
        return;
    m_imEreignis = true;
    const auto ende = qScopeGuard([this] { m_imEreignis = false; });
    handler();
}

void clsPDF::nichtImEreignis(const char* was) const
{
    if (m_imEreignis)
        throw PdfFehler(std::string("Während eine Seite begonnen oder abgeschlossen wird, ") + was + ".");
}

void clsPDF::seitenSchritt(const std::function<void()>& schritt)
{
    const Stand vorher = stand();
    try {
        schritt();
    } catch (...) {
        zurueck(vorher);
        throw;
    }
}

const std::string& clsPDF::fertigerText()
{
    nichtImEreignis("kann das PDF-Dokument nicht abgeschlossen werden");
    if (m_fertigAktuell)
        return m_fertig;

    // Finish on top of the current state, keep the result, then put the state back (also what a
    // PageFinished handler may have changed while the page was closed for it).
    const Stand vorher = stand();
    try {
        if (m_zeile != 0)
            endPage();
        writeTrailer();
        m_fertig.assign(m_text);
    } catch (...) {
        zurueck(vorher);
        throw;
    }
    zurueck(vorher);
    m_fertigAktuell = true;
    return m_fertig;
}

std::string clsPDF::Value() { return fertigerText(); }

void clsPDF::SavePDF(const std::string& PathPDF)
{
    const std::string& daten = fertigerText();
    const std::string text = "Die PDF-Datei \xE2\x80\x9E" + PathPDF + "\xE2\x80\x9C konnte nicht geschrieben werden.";
    std::FILE* datei = std::fopen(PathPDF.c_str(), "wb");
    if (!datei)
        throw PdfFehler(text, letzterFehler());
    std::error_code fehler;
    if (std::fwrite(daten.data(), 1, daten.size(), datei) != daten.size())
        fehler = letzterFehler();
    if (std::fclose(datei) != 0 && !fehler)
        fehler = letzterFehler();
    if (fehler) {
        // No half-written document stays behind.
        std::remove(PathPDF.c_str());
        throw PdfFehler(text, fehler);
    }
}

void clsPDF::PrintFile(const std::string& PathTXT)
{
    const std::string text = "Die Textdatei \xE2\x80\x9E" + PathTXT + "\xE2\x80\x9C konnte nicht gelesen werden.";
    std::FILE* datei = std::fopen(PathTXT.c_str(), "rb");
    if (!datei)
        throw PdfFehler(text, letzterFehler());
    std::string bytes;
    char puffer[65536];
    size_t n = 0;
    while ((n = std::fread(puffer, 1, sizeof puffer, datei)) > 0)
        bytes.append(puffer, n);
    const bool fehler = std::ferror(datei) != 0;
    const std::error_code ursache = fehler ? letzterFehler() : std::error_code{};
    std::fclose(datei);
    if (fehler)
        throw PdfFehler(text, ursache);
    PrintText(pdf::ausCp1252(bytes));
}

} // namespace kav
