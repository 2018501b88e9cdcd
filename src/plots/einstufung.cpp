#include "plots/einstufung.h"

#include "platform/rounding.h"
#include "services/gebietsschema.h"

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

// Line break inside a pH caption: a plain line feed (a label drawing the text as it stands shows a
// carriage return as a second break).
const QString kZeilenwechsel = QStringLiteral("\n");

struct PhZeile {
    double L, a, b, c, d, e;
    const char16_t* optimum;
};

// [soil group][humus class A..D]
constexpr PhZeile kPhTabelle[3][4] = {
    {{4.9, 5.7, 5.8, 6.3, 6.4, 6.7, u"Optimal wäre ein Bereich von 5,8 bis 6,3."},
     {4.6, 5.3, 5.4, 5.9, 6.0, 6.3, u"Optimal wäre ein Bereich von 5,4 bis 5,9."},
     {4.2, 4.9, 5.0, 5.5, 5.6, 5.9, u"Optimal wäre ein Bereich von 5 bis 5,5."},
     {3.8, 4.5, 4.6, 5.1, 5.2, 5.5, u"Optimal wäre ein Bereich von 4,6 bis 5,1."}},
    {{5.3, 6.2, 6.3, 7.0, 7.1, 7.4, u"Optimal wäre ein Bereich von 6,3 bis 7."},
     {5.0, 5.7, 5.8, 6.5, 6.6, 7.0, u"Optimal wäre ein Bereich von 5,8 bis 6,5."},
     {4.6, 5.3, 5.4, 6.1, 6.2, 6.5, u"Optimal wäre ein Bereich von 5,4 bis 6,1."},
     {4.1, 4.9, 5.0, 5.7, 5.8, 6.1, u"Optimal wäre ein Bereich von 5 bis 5,7."}},
    {{5.4, 6.3, 6.4, 7.2, 7.3, 7.7, u"Optimal wäre ein Bereich von 6,4 bis 7,2."},
     {5.0, 5.8, 5.9, 6.7, 6.8, 7.2, u"Optimal wäre ein Bereich von 5,9 bis 6,7."},
     {4.6, 5.4, 5.5, 6.3, 6.4, 6.7, u"Optimal wäre ein Bereich von 5,5 bis 6,3."},
     {4.1, 5.0, 5.1, 5.9, 6.0, 6.3, u"Optimal wäre ein Bereich von 5,1 bis 5,9."}},
};

QString orgStufe(long long o)
{
    if (o < 4)
        return QStringLiteral("Ihr Boden ist schwach mit org. Substanz versorgt.");
    if (o <= 8)
        return QStringLiteral("Ihr Boden ist ausreichend mit org. Substanz versorgt.");
    if (o <= 12)
        return QStringLiteral("Ihr Boden ist hoch mit org. Substanz versorgt.");
    return QStringLiteral("Ihr Boden ist sehr hoch mit org. Substanz versorgt.");
}

// Five sentences of a nutrient; `grenzen` are the lowest values of the classes 2 to 5.
QString stufe(long long wert, const int (&grenzen)[4], const char* naehrstoff)
{
    const QString n = QString::fromUtf8(naehrstoff);
    if (wert < grenzen[0])
        return QStringLiteral("Ihr Boden ist mit %1 unterversorgt.").arg(n);
    if (wert < grenzen[1])
        return QStringLiteral("Ihr Boden ist schwach mit %1 versorgt.").arg(n);
    if (wert < grenzen[2])
        return QStringLiteral("Ihr Boden ist optimal mit %1 versorgt.").arg(n);
    if (wert < grenzen[3])
        return QStringLiteral("Ihr Boden ist hoch mit %1 versorgt.").arg(n);
    return QStringLiteral("Ihr Boden ist stark mit %1 überversorgt.").arg(n);
}

std::optional<long long> ganzwert(const QString& text, const Gebietsschema& gebiet)
{
    const auto v = analysenWertLesen(text, gebiet);
    if (!v)
        return std::nullopt;
    // far beyond any laboratory value; keeps the conversion defined
    const double r = std::clamp(runden(*v), -1e15, 1e15);
    return static_cast<long long>(r);
}

