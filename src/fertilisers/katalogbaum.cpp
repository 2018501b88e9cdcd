#include "fertilisers/katalogbaum.h"

#include "platform/rounding.h"
#include "services/gebietsschema.h"
#include "services/referenzbereiche.h"

#include <cmath>

namespace kav {

namespace {

Baumknoten klassenKnoten(const QString& key, const QString& text, bool auf, const QString& tag = {})
{
    Baumknoten k;
    k.key = key;
    k.tag = tag.isEmpty() ? key : tag;
    k.bild = key;
    k.text = text;
    k.aufgeklappt = auf;
    return k;
}

bool alleGedeckt(const WizardState& s)
{
    return s.sngNSaldo < 2.0f && s.sngPSaldo < 2.0f && s.sngKSaldo < 2.0f && s.sngMgSaldo < 2.0f;
}

void kalkVergessen(WizardState& s)
{
    s.strAktKalkNr = QStringLiteral("x");
    s.strAktKalkName.clear();
    s.sngKalkCaCO3 = s.sngKalkMgCO3 = 0;
}

} // namespace

QString DuengerFrage(Naehrstoff leit)
{
    const char* was = "Stickstoffbedarfs";
    switch (leit) {
    case Naehrstoff::P: was = "Phosphatbedarfs"; break;
    case Naehrstoff::K: was = "Kaliumbedarfs"; break;
    case Naehrstoff::Mg: was = "Magnesiumbedarfs"; break;
    case Naehrstoff::N: break;
    }
    return QStringLiteral("Wählen Sie den Dünger aus, den Sie zur Deckung des %1 nutzen wollen.").arg(QLatin1String(was));
}

QString DuengerKnotenText(const DuengerZeile& d, const Gebietsschema& g)
{
    return d.Bezeichnung + QStringLiteral(" (") + g.zahlText(d.N) + QLatin1Char('+') + g.zahlText(d.P2O5)
           + QLatin1Char('+') + g.zahlText(d.K2O) + QLatin1Char('+') + g.zahlText(d.Mg) + QLatin1Char(')');
}

Katalog DuengerKlassenBauen(const WizardState& s, bool blnOptimal, const std::vector<DuengerZeile>& zeilen,
                            const Gebietsschema& g)
{
    Katalog k;
    k.leit = Leitnaehrstoff(s, blnOptimal);
    k.knoten.push_back(klassenKnoten(QStringLiteral("Gruen"), QStringLiteral("Empfehlenswerte Dünger (Vorrätige & Beispiele)"), true));
    if (!blnOptimal)
        k.knoten.push_back(klassenKnoten(QStringLiteral("Gelb"), QStringLiteral("Weniger empfehlenswerte Dünger"), false));
    k.knoten.push_back(klassenKnoten(QStringLiteral("Rot"), QStringLiteral("Vorrätige, aber nicht verwendbare Dünger"), false));
    k.knoten.push_back(klassenKnoten(QStringLiteral("Grau"), QStringLiteral("Neuen Dünger zur Liste hinzufügen"), false));
    if (zeilen.empty())
        return k;

    k.lblDuenger = DuengerFrage(k.leit);
    for (const DuengerZeile& d : zeilen) {
        const Klasse klasse = DuengerKlasse(d, s, k.leit, blnOptimal);
        // the unusable class lists only the user's own fertilisers
        if (klasse == Klasse::Rot && d.Eingabe == QLatin1String("KRN"))
            continue;
        const QString eltern = klassenSchluessel(klasse);
        for (Baumknoten& kn : k.knoten) {
            if (kn.key == eltern) {
                kn.kinder.push_back({d.DuengerNr, QStringLiteral("Duenger"), d.Typ, DuengerKnotenText(d, g), false, {}});
                break;
            }
        }
    }
    std::erase_if(k.knoten, [](const Baumknoten& kn) {
        return (kn.key == QLatin1String("Rot") || kn.key == QLatin1String("Gelb")) && kn.kinder.empty();
    });
    return k;
}

Katalog KalkKlassenBauen(const std::vector<KalkZeile>& zeilen)
{
    Katalog k;
    k.stand = Katalogstand::Kalk;
    k.leit = Naehrstoff::Mg;
    k.lblDuenger = kKalkFrage;
    k.cmbWeiter = false;
    Baumknoten gruen = klassenKnoten(QStringLiteral("Gruen"), QStringLiteral("Zur Auswahl stehende Kalke"), true);
    for (const KalkZeile& z : zeilen)
        gruen.kinder.push_back({z.KalkNr, QStringLiteral("Kalk"), QStringLiteral("Kalk"), z.Bezeichnung, false, {}});
    k.knoten.push_back(std::move(gruen));
    k.knoten.push_back(klassenKnoten(QStringLiteral("Grau"), QStringLiteral("Neuen Kalkdünger zur Liste hinzufügen"), false,
                                     QStringLiteral("GrauKalk")));
    return k;
}

std::optional<double> KalkDosis(float sngKalkBedarf, double CaCO3, double MgCO3)
{
    // no carbonate, or less than the smallest content the editor takes: no dose
    const double carbonat = CaCO3 + MgCO3;
    if (!(carbonat >= kKleinsterGehalt))
        return std::nullopt;
    const double gramm = 100.0 * double(sngKalkBedarf) / carbonat;
    if (!std::isfinite(gramm))
        return std::nullopt;
    return rundenAuf(gramm, 5.0);
}

KalkEintrag KalkDuengerEintragen(WizardState& s, const QString& KalkNr, const Duengerkatalog& k, const Gebietsschema& g)
{
    KalkEintrag e;
    const std::optional<KalkZeile> z = k.kalk(KalkNr);
    if (!z)
        return e;
    e.Bezeichnung = z->Bezeichnung;
    const std::optional<double> dosis = KalkDosis(s.sngKalkBedarf, z->CaCO3, z->MgCO3);
    if (!dosis) {
        e.ergebnis = KalkErgebnis::OhneCarbonat;
        return e;
    }
    s.strAktKalkNr = z->KalkNr;
    s.strAktKalkName = z->Bezeichnung;
    s.sngKalkCaCO3 = static_cast<float>(z->CaCO3);
    s.sngKalkMgCO3 = static_cast<float>(z->MgCO3);
    e.ergebnis = KalkErgebnis::Eingetragen;
    e.katalog.stand = Katalogstand::Geschlossen;
    e.katalog.leit = Naehrstoff::Mg;
    e.katalog.lblDuenger = kGedeckt;
    // box and sentence show the lime's dose in g/m²
    e.katalog.txtMenge = g.zahlText(*dosis);
    e.katalog.lblMenge = QStringLiteral("Es werden ") + *e.katalog.txtMenge + QStringLiteral("\u00A0g ") + s.strAktKalkName
                         + QStringLiteral(" je\u00A0m² benötigt.");
    e.katalog.cmbWeiter = true;
    return e;
}

Katalog KalkBaumFuellen(WizardState& s, const Duengerkatalog& k, const Gebietsschema& g)
{
    if (s.strAktKalkNr.startsWith(QLatin1String("Ka"))) {
        KalkEintrag e = KalkDuengerEintragen(s, s.strAktKalkNr, k, g);
        if (e.ergebnis == KalkErgebnis::Eingetragen)
            return std::move(e.katalog);
        // the lime chosen before is gone from the catalogue: it is chosen anew
        kalkVergessen(s);
    }
    return KalkKlassenBauen(k.kalkAlle());
}

Katalog DuengerBaumFuellen(WizardState& s, bool blnOptimal, const Duengerkatalog& k, const Gebietsschema& g)
{
    if (alleGedeckt(s)) {
        if (s.sngKalkBedarf > 0.0f)
            return KalkBaumFuellen(s, k, g);
        Katalog zu;
        zu.stand = Katalogstand::Geschlossen;
        zu.leit = Naehrstoff::Mg;
        zu.lblDuenger = kGedeckt;
        zu.lblMenge = QString();
        zu.cmbWeiter = true;
        return zu;
    }
    return DuengerKlassenBauen(s, blnOptimal, k.duengerAlle(), g);
}

} // namespace kav
