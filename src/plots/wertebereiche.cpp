#include "plots/wertebereiche.h"

#include "services/gebietsschema.h"

#include <cmath>

namespace kav {

namespace {

struct Bereich {
    double bis;
    const char16_t* name;    // "Der pH-Wert", "Die Länge" ...
    const char16_t* einheit; // after the number, with its blank; empty for none
};

constexpr Bereich kAnalyse[5] = {
    {kOrgSubstanzBis, u"Der Gehalt an organischer Substanz", u" %"},
    {kNaehrstoffBis, u"Der Phosphat-Gehalt", u" mg P2O5/100 g"},
    {kNaehrstoffBis, u"Der Kalium-Gehalt", u" mg K2O/100 g"},
    {kNaehrstoffBis, u"Der Magnesium-Gehalt", u" mg Mg/100 g"},
    {kPhBis, u"Der pH-Wert", u""},
};

constexpr Bereich kMasse[3] = {
    {kSeiteBis, u"Die Länge", u" m"},
    {kSeiteBis, u"Die Breite", u" m"},
    {kFlaecheBis, u"Die Fläche", u" m²"},
};

// The value of `text` when it is a number outside 0 to `b.bis`.
bool ausserhalb(const QString& text, const Bereich& b, const Gebietsschema& gebiet)
{
    const auto v = gebiet.zahlLesen(text.trimmed());
    return v && std::isfinite(*v) && (*v < 0 || *v > b.bis);
}

QString bereichText(const Bereich& b, const Gebietsschema& gebiet)
{
    const QString e = QString::fromUtf16(b.einheit);
    return QStringLiteral("von 0 bis ") + gebiet.zahlText(b.bis) + e;
}

QString meldung(const QString& text, const Bereich& b, const Gebietsschema& gebiet)
{
    return QStringLiteral("%1 %2%3 liegt außerhalb des möglichen Bereichs %4. Bitte korrigieren Sie Ihre Eingabe; "
                          "es wurde nichts gespeichert.")
        .arg(QString::fromUtf16(b.name), text.trimmed(), QString::fromUtf16(b.einheit), bereichText(b, gebiet));
}

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
    return QStringLiteral("Dieser Wert liegt außerhalb des möglichen Bereichs ") + bereichText(b, gebiet)
           + QLatin1Char('.');
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
