#include "fertilisers/eignung.h"

#include "services/referenzbereiche.h"

namespace kav {

bool BedarfOffen(float bedarf) { return bedarf >= 2.0f; }

namespace {

std::optional<Naehrstoff> einzelnaehrstoff(const QString& typ)
{
    if (typ == QLatin1String("N"))
        return Naehrstoff::N;
    if (typ == QLatin1String("P"))
        return Naehrstoff::P;
    if (typ == QLatin1String("K"))
        return Naehrstoff::K;
    if (typ == QLatin1String("Mg"))
        return Naehrstoff::Mg;
    return std::nullopt;
}

struct Bedarf {
    bool n, p, k; // open
    double dN, dP, dK;
};

Bedarf bedarf(const DuengerZeile& d, const WizardState& s)
{
    const auto dosis = [&](Naehrstoff x) { return Gehalt(d, x) > 0 ? Dosis(s, d, x) : 0.0; };
    return {BedarfOffen(s.sngNSaldo), BedarfOffen(s.sngPSaldo), BedarfOffen(s.sngKSaldo), dosis(Naehrstoff::N), dosis(Naehrstoff::P),
            dosis(Naehrstoff::K)};
}

// A single-nutrient fertiliser: usable only for the nutrient asked for, while that is open.
Klasse einzeln(Naehrstoff typ, const WizardState& s, Naehrstoff leit)
{
    if (typ != leit)
        return Klasse::Rot;
    return BedarfOffen(Restbedarf(s, leit)) ? Klasse::Gruen : Klasse::Rot;
}

Klasse optimal(const DuengerZeile& d, const WizardState& s, Naehrstoff leit)
{
    const QString& t = d.Typ;
    const Bedarf b = bedarf(d, s);
    const bool P = leit == Naehrstoff::P, K = leit == Naehrstoff::K, N = leit == Naehrstoff::N;
    Klasse k = Klasse::Rot;
    bool mitStickstoff = true;
    if (t == QLatin1String("NPK")) {
        if (b.n && b.p && b.k && P && b.dP <= b.dN && b.dP <= b.dK)
            k = Klasse::Gruen;
    } else if (t == QLatin1String("NP")) {
        if (!K && b.n && b.p && P && b.dP <= b.dN)
            k = Klasse::Gruen;
    } else if (t == QLatin1String("NK")) {
        if (!P && b.n && b.k && K && b.dK <= b.dN)
            k = Klasse::Gruen;
    } else if (t == QLatin1String("PK")) {
        mitStickstoff = false;
        if (!N && b.p && b.k && P && b.dP <= b.dK)
            k = Klasse::Gruen;
    } else {
        return einzeln(*einzelnaehrstoff(t), s, leit);
    }
    // a compound with nitrogen is not dosed on a mixed-culture bed
    if (mitStickstoff && istMischkulturPlan(s))
        k = Klasse::Rot;
    return k;
}

// The method of few fertilisers. `mitLeit`: the tree's rules, which also look at the nutrient to
// cover next; without it the editor's rating.
Klasse wenige(const DuengerZeile& d, const WizardState& s, Naehrstoff leit, bool mitLeit)
{
    const QString& t = d.Typ;
    const Bedarf b = bedarf(d, s);
    // the phosphate a dose for the nitrogen need would bring, against 1.5 times the crop's need
    const auto nachStickstoff = [&] {
        if (b.dN <= b.dP || b.dN * d.P2O5 / 100.0 < 1.5 * double(s.sngPBedarf))
            return Klasse::Gruen;
        return Klasse::Gelb;
    };
    if (t == QLatin1String("NPK"))
        return b.n && b.p && b.k ? nachStickstoff() : Klasse::Rot;
    if (t == QLatin1String("NP"))
        return (mitLeit && leit == Naehrstoff::K) || !b.n || !b.p ? Klasse::Rot : nachStickstoff();
    if (t == QLatin1String("PK"))
        return (mitLeit && leit == Naehrstoff::N) || !b.p || !b.k ? Klasse::Rot : Klasse::Gruen;
    if (t == QLatin1String("NK"))
        return (mitLeit && leit == Naehrstoff::P) || !b.n || !b.k ? Klasse::Rot : Klasse::Gruen;
    const Naehrstoff typ = *einzelnaehrstoff(t);
    if (mitLeit)
        return einzeln(typ, s, leit);
    return BedarfOffen(Restbedarf(s, typ)) ? Klasse::Gruen : Klasse::Rot;
}

} // namespace

QString klassenSchluessel(Klasse k)
{
    switch (k) {
    case Klasse::Gruen: return QStringLiteral("Gruen");
    case Klasse::Gelb: return QStringLiteral("Gelb");
    case Klasse::Rot: return QStringLiteral("Rot");
    case Klasse::Grau: break;
    }
    return QStringLiteral("Grau");
}

std::optional<Klasse> klasseAus(const QString& schluessel)
{
    for (Klasse k : {Klasse::Gruen, Klasse::Gelb, Klasse::Rot, Klasse::Grau})
        if (klassenSchluessel(k) == schluessel)
            return k;
    return std::nullopt;
}

bool frmNPK3_DuengerGruppeErlaubt(const QString& strGruppe)
{
    return strGruppe == QLatin1String("Gruen") || strGruppe == QLatin1String("Gelb");
}

float Restbedarf(const WizardState& s, Naehrstoff n)
{
    switch (n) {
    case Naehrstoff::N: return s.sngNSaldo;
    case Naehrstoff::P: return s.sngPSaldo;
    case Naehrstoff::K: return s.sngKSaldo;
    case Naehrstoff::Mg: break;
    }
    return s.sngMgSaldo;
}

double Gehalt(const DuengerZeile& d, Naehrstoff n)
{
    switch (n) {
    case Naehrstoff::N: return d.N;
    case Naehrstoff::P: return d.P2O5;
    case Naehrstoff::K: return d.K2O;
    case Naehrstoff::Mg: break;
    }
    return d.Mg;
}

double Dosis(const WizardState& s, const DuengerZeile& d, Naehrstoff n)
{
    return 100.0 * double(Restbedarf(s, n)) / Gehalt(d, n);
}

Naehrstoff Leitnaehrstoff(const WizardState& s, bool blnOptimal)
{
    const Naehrstoff folge[2][3] = {{Naehrstoff::N, Naehrstoff::P, Naehrstoff::K},
                                    {Naehrstoff::P, Naehrstoff::K, Naehrstoff::N}};
    for (Naehrstoff n : folge[blnOptimal ? 1 : 0])
        if (BedarfOffen(Restbedarf(s, n)))
            return n;
    return Naehrstoff::Mg;
}

bool TypPasst(const DuengerZeile& d)
{
    static const char* const typen[] = {"N", "P", "K", "NP", "NK", "PK", "NPK", "Mg"};
    bool bekannt = false;
    for (const char* t : typen)
        bekannt = bekannt || d.Typ == QLatin1String(t);
    if (!bekannt)
        return false;
    // a content below the smallest one the editors take (a row stored before they refused it) counts
    // as none: it would give a dose beyond any measure
    const auto hat = [](double gehalt) { return gehalt >= kKleinsterGehalt; };
    if (d.Typ == QLatin1String("Mg"))
        return hat(d.Mg);
    return (!d.Typ.contains(QLatin1Char('N')) || hat(d.N)) && (!d.Typ.contains(QLatin1Char('P')) || hat(d.P2O5))
           && (!d.Typ.contains(QLatin1Char('K')) || hat(d.K2O));
}

Klasse DuengerKlasse(const DuengerZeile& d, const WizardState& s, Naehrstoff leit, bool blnOptimal)
{
    if (!TypPasst(d))
        return Klasse::Rot;
    Klasse k = blnOptimal ? optimal(d, s, leit) : wenige(d, s, leit, true);
    if (!BedarfOffen(s.sngMgSaldo) && s.sngMgBedarf != -1.0f && d.Mg > 5)
        k = Klasse::Rot;
    return k;
}

Klasse DuengerBewerten(const DuengerZeile& d, const WizardState& s, bool blnOptimal)
{
    if (!TypPasst(d))
        return Klasse::Rot;
    const Naehrstoff leit = Leitnaehrstoff(s, blnOptimal);
    return blnOptimal ? optimal(d, s, leit) : wenige(d, s, leit, false);
}

} // namespace kav
