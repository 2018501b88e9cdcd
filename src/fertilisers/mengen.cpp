#include "fertilisers/mengen.h"

#include "services/gebietsschema.h"
#include "platform/rounding.h"

#include <charconv>
#include <cmath>

namespace kav {

namespace {

// A single as its shortest decimal text in the user's format (3 × 1.5 → "4,5", not "4,500000").
QString singleText(float v, const Gebietsschema& g)
{
    char puffer[32];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, v);
    if (fehler != std::errc())
        return g.zahlText(double(v));
    return g.zahlText(QByteArray(puffer, static_cast<int>(ende - puffer)).toDouble());
}

QString festText(double v, int stellen, const Gebietsschema& g)
{
    QLocale l = g.locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'f', stellen);
}

} // namespace

std::optional<Naehrstoff> DosierNaehrstoff(const QString& typ, Klasse klasse, bool blnOptimal)
{
    const bool n = typ.contains(QLatin1Char('N')), p = typ.contains(QLatin1Char('P'));
    // only what the catalogue offers for use is dosed
    if (klasse != Klasse::Gruen && klasse != Klasse::Gelb)
        return std::nullopt;
    if (typ == QLatin1String("Mg")) {
        if (!blnOptimal && klasse == Klasse::Gelb)
            return std::nullopt;
        return Naehrstoff::Mg;
    }
    if (typ == QLatin1String("K"))
        return Naehrstoff::K;
    if (blnOptimal) {
        if (p)
            return Naehrstoff::P;
        return typ == QLatin1String("NK") ? Naehrstoff::K : Naehrstoff::N;
    }
    if (klasse == Klasse::Gruen)
        return n ? Naehrstoff::N : Naehrstoff::P;
    return p ? Naehrstoff::P : Naehrstoff::N;
}

float Bezugsflaeche(const WizardState& s)
{
    if (s.strAktKulturNr.left(2) == QLatin1String("Ku"))
        return s.sngFlaecheGroesse;
    return s.sngBeetLaenge * s.sngBeetBreite;
}

QString MengenSatz(float menge, const WizardState& s, const Gebietsschema& g)
{
    // the plan's amounts: the whole grams per m² times the area, as Singles
    const float flaeche = Bezugsflaeche(s);
    const float gesamt = menge * flaeche;
    QString text;
    if (gesamt > 1000.0f)
        text = festText(double(gesamt / 1000.0f), 2, g) + QStringLiteral("\u00A0kg");
    else
        text = festText(double(runden(gesamt / 5.0f) * 5.0f), 0, g) + QStringLiteral("\u00A0g");
    return QStringLiteral("Es werden ") + text + QStringLiteral(" Dünger für ") + singleText(flaeche, g)
           + QStringLiteral("\u00A0m² benötigt.");
}

std::optional<Mengenvorschlag> frmNPK3_DuengerMengeBerechnen(const DuengerZeile& d, Klasse klasse, const WizardState& s,
                                                     const Gebietsschema& g)
{
    if (!TypPasst(d))
        return std::nullopt;
    const std::optional<Naehrstoff> nach = DosierNaehrstoff(d.Typ, klasse, s.blnOptimal);
    if (!nach || !(Gehalt(d, *nach) > 0))
        return std::nullopt;
    // the dose is a Single: a tie of its whole grams is decided on the Single (24,5 → 24)
    const float dosis = static_cast<float>(Dosis(s, d, *nach));
    const float ganz = runden(dosis);
    // a dose that rounds to nothing would add a fertiliser without an amount
    if (!std::isfinite(dosis) || !(ganz > 0))
        return std::nullopt;
    Mengenvorschlag m;
    m.dosis = dosis;
    m.menge = ganz;
    m.txtMenge = festText(double(ganz), 0, g);
    m.lblMenge = MengenSatz(ganz, s, g);
    return m;
}

} // namespace kav
