#include "plots/wertebereiche.h"

#include "services/gebietsschema.h"

#include <cmath>

namespace kav {

namespace {

struct Bereich {
    double bis;
    const char16_t* name;    // "Der pH-Wert", "Die Länge" ...
    const char16_t* einheit; // after the number, with its blank; empty for none
    bool ohneNull = false;   // 0 lies outside (a side or an area of nothing)
};

constexpr Bereich kAnalyse[5] = {
    {kOrgSubstanzBis, u"Der Gehalt an organischer Substanz", u" %"},
    {kNaehrstoffBis, u"Der Phosphat-Gehalt", u" mg P2O5/100 g"},
    {kNaehrstoffBis, u"Der Kalium-Gehalt", u" mg K2O/100 g"},
    {kNaehrstoffBis, u"Der Magnesium-Gehalt", u" mg Mg/100 g"},
    {kPhBis, u"Der pH-Wert", u""},
};

// by unit of the Nmin value
constexpr Bereich kNmin[3] = {
    {kNminBis[0], u"Der Nmin-Wert", u" mg NO3/l"},
    {kNminBis[1], u"Der Nmin-Wert", u" g N/m²"},
    {kNminBis[2], u"Der Nmin-Wert", u" kg N/ha"},
};

// by Groesse
constexpr Bereich kMasse[3] = {
    {kSeiteBis, u"Die Länge", u" m", true},
    {kSeiteBis, u"Die Breite", u" m", true},
    {kFlaecheBis, u"Die Fläche", u" m²", true},
};

// The value of `text` when it is a number outside the range of `b`.
bool ausserhalb(const QString& text, const Bereich& b, const Gebietsschema& gebiet)
{
    const auto v = gebiet.zahlLesen(text.trimmed());
    return v && std::isfinite(*v) && (*v < 0 || (b.ohneNull && *v == 0) || *v > b.bis);
}

QString bereichText(const Bereich& b, const Gebietsschema& gebiet)
{
    const QString e = QString::fromUtf16(b.einheit);
    return (b.ohneNull ? QStringLiteral("mehr als 0 bis ") : QStringLiteral("0 bis ")) + gebiet.zahlText(b.bis) + e;
}

QString satz(const QString& text, const Bereich& b, const Gebietsschema& gebiet)
{
    return QStringLiteral("%1 %2%3 liegt außerhalb des möglichen Bereichs von %4.")
        .arg(QString::fromUtf16(b.name), text.trimmed(), QString::fromUtf16(b.einheit), bereichText(b, gebiet));
}

QString meldung(const QString& text, const Bereich& b, const Gebietsschema& gebiet)
{
    return satz(text, b, gebiet) + QStringLiteral(" Bitte korrigieren Sie Ihre Eingabe; es wurde nichts gespeichert.");
}

const Bereich& masse(Groesse g) { return kMasse[static_cast<size_t>(g)]; }

} // namespace

std::optional<QString> analyseAusserhalb(const AnalysenTexte& txtWert, const Gebietsschema& gebiet)
{
    for (size_t i = 0; i < txtWert.size(); ++i)
        if (ausserhalb(txtWert[i], kAnalyse[i], gebiet))
            return meldung(txtWert[i], kAnalyse[i], gebiet);
    return std::nullopt;
}

std::optional<QString> bereichsSatz(AnalysenWert wert, const QString& text, const Gebietsschema& gebiet)
{
    const Bereich& b = kAnalyse[static_cast<size_t>(wert)];
    if (!ausserhalb(text, b, gebiet))
        return std::nullopt;
    return QStringLiteral("Dieser Wert liegt außerhalb des möglichen Bereichs von ") + bereichText(b, gebiet)
           + QLatin1Char('.');
}

std::optional<QString> nminAusserhalb(int einheit, const QString& text, const Gebietsschema& gebiet)
{
    const Bereich& b = kNmin[einheit >= 1 && einheit <= 2 ? einheit : 0];
    if (!ausserhalb(text, b, gebiet))
        return std::nullopt;
    return meldung(text, b, gebiet);
}

std::optional<QString> probennahmeAusserhalb(const QDate& datum, const QDate& heute, const Gebietsschema& gebiet)
{
    if (!datum.isValid() || (datum >= kProbennahmeAb && datum <= heute))
        return std::nullopt;
    return QStringLiteral("Das Datum der Probennahme %1 liegt außerhalb des möglichen Bereichs vom %2 bis heute (%3). "
                          "Bitte korrigieren Sie Ihre Eingabe; es wurde nichts gespeichert.")
        .arg(gebiet.datumText(datum), gebiet.datumText(kProbennahmeAb), gebiet.datumText(heute));
}

QString groesseBereich(Groesse g, const Gebietsschema& gebiet) { return bereichText(masse(g), gebiet); }

std::optional<QString> groesseAusserhalb(Groesse g, const QString& text, const Gebietsschema& gebiet)
{
    if (!ausserhalb(text, masse(g), gebiet))
        return std::nullopt;
    return satz(text, masse(g), gebiet);
}

std::optional<QString> masseAusserhalb(const QString& laenge, const QString& breite, const QString& flaeche,
                                       const Gebietsschema& gebiet)
{
    const QString* texte[3] = {&laenge, &breite, &flaeche};
    for (size_t i = 0; i < 3; ++i)
        if (ausserhalb(*texte[i], kMasse[i], gebiet))
            return meldung(*texte[i], kMasse[i], gebiet);
    return std::nullopt;
}

} // namespace kav
