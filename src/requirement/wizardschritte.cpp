#include "requirement/wizardschritte.h"

#include "requirement/bedarf.h"
#include "requirement/restbedarf.h"
#include "services/sql.h"

namespace kav {

namespace {

const QString kTitelBerechnung = QStringLiteral("Humavera - Düngeberechnung");

} // namespace

bool IstDauerkulturGruppe(const QString& key)
{
    static const QStringList gruppen = {QStringLiteral("Ku1003"), QStringLiteral("Ku1004"), QStringLiteral("Ku1005"),
                                        QStringLiteral("Ku1006"), QStringLiteral("Ku1008")};
    return gruppen.contains(key, Qt::CaseInsensitive);
}

bool IstMischkultur(const QString& strKulturNr)
{
    return strKulturNr.compare(QLatin1String("Ku1090"), Qt::CaseInsensitive) == 0
        || strKulturNr.startsWith(QLatin1String("ID"));
}

bool DauerKulturTest(const QString& strAktKulturNr, const QString& elternKey)
{
    if (strAktKulturNr.isEmpty())
        return true;
    return IstDauerkulturGruppe(elternKey) || strAktKulturNr.compare(kDauerKultur, Qt::CaseInsensitive) == 0;
}

QString KulturWeiterSchritt(const WizardState& s)
{
    if (IstMischkultur(s.strAktKulturNr))
        return QStringLiteral("MKEditor");
    return s.blnDauerKultur ? QStringLiteral("NPK2b") : QStringLiteral("NPK2");
}

QString OrgSubZurueckSchritt(const WizardState& s)
{
    return !IstMischkultur(s.strAktKulturNr) && s.blnDauerKultur ? QStringLiteral("NPK1") : QStringLiteral("NPK2");
}

Neuberechnung BedarfNeuBerechnen(WizardState& s, const Bedarfsquellen& q, const Clock& uhr)
{
    Neuberechnung r;
    WizardState t = s;
    BedarfsBericht b;
    try {
        b = BedarfBerechnen(t, t.strAktKulturNr, t.strAktAnalysenNr, q, uhr);
    } catch (const sql::Error&) {
        r.meldung = Meldung{0, kTitelBerechnung,
                            QStringLiteral("Der Nährstoffbedarf konnte nicht berechnet werden, weil die Daten nicht "
                                           "gelesen werden konnten. Ihre Angaben bleiben erhalten."),
                            Meldung::Symbol::Warnung};
        return r;
    }
    if (!b.analyseLuecken.isEmpty()) {
        r.meldung = analysenwerteFehlen(b.analyseLuecken);
        return r;
    }
    if (b.abgebrochen() || b.kulturFehlt) {
        r.meldung = Meldung{0, kTitelBerechnung,
                            b.kulturFehlt ? QStringLiteral("Für die gewählte Kultur sind keine Kulturdaten gespeichert. "
                                                           "Der Nährstoffbedarf kann nicht berechnet werden.")
                                          : b.meldung(),
                            Meldung::Symbol::Information};
        return r;
    }
    RestbedarfBerechnen(t);
    s = std::move(t);
    r.ok = true;
    if (!b.meldung().isEmpty())
        r.meldung = Meldung{0, kTitelBerechnung, b.meldung(), Meldung::Symbol::Information};
    return r;
}

} // namespace kav
