#include "plan/bilanzprotokoll.h"

#include "plan/duengeplan.h"
#include "requirement/mischkultur.h"
#include "services/calendarweeks.h"
#include "services/gebietsschema.h"

#include <QFile>
#include <QStringList>

#include <cmath>

namespace kav {

namespace {

// A number as a print statement writes it into a file: a blank before a value that is not
// negative, one blank after it.
QString gedruckt(const QString& zahl) { return (zahl.startsWith(QLatin1Char('-')) ? zahl : QLatin1Char(' ') + zahl) + QLatin1Char(' '); }

QStringList mischkulturBlock(const WizardState& s, const Gebietsschema& g)
{
    QStringList z;
    for (int w = 1; w <= 54; ++w) {
        const MischkulturWoche& m = s.arrMischkulturWerte[static_cast<size_t>(w)];
        z << gedruckt(QString::number(w)) << QStringLiteral("Bedarf: ") + gedruckt(EinfacheZahl(m.Bedarf, g))
          << QStringLiteral("Nach: ") + gedruckt(EinfacheZahl(m.Nachlieferung, g))
          << QStringLiteral("Saldo ;") + gedruckt(EinfacheZahl(m.Saldo, g))
          << QStringLiteral("Flaeche ;") + gedruckt(EinfacheZahl(m.Streifenflaeche, g));
    }
    for (size_t e = 1; e < s.arrMischkulturTermine.size(); ++e)
        z << s.arrMischkulturTermine[e].Bezeichnung << gedruckt(QString::number(s.arrMischkulturTermine[e].Woche));
    return z;
}

QStringList kulturBlock(const WizardState& s, const KulturZeile& k, const Gebietsschema& g)
{
    const QDate b = s.datKulturbeginn.date();
    const auto woche = [&](double tage) { return QString::number(sonntagsWoche(b.addDays(static_cast<qint64>(std::floor(tage))))); };
    const auto zahl = [&](float v) { return EinfacheZahl(v, g); };
    return {QStringLiteral("FlächenNr = ") + s.strAktFlaechenNr,
            QStringLiteral("Kultur = ") + k.Bezeichnung,
            QStringLiteral("Datum = ") + b.toString(QStringLiteral("dd.MM.")),
            QStringLiteral("1. KD = ") + woche(k.Tage / 3.0),
            QStringLiteral("2. KD = ") + woche(k.Tage / 2.0),
            QStringLiteral("Ernte = ") + woche(k.Tage),
            QStringLiteral("Kulturdauer = ") + QString::number(k.Tage),
            QStringLiteral("sngOS = ") + zahl(s.sngOS),
            QStringLiteral("sngNSaldo = ") + zahl(s.sngNSaldo),
            QStringLiteral("sngNSaldoGD= ") + zahl(s.sngNSaldoGD),
            QStringLiteral("sngNSaldoKD1 = ") + zahl(s.sngNSaldoKD1),
            QStringLiteral("sngNSaldoKD2 = ") + zahl(s.sngNSaldoKD2),
            QStringLiteral("sngNBedarf = ") + zahl(s.sngNBedarf),
            QStringLiteral("sngNBedarfGD= ") + zahl(s.sngNBedarfGD),
            QStringLiteral("sngNBedarfKD1 = ") + zahl(s.sngNBedarfKD1),
            QStringLiteral("sngNBedarfKD2 = ") + zahl(s.sngNBedarfKD2),
            QStringLiteral("sngNachlieferungMin = ") + zahl(s.sngNachlieferungMin),
            QStringLiteral("sngNachlieferungMinGD = ") + zahl(s.sngNachlieferungMinGD),
            QStringLiteral("sngNachlieferungMinKD1 = ") + zahl(s.sngNachlieferungMinKD1),
            QStringLiteral("sngNachlieferungMinKD2 = ") + zahl(s.sngNachlieferungMinKD2),
            QStringLiteral("sngNminVorrat = ") + zahl(s.sngNminVorrat),
            QStringLiteral("sngNWD = ") + zahl(s.sngNWD),
            QStringLiteral("sngZuschlagGD = ") + zahl(s.sngZuschlagGD),
            QString(33, QLatin1Char('='))};
}

} // namespace

bool frmNPK4_BilanzProtokollieren(const WizardState& s, const KulturQuelle& q, const Gebietsschema& g,
                                  const QString& datei)
{
    QStringList zeilen;
    if (istMischkulturPlan(s)) {
        if (s.arrMischkulturWerte.size() < static_cast<size_t>(kMischkulturWochen))
            return false;
        zeilen = mischkulturBlock(s, g);
    } else {
        const std::optional<KulturZeile> k = q.kultur(s.strAktKulturNr);
        if (!k)
            return false;
        zeilen = kulturBlock(s, *k, g);
    }
    QFile f(datei);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray text = (zeilen.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    return f.write(text) == text.size();
}

} // namespace kav
