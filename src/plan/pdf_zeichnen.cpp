// clsPDF: text lines, pages, text blocks and vector drawing.
#include "plan/pdf_intern.h"
#include "plan/pdfwriter.h"

#include <climits>
#include <cmath>

namespace kav {

namespace {

void punktAnhaengen(std::string& g, float x, float y)
{
    pdf::zahlAnhaengen(g, x);
    g += ' ';
    pdf::zahlAnhaengen(g, y);
}

} // namespace

// ---- page graphics and the deferred painting operator -----------------------------------------

void clsPDF::grafikAnhaengen(std::string_view text)
{
    m_grafik += text;
    m_fertigAktuell = false;
}

// Writes the flagged colours and width; the caller appends its line (ending with CR) to the result.
std::string& clsPDF::grafikZeile()
{
    if (m_farbePending) {
        m_grafik += pdf::farbOperator(m_drawColor, false);
        m_grafik += '\r';
        m_farbePending = false;
    }
    if (m_fuellFarbePending) {
        m_grafik += pdf::farbOperator(m_fillColor, true);
        m_grafik += '\r';
        m_fuellFarbePending = false;
    }
    if (m_breitePending) {
        pdf::zahlAnhaengen(m_grafik, m_drawWidth);
        m_grafik += " w\r";
        m_breitePending = false;
    }
    m_fertigAktuell = false;
    return m_grafik;
}

void clsPDF::operatorSchreiben()
{
    if (m_operator == 0)
        return;
    const char zeile[2] = {m_operator, '\r'};
    grafikAnhaengen(std::string_view(zeile, 2));
    m_operator = 0;
    m_pfadOffen = false;
}

void clsPDF::operatorSetzen(char op)
{
    if (op == m_operator)
        return;
    operatorSchreiben();
    m_operator = op;
    m_fertigAktuell = false;
}

void clsPDF::fuellOperatorSetzen(int32_t modus)
{
    switch (modus) {
    case -1: operatorSetzen('f'); break;
    case 0: operatorSetzen('S'); break;
    case 1: operatorSetzen('b'); break;
    case 2: operatorSetzen('s'); break;
    default: break; // painted by whatever operator comes next
    }
}

// ---- properties with drawing effects -----------------------------------------------------------

void clsPDF::DrawColor(int32_t Value)
{
    if (Value == m_drawColor)
        return;
    m_drawColor = Value;
    operatorSchreiben();
    m_farbePending = true;
    m_fertigAktuell = false;
}

void clsPDF::FillColor(int32_t Value)
{
    if (Value == m_fillColor)
        return;
    m_fillColor = Value;
    operatorSchreiben();
    m_fuellFarbePending = true;
    m_fertigAktuell = false;
}

void clsPDF::DrawWidth(float Value)
{
    if (Value == m_drawWidth)
        return;
    m_drawWidth = Value;
    operatorSchreiben();
    m_breitePending = true;
    m_fertigAktuell = false;
}

void clsPDF::Color(int32_t Value)
{
    DrawColor(Value);
    FillColor(Value);
}

void clsPDF::FillMode(int32_t Value)
{
    m_fillMode = Value;
    operatorSchreiben();
    fuellOperatorSetzen(Value);
}

// ---- paths ---------------------------------------------------------------------------------------

void clsPDF::MoveTo(float X, float Y)
{
    const float y = seitenHoehe() - Y;
    // Inside a path not yet painted a move to the pen position adds nothing; a new path always
    // begins with its move.
    if (m_pfadOffen && X == m_stiftX && y == m_stiftY)
        return;
    m_stiftX = X;
    m_stiftY = y;
    operatorSchreiben();
    std::string& g = grafikZeile();
    punktAnhaengen(g, X, y);
    g += " m\r";
    m_pfadOffen = true;
}

void clsPDF::DrawLineTo(float X, float Y)
{
    const float y = seitenHoehe() - Y;
    m_stiftX = X;
    m_stiftY = y;
    std::string& g = grafikZeile();
    punktAnhaengen(g, X, y);
    g += " l\r";
    m_pfadOffen = true;
}

void clsPDF::DrawCurveTo(float x1, float y1, float x2, float y2, float x3, float y3)
{
    const float h = seitenHoehe();
    std::string& g = grafikZeile();
    punktAnhaengen(g, x1, h - y1);
    g += ' ';
    punktAnhaengen(g, x2, h - y2);
    g += ' ';
    punktAnhaengen(g, x3, h - y3);
    g += " c\r";
    m_pfadOffen = true;
}

void clsPDF::DrawLine(float x1, float y1, float x2, float y2)
{
    const float h = seitenHoehe();
    const float ya = h - y1;
    const float yb = h - y2;
    m_stiftX = x2;
    m_stiftY = yb;
    operatorSetzen('S');
    std::string& g = grafikZeile();
    punktAnhaengen(g, x1, ya);
    g += " m ";
    punktAnhaengen(g, x2, yb);
    g += " l\r";
    m_pfadOffen = true;
}

void clsPDF::DrawBox(float X, float Y, float Width, float Height) { DrawBox(X, Y, Width, Height, m_fillMode); }

void clsPDF::DrawBox(float X, float Y, float Width, float Height, int32_t FillMode)
{
    const float y = seitenHoehe() - Y - Height;
    fuellOperatorSetzen(FillMode);
    std::string& g = grafikZeile();
    punktAnhaengen(g, X, y);
    g += ' ';
    punktAnhaengen(g, Width, Height);
    g += " re\r";
    m_pfadOffen = true;
}

void clsPDF::DrawShape(int32_t FillMode)
{
    fuellOperatorSetzen(FillMode);
    operatorSchreiben();
}

void clsPDF::DrawCircle(float X, float Y, float r, int32_t FillMode)
{
    const float k = r * 0.5522847f;
    operatorSchreiben();
    MoveTo(X, Y + r);
    DrawCurveTo(X + k, Y + r, X + r, Y + k, X + r, Y);
    DrawCurveTo(X + r, Y - k, X + k, Y - r, X, Y - r);
    DrawCurveTo(X - k, Y - r, X - r, Y - k, X - r, Y);
    DrawCurveTo(X - r, Y + k, X - k, Y + r, X, Y + r);
    DrawShape(FillMode);
}

// ---- text blocks ---------------------------------------------------------------------------------

void clsPDF::DrawText(float X, float Y, std::string_view Text, float Angle)
{
    const float y = seitenHoehe() - Y;
    operatorSchreiben();
    grafikZeile() += "BT\r";
    std::string& g = m_grafik;
    g += "/F1 ";
    pdf::ganzAnhaengen(g, m_fontSize);
    g += " Tf\r";
    if (Angle == 0) {
        punktAnhaengen(g, X, y);
        g += " Td\r";
    } else {
        const auto c = static_cast<float>(std::cos(static_cast<double>(Angle)));
        const auto s = static_cast<float>(std::sin(static_cast<double>(Angle)));
        const std::string cText = pdf::zahl(c);
        const std::string sText = pdf::zahl(s);
        const std::string gedreht = sText.front() == '-' ? sText.substr(1) : "-" + sText;
        g += cText + ' ' + sText + ' ' + gedreht + ' ' + cText + ' ';
        punktAnhaengen(g, X, y);
        g += " Tm\r";
    }
    g += '(';
    pdf::pdfTextAnhaengen(g, Text);
    g += ")'\rET\r";
}

// ---- text lines and pages ------------------------------------------------------------------------

void clsPDF::PrintLine(std::string_view Zeile)
{
    nichtImEreignis("kann keine Textzeile geschrieben werden");
    // A page is closed only when one is open (LinesPerPage 0 would otherwise close a closed page).
    const bool voll = m_zeile == m_linesPerPage && m_zeile != 0;
    if (voll || m_zeile == 0) {
        seitenSchritt([&] {
            if (voll)
                endPage();
            startPage();
        });
    }
    if (m_zeile == INT16_MAX)
        throw PdfFehler("Die Seite hat zu viele Textzeilen.");
    m_text += '(';
    pdf::pdfTextAnhaengen(m_text, Zeile);
    m_text += ")'\r";
    m_fertigAktuell = false;
    ++m_zeile;
}

void clsPDF::NewPage(int16_t FontSize, int16_t LinesPerPage)
{
    nichtImEreignis("kann keine neue Seite begonnen werden");
    seitenSchritt([&] {
        if (FontSize != 0)
            m_fontSize = FontSize;
        if (LinesPerPage != 0)
            m_linesPerPage = LinesPerPage;
        if (m_zeile != 0) {
            endPage();
        } else if (!m_dropBlankPages) {
            startPage();
            endPage();
        }
    });
}

void clsPDF::PrintText(std::string_view Text)
{
    // The line end in use: the first of these found anywhere in the text.
    std::string_view trenner = "\r\n";
    for (std::string_view t : {"\r\n", "\n\r", "\r\r", "\n", "\r"}) {
        if (Text.find(t) != std::string_view::npos) {
            trenner = t;
            break;
        }
    }
    size_t anfang = 0;
    for (;;) {
        const size_t ende = Text.find(trenner, anfang);
        const std::string_view stueck = Text.substr(anfang, ende == std::string_view::npos ? ende : ende - anfang);
        if (stueck == m_newPageString)
            NewPage();
        else
            PrintLine(stueck);
        if (ende == std::string_view::npos)
            break;
        anfang = ende + trenner.size();
    }
}

} // namespace kav
