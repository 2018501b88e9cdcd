#include "fertilisers/katalogeingabe.h"

#include "services/gebietsschema.h"
#include "services/namensregeln.h"
#include "services/referenzbereiche.h"

namespace kav {

namespace {

// The contents as numbers; nullopt (with the message) for text that is no number in the range of
// its column or a sum above 100 %.
template <size_t N>
std::optional<std::array<double, N>> gehalteLesen(const std::array<QString, N>& texte, const QString& tabelle,
                                                  const QString& was, const Gebietsschema& g, QString& meldung)
{
    const QStringList spalten = gehaltSpalten(tabelle);
    std::array<double, N> werte{};
    double summe = 0;
    for (size_t i = 0; i < N; ++i) {
        const QString t = texte[i].trimmed();
        if (t.isEmpty())
            continue;
        const Referenzbereich* b = referenzbereich(tabelle, spalten.value(static_cast<qsizetype>(i)));
        const std::optional<double> v = g.zahlLesen(t);
        if (!b || !v || !imBereich(*b, *v)) {
            meldung = QStringLiteral("„%1“ ist kein gültiger Gehalt. Die %2 werden in Prozent angegeben, als Zahlen "
                                     "%3.")
                          .arg(t, was, b ? bereichText(*b, g) : QString());
            return std::nullopt;
        }
        werte[i] = *v;
        summe += *v;
    }
    if (summe > kGehaltSummeBis) {
        meldung = QStringLiteral("Die %1 ergeben zusammen mehr als 100 %. Bitte korrigieren Sie Ihre Eingabe.").arg(was);
        return std::nullopt;
    }
    return werte;
}

// Why the name cannot be stored; empty when it can (or is empty: the caller asks for one).
QString nameFehler(const Namenspruefung& p)
{
    if (p.fehler == Namenspruefung::Fehler::ZuLang)
        return QStringLiteral("Die Bezeichnung darf höchstens %1 Zeichen lang sein. Bitte kürzen Sie sie.")
            .arg(kKatalogNameLaengeMax);
    if (p.fehler == Namenspruefung::Fehler::Steuerzeichen)
        return QStringLiteral("Die Bezeichnung darf keine Steuerzeichen (wie Zeilenumbruch oder Tabulator) enthalten. "
                              "Bitte korrigieren Sie Ihre Eingabe.");
    return {};
}

} // namespace

DuengerPruefung DuengerEingabePruefen(const QString& name, const std::array<QString, 4>& gehalte, bool norg,
                                      const Gebietsschema& g)
{
    DuengerPruefung p;
    const Namenspruefung n = namePruefen(name, kKatalogNameLaengeMax);
    if (n.fehler == Namenspruefung::Fehler::Leer) {
        p.ohneName = true;
        return p;
    }
    p.meldung = nameFehler(n);
    if (!p.meldung.isEmpty())
        return p;
    const auto w = gehalteLesen(gehalte, QStringLiteral("DuengerID"), QStringLiteral("Nährstoffgehalte"), g, p.meldung);
    if (!w)
        return p;
    if ((*w)[0] <= 0 && (*w)[1] <= 0 && (*w)[2] <= 0 && (*w)[3] <= 0) {
        p.meldung = QStringLiteral("Der Dünger enthält keinen der Nährstoffe N, P2O5, K2O oder MgO. Ein Dünger ohne "
                                   "Nährstoffgehalte wird nicht gespeichert.");
        return p;
    }
    p.daten = DuengerDaten{n.name, (*w)[0], (*w)[1], (*w)[2], (*w)[3], norg};
    return p;
}

KalkPruefung KalkEingabePruefen(const QString& name, const QString& caco3, const QString& mgco3, const Gebietsschema& g)
{
    KalkPruefung p;
    const Namenspruefung n = namePruefen(name, kKatalogNameLaengeMax);
    if (n.fehler == Namenspruefung::Fehler::Leer) {
        p.ohneName = true;
        return p;
    }
    p.meldung = nameFehler(n);
    if (!p.meldung.isEmpty())
        return p;
    const auto w = gehalteLesen(std::array<QString, 2>{caco3, mgco3}, QStringLiteral("KalkID"),
                                QStringLiteral("Karbonatgehalte"), g, p.meldung);
    if (!w)
        return p;
    if ((*w)[0] + (*w)[1] <= 0) {
        p.meldung = QStringLiteral("Ein Kalk ohne CaCO3 und MgCO3 kann den Kalkbedarf des Bodens nicht decken. Bitte "
                                   "geben Sie seine Karbonatgehalte ein.");
        return p;
    }
    p.daten = KalkDaten{n.name, (*w)[0], (*w)[1]};
    return p;
}

} // namespace kav
