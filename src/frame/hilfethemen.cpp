#include "frame/hilfethemen.h"

#include <array>

namespace kav {

namespace {

struct Thema {
    const char* fenster;
    const char* seite;
};

constexpr std::array<Thema, 14> kThemen{{
    {"Index", "index.htm"},
    {"frmFlaeche", "Flaecheneingabe.htm"},
    {"frmIntro", "Die_Ersten_Schritte.htm"},
    {"frmAnalysenWerte", "Eingabe_Analysenwerte.htm"},
    {"frmNPK", "Berechnung_1.htm"},
    {"frmNPK1", "Berechnung_2.htm"},
    {"frmMKEditor", "Berechnung_2b.htm"},
    {"frmNPK2", "Berechnung_3.htm"},
    {"frmNPK2b", "Berechnung_4.htm"},
    {"frmNPK3", "Berechnung_5.htm"},
    {"frmNPK4", "Berechnung_6.htm"},
    {"frmUeberKav", "UeberKav.htm"},
    {"frmLexikon", "Lexikon.htm"},
    {"frmEinstellungen", "Einstellungen.htm"},
}};

} // namespace

QString hilfeThemaFuer(const QString& fensterName)
{
    for (const Thema& t : kThemen)
        if (fensterName == QLatin1String(t.fenster))
            return QLatin1String(t.seite);
    return QStringLiteral("index.htm");
}

QString hilfeDateiFuer(const QString& hilfeOrdner, const QString& thema)
{
    return hilfeOrdner + QLatin1Char('/') + thema;
}

} // namespace kav
