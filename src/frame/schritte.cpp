#include "frame/schritte.h"

#include <array>
#include <utility>

namespace kav {

namespace {

struct Schritt {
    const char16_t* schluessel;
    const char16_t* fenster;
    const char16_t* zusatz;
    int position;
};

constexpr std::array<Schritt, 9> kSchritte{{
    {u"Analysenwerte", u"frmAnalysenWerte", u" - Ergebnis der Bodenuntersuchung eintragen", 0},
    {u"NPK", u"frmNPK", u" - Düngerbedarfsberechnung - Flächenauswahl", 0},
    {u"NPK1", u"frmNPK1", u" - Düngerbedarfsberechnung - Kulturauswahl", 1},
    {u"MKEditor", u"frmMKEditor", u" - Düngerbedarfsberechnung - Mischkultur planen", 1},
    {u"NPK2", u"frmNPK2", u" - Düngerbedarfsberechnung - Gründüngung", 2},
    {u"NPK2b", u"frmNPK2b", u" - Düngerbedarfsberechnung - Kompost, Mist", 3},
    {u"NPK3", u"frmNPK3", u" - Düngerbedarfsberechnung - Düngerauswahl", 4},
    {u"NPK4", u"frmNPK4", u" - Düngerbedarfsberechnung - Düngeempfehlung", 5},
    {u"Lexikon", u"frmLexikon", u" - Lexikon", 0},
}};

const Schritt* finde(const QString& schluessel)
{
    for (const Schritt& s : kSchritte)
        if (schluessel == QString::fromUtf16(s.schluessel))
            return &s;
    return nullptr;
}

} // namespace

QString titelZusatz(const QString& schritt)
{
    const Schritt* s = finde(schritt);
    return s ? QString::fromUtf16(s->zusatz) : QString();
}

QString titelFuer(const QString& schritt) { return kTitel + titelZusatz(schritt); }

int brotkrumenPosition(const QString& schritt)
{
    const Schritt* s = finde(schritt);
    return s ? s->position : 0;
}

QString relayoutFensterFuer(const QString& schritt)
{
    if (schritt == QLatin1String("Kein"))
        return QStringLiteral("frmIntro");
    const Schritt* s = finde(schritt);
    return s ? QString::fromUtf16(s->fenster) : QString();
}

QString hilfeFensterFuer(const QString& schritt)
{
    if (schritt == QLatin1String("Analysenwerte"))
        return QStringLiteral("frmAnalysenWerte");
    return QStringLiteral("frm") + schritt;
}

int relayoutVerzoegerungFuer(const QString& titel)
{
    const QString ende = titel.right(7);
    if (ende == QLatin1String("Lexikon") || ende == QStringLiteral("Düngeempfehlung").right(7))
        return 750;
    return 1;
}

} // namespace kav