QString phSatz(double x, const PhZeile& z)
{
    const QString opt = QString::fromUtf16(z.optimum);
    if (x < z.L)
        return QStringLiteral("Der pH-Wert Ihres Bodens ist recht niedrig.") + kZeilenwechsel + opt;
    if (x >= z.L && x <= z.a)
        return QStringLiteral("Der pH-Wert Ihres Bodens ist ein wenig zu niedrig.") + kZeilenwechsel + opt;
    if (x >= z.b && x <= z.c)
        return QStringLiteral("Der pH-Wert Ihres Bodens ist optimal.");
    if (x >= z.d && x <= z.e)
        return QStringLiteral("Der pH-Wert Ihres Bodens ist ein wenig zu hoch.") + kZeilenwechsel + QLatin1Char(' ') + opt;
    if (x > z.e)
        return QStringLiteral("Der pH-Wert Ihres Bodens ist recht hoch.") + kZeilenwechsel + QLatin1Char(' ') + opt;
    return {}; // between two classes
}

} // namespace

std::optional<double> analysenWertLesen(const QString& text, const Gebietsschema& gebiet)
{
    const auto v = gebiet.zahlLesen(text);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return v;
}

int bodenartAusListenIndex(int listenIndex)
{
    if (listenIndex < 0)
        return kKeineBodenart;
    if (listenIndex <= 2)
        return 0;
    if (listenIndex <= 4)
        return 1;
    return 2;
}

AnalysenSaetze AnalysenWerteEinstufen(const AnalysenTexte& txtWert, int intBodenart, const Gebietsschema& gebiet)
{
    AnalysenSaetze s;

    // Organic matter: whole value for its own class, the columns and the humus class.
    const auto o = ganzwert(txtWert[kOrgSubstanz], gebiet);
    const long long oGanz = o.value_or(0);
    const bool ueber15 = oGanz > 15;
    if (o)
        s[kOrgSubstanz] = orgStufe(*o);

    if (const auto p = ganzwert(txtWert[kP2O5], gebiet)) {
        static constexpr int moor[4] = {3, 7, 15, 22};
        static constexpr int normal[4] = {5, 10, 21, 31};
        s[kP2O5] = stufe(*p, ueber15 ? moor : normal, "Phosphat");
    }

    if (intBodenart == kKeineBodenart)
        return s;

    if (const auto k = ganzwert(txtWert[kK2O], gebiet)) {
        static constexpr int leicht[4] = {4, 8, 16, 26};
        static constexpr int mittel[4] = {5, 10, 21, 31};
        static constexpr int schwer[4] = {7, 15, 26, 36};
        const int(*g)[4] = nullptr;
        if (ueber15 || intBodenart == 0)
            g = &leicht;
        else if (intBodenart == 1)
            g = &mittel;
        else if (intBodenart == 2)
            g = &schwer;
        if (g)
            s[kK2O] = stufe(*k, *g, "Kalium");
    }

    if (const auto m = ganzwert(txtWert[kMg], gebiet)) {
        static constexpr int leicht[4] = {3, 7, 11, 50};
        static constexpr int sonst[4] = {5, 10, 21, 50};
        s[kMg] = stufe(*m, intBodenart == 0 ? leicht : sonst, "Magnesium");
    }

    const auto x = analysenWertLesen(txtWert[kPH], gebiet);
    if (!x)
        return s;
    const auto oReal = analysenWertLesen(txtWert[kOrgSubstanz], gebiet);
    if (oReal && *oReal > 30.0) {
        // moor soil: one line only
        if (*x <= 4.2)
            s[kPH] = QStringLiteral("Der pH-Wert Ihres Bodens ist recht niedrig.");
        else if (*x == 4.3)
            s[kPH] = QStringLiteral("Der pH-Wert Ihres Bodens ist optimal.");
        else if (*x > 4.4)
            s[kPH] = QStringLiteral("Der pH-Wert Ihres Bodens ist recht hoch.");
        return s;
    }
    if (intBodenart < 0 || intBodenart > 2)
        return s;
    const int humus = oGanz <= 4 ? 0 : oGanz <= 8 ? 1 : oGanz <= 15 ? 2 : 3;
    s[kPH] = phSatz(*x, kPhTabelle[intBodenart][humus]);
    return s;
}

} // namespace kav
