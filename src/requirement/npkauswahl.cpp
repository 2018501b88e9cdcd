#include "requirement/npkauswahl.h"

#include "plots/flaechendaten.h"
#include "services/gebietsschema.h"
#include "services/sql.h"

#include <algorithm>
#include <cmath>

namespace kav {

std::optional<AnalysenZeile> NeuesteAnalyseLesen(const QSqlDatabase& cnDaten, const QString& flaechenNr)
{
    const QVariant nr = sql::scalar(cnDaten,
                                    QStringLiteral("SELECT z.AnalysenNr FROM ZOFlaechenAnalysen z JOIN AnalysenID a "
                                                   "ON a.AnalysenNr = z.AnalysenNr WHERE z.FlaechenNr = ? "
                                                   "ORDER BY z.Datum DESC, z.rowid DESC LIMIT 1"),
                                    {flaechenNr});
    if (!nr.isValid())
        return std::nullopt;
    return analysenZeileLesen(cnDaten, nr.toString());
}

bool FlaechenWerteLesen(const QSqlDatabase& cnDaten, WizardState& s)
{
    const std::optional<FlaechenZeile> f = flaecheLesen(cnDaten, s.strAktFlaechenNr);
    if (!f)
        return false;
    const auto ganz = [](int v) { return static_cast<qint16>(std::clamp(v, -32768, 32767)); };
    s.sngFlaecheGroesse = std::isfinite(f->Flaeche) ? static_cast<float>(f->Flaeche) : 0.0f;
    s.intFlaecheNutzung = ganz(f->Nutzung);
    s.intFlaecheKompost = ganz(f->Kompost);
    return true;
}

QString BodenartWort(std::optional<int> bodenart)
{
    switch (bodenart.value_or(-1)) {
    case 0:
        return QStringLiteral("leicht");
    case 1:
        return QStringLiteral("mittel");
    case 2:
        return QStringLiteral("schwer");
    default:
        return {};
    }
}

AnalysenAnzeige AnalyseAnzeigen(const AnalysenZeile& a, const Gebietsschema& gebiet)
{
    AnalysenAnzeige z;
    z.datumZeile = QStringLiteral("Aktuellste Analyse vom ") + gebiet.datumText(a.Datum);
    const auto text = [&](const std::optional<double>& v) { return v ? gebiet.zahlText(*v) : QString(); };
    z.txtWert[0] = BodenartWort(a.Bodenart);
    z.txtWert[1] = text(a.GesamtN);
    z.txtWert[2] = text(a.P2O5);
    z.txtWert[3] = text(a.K2O);
    z.txtWert[4] = mgWert(a) == kMgNichtBestimmt ? QStringLiteral("nicht bestimmt") : gebiet.zahlText(mgWert(a));
    z.txtWert[5] = text(a.pH);
    return z;
}

bool BodenwerteUebernehmen(WizardState& s, const AnalysenZeile& a)
{
    const int boden = a.Bodenart.value_or(-1);
    if (!a.GesamtN || !a.P2O5 || !a.K2O || !a.pH || boden < 0 || boden > 2)
        return false;
    s.intBodenart = static_cast<qint16>(boden);
    s.sngOS = static_cast<float>(*a.GesamtN);
    s.sngP2O5 = static_cast<float>(*a.P2O5);
    s.sngK2O = static_cast<float>(*a.K2O);
    s.sngPH = static_cast<float>(*a.pH);
    s.sngMg = static_cast<float>(mgWert(a));
    return true;
}

} // namespace kav
