#include "requirement/kompostrat.h"

#include "platform/rounding.h"
#include "services/gebietsschema.h"

#include <cmath>

namespace kav {

std::optional<KompostBoden> KompostBodenLesen(const QString& txtOS, const QString& txtP2O5, const Gebietsschema& g)
{
    const std::optional<double> os = g.zahlLesen(txtOS.trimmed());
    const std::optional<double> p = g.zahlLesen(txtP2O5.trimmed());
    if (!os || !p || !std::isfinite(*os) || !std::isfinite(*p))
        return std::nullopt;
    return KompostBoden{rundenGanz(*os), rundenGanz(*p)};
}

QString KompostKlasse(const QString& orgSubNr, const KompostBoden& b)
{
    if (orgSubNr.compare(kKompost, Qt::CaseInsensitive) == 0)
        return kKlasseGruen;
    const int grenze = b.os > 15 ? 14 : 20;
    return b.p <= grenze ? kKlasseGruen : kKlasseRot;
}

int KompostFaktor(const QString& klasse, const KompostBoden& b)
{
    if (klasse != kKlasseGruen)
        return 0;
    const bool arm = b.os > 15 ? b.p < 7 : b.p < 10;
    return arm ? 2 : 1;
}

QString KompostRat(const QString& klasse, const KompostBoden& b, const QString& knotenText, const OrgSubZeile& z,
                   const Gebietsschema& g)
{
    const int f = KompostFaktor(klasse, b);
    if (f == 0)
        return QStringLiteral("Auf Grund der hohen Phosphatversorgung Ihres Bodens ist eine Ausbringung von ") + knotenText
            + QStringLiteral(" nicht zu empfehlen.");
    if (!z.menge)
        return OrgSubLueckenMeldung(z);
    const bool kompost = z.OrgSubNr.compare(kKompost, Qt::CaseInsensitive) == 0;
    return QStringLiteral("Sie können auf der Fläche einmal jährlich ")
        + OrgSubMengeText(g.zahlText(*z.menge * f), kompost, z.Bezeichnung) + QStringLiteral(" ausbringen.");
}

KompostBaumInhalt KompostBaumEinteilen(const std::vector<OrgSubZeile>& alle, const KompostBoden& b)
{
    KompostBaumInhalt k;
    for (const OrgSubZeile& z : alle)
        (KompostKlasse(z.OrgSubNr, b) == kKlasseGruen ? k.gruen : k.rot).push_back(z);
    if (!k.rot.empty())
        k.meldung = kKompostMistHinweis;
    return k;
}

} // namespace kav
