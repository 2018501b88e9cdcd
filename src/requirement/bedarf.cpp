#include "requirement/bedarf.h"

#include "platform/clock.h"
#include "platform/rounding.h"
#include "requirement/mischkultur.h"
#include "services/calendarweeks.h"
#include "services/meldungen.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

// Day ranges longer than this are data errors; the day-by-day sum stops there.
constexpr qint64 kHoechstensTage = 3660;

// Mineralisation of the days `beginn` to `beginn` + `bisTag` (both included), day by day by the
// Sunday week of each day.
float tageMineralisierung(const QDate& beginn, double bisTag, float jahresMin)
{
    float summe = 0;
    if (!beginn.isValid() || !(bisTag >= 0))
        return summe;
    const qint64 letzter = std::min<qint64>(static_cast<qint64>(std::floor(bisTag)), kHoechstensTage);
    for (qint64 t = 0; t <= letzter; ++t) {
        const double anteil = MineralisierungsAnteil(sonntagsWoche(beginn.addDays(t)));
        summe = static_cast<float>(double(summe) + double(jahresMin) * anteil / 7.0);
    }
    return summe;
}

// Mineralisation of the calendar weeks `von` to `bis` (both included).
float wochenMineralisierung(double von, double bis, float jahresMin)
{
    float summe = 0;
    // Only weeks 13 to 43 carry a share; the loop needs to look at no others.
    const double erste = std::max(std::ceil(von), 1.0);
    const double letzte = std::min(std::floor(bis), 54.0);
    for (int w = static_cast<int>(erste); w <= letzte; ++w)
        summe = static_cast<float>(double(summe) + double(jahresMin) * MineralisierungsAnteil(w));
    return summe;
}

void dauerkulturNachlieferung(WizardState& s, const KulturZeile& k)
{
    // GD up to the first top dressing, KD1 up to the second, KD2 to the end of week 52.
    s.sngNminVorrat = 0;
    const DauerkulturWochen w = DauerkulturWochenBerechnen(k.TerminGD, k.TerminKD1, k.TerminKD2);
    s.sngNachlieferungMinGD = wochenMineralisierung(1, w.kopf1, s.sngNMineralisierung);
    s.sngNachlieferungMinKD1 = wochenMineralisierung(w.kopf1 + 1, w.kopf2, s.sngNMineralisierung);
    s.sngNachlieferungMinKD2 = wochenMineralisierung(w.kopf2 + 1, 52, s.sngNMineralisierung);
    s.sngNachlieferungMin = s.sngNachlieferungMinKD1 + s.sngNachlieferungMinGD + s.sngNachlieferungMinKD2;
}

void jahreskulturNachlieferung(WizardState& s, const KulturZeile& k)
{
    const QDate b = s.datKulturbeginn.date();
    float gd = tageMineralisierung(b, 7.0 * k.TerminKD1, s.sngNMineralisierung);
    float kd1 = tageMineralisierung(b, 7.0 * k.TerminKD2, s.sngNMineralisierung);
    float kd2 = tageMineralisierung(b, k.Tage, s.sngNMineralisierung);

    // From the sums since the start to the amounts of each slot's own period.
    kd1 = kd1 > gd ? kd1 - gd : 0.0f;
    kd2 = kd1 + gd < kd2 ? kd2 - kd1 - gd : 0.0f;

    // The green manure releases its nitrogen evenly over 70 days.
    const int tage = k.Tage;
    const int t3 = rundenGanz(double(tage) / 3.0);
    const int t2 = rundenGanz(double(tage) / 2.0);
    const float teil = s.sngZuschlagGD / 70.0f;
    for (int t = 0; t <= 69; ++t) {
        if (t <= t3)
            gd += teil;
        else if (t <= t2)
            kd1 += teil;
        else if (t <= tage)
            kd2 += teil;
    }

    s.sngNachlieferungMinGD = gd;
    s.sngNachlieferungMinKD1 = kd1;
    s.sngNachlieferungMinKD2 = kd2;
    s.sngNachlieferungMin = kd1 + gd + kd2;
}

} // namespace

QString BedarfsBericht::meldung() const
{
    if (!analyseLuecken.isEmpty())
        return analysenwerteFehlen(analyseLuecken).text;
    if (!kulturLuecken.isEmpty())
        return QStringLiteral("In den Kulturdaten von „%1“ fehlen Werte (%2). Der Nährstoffbedarf kann für diese "
                              "Kultur nicht berechnet werden.")
            .arg(kultur, kulturLuecken.join(QStringLiteral(", ")));
    if (beetOhneMasse)
        return QStringLiteral("Die Länge und die Breite des Beetes müssen größer als 0 sein. "
                              "Für die Mischkultur wurde kein Bedarf berechnet.");
    if (planLeer)
        return QStringLiteral("Die Mischkulturplanung enthält keine Kulturen. "
                              "Für die Mischkultur wurde kein Bedarf berechnet.");
    if (uebersprungen.empty())
        return {};
    QStringList namen;
    for (const UebersprungeneKultur& u : uebersprungen) {
        const QString name = u.Kultur.isEmpty() ? u.KulturID : u.Kultur;
        if (!namen.contains(name))
            namen << name;
    }
    return QStringLiteral("Für folgende Kulturen der Mischkulturplanung fehlen die Kulturdaten oder der "
                          "Reihenabstand; sie wurden bei der Berechnung nicht berücksichtigt: ")
        + namen.join(QStringLiteral(", ")) + QLatin1Char('.');
}

DauerkulturWochen DauerkulturWochenBerechnen(double TerminGD, double TerminKD1, double TerminKD2)
{
    DauerkulturWochen w;
    w.grund = rundenGanz(TerminGD);
    const int tage1 = rundenGanz(TerminKD1 * 7.0);
    const int tage2 = rundenGanz(TerminKD2 * 7.0);
    w.kopf1 = rundenGanz(w.grund + tage1 / 7.0);
    w.kopf2 = std::max(w.kopf1, rundenGanz(w.grund + tage2 / 7.0));
    return w;
}

double MineralisierungsAnteil(int w)
{
    if (w < 13 || w > 43)
        return 0.0;
    if (w <= 14) return 0.01897;
    if (w <= 16) return 0.023;
    if (w <= 18) return 0.025;
    if (w <= 20) return 0.03;
    if (w <= 22) return 0.034;
    if (w <= 24) return 0.038;
    if (w <= 32) return 0.042;
    if (w <= 34) return 0.04;
    if (w <= 36) return 0.034;
    if (w <= 38) return 0.03;
    if (w == 39) return 0.028;
    if (w == 40) return 0.024;
    return 0.022; // 41 to 43
}

float JahresMineralisierung(float sngOS)
{
    if (sngOS < 4.0f)
        return 5;
    if (sngOS <= 8.0f)
        return 10;
    if (sngOS <= 12.0f)
        return 15;
    return 20;
}

float NminVorratBerechnen(float sngNminWert, qint16 intNminEinheit, float sngOS, float bisher)
{
    const bool vorhanden = sngNminWert != -1.0f;
    switch (intNminEinheit) {
    case 0: {
        const float f = sngOS < 15.0f ? static_cast<float>((1.23 - 0.0398 * double(sngOS)) / 0.75) : 0.87f;
        return vorhanden ? static_cast<float>(double(sngNminWert) * double(f) * 0.3 / 4.43) : 2.5f;
    }
    case 1:
        return vorhanden ? sngNminWert : 2.5f;
    case 2:
        return vorhanden ? sngNminWert / 10.0f : 2.5f;
    default:
        return bisher;
    }
}

BedarfsBericht BedarfBerechnen(WizardState& s, QString strKulturNr, QString strAnalysenNr, const Bedarfsquellen& q,
                               const Clock& uhr)
{
    // Read everything first, so that a failing database leaves the state as it was.
    const std::optional<AnalysenZeile> analyse = q.analysen.analyse(strAnalysenNr);
    const bool plan = strKulturNr.startsWith(QLatin1String("ID"));
    std::optional<MischkulturDaten> planDaten;
    std::optional<KulturZeile> kultur;
    if (plan)
        planDaten = MischkulturDatenLesen(strKulturNr, q);
    else
        kultur = q.kulturen.kultur(strKulturNr);

    // an empty value stops the calculation before it changes the state
    BedarfsBericht bericht;
    if (analyse) {
        // the soil group comes from the state, not from the analysis
        bericht.analyseLuecken = fehlendeAnalysenwerte(*analyse);
        bericht.analyseLuecken.removeAll(kNameBodenart);
    }
    if (kultur) {
        for (const QString& spalte : kultur->leer)
            if (s.blnDauerKultur || spalte != QLatin1String("TerminGD"))
                bericht.kulturLuecken << spalte;
        bericht.kultur = kultur->Bezeichnung;
    }
    if (bericht.abgebrochen())
        return bericht;

    if (analyse) {
        s.sngP2O5 = static_cast<float>(*analyse->P2O5);
        s.sngK2O = static_cast<float>(*analyse->K2O);
        s.sngOS = static_cast<float>(*analyse->GesamtN);
        s.sngPH = static_cast<float>(*analyse->pH);
    }
    s.sngNminVorrat = NminVorratBerechnen(s.sngNminWert, s.intNminEinheit, s.sngOS, s.sngNminVorrat);
    s.sngNMineralisierung = s.sngNWD + JahresMineralisierung(s.sngOS);
    s.sngNachlieferungMin = s.sngNachlieferungMinGD = s.sngNachlieferungMinKD1 = s.sngNachlieferungMinKD2 = 0;

    if (plan)
        return MischkulturRechnen(s, *planDaten, uhr);

    if (!kultur) {
        bericht.kulturFehlt = true;
        return bericht;
    }
    s.intKulturTage = kultur->Tage;
    if (s.blnDauerKultur)
        dauerkulturNachlieferung(s, *kultur);
    else
        jahreskulturNachlieferung(s, *kultur);

    s.sngKulturPH = static_cast<float>(kultur->ph);
    s.sngNBedarf = static_cast<float>(kultur->N);
    s.sngNBedarfGD = static_cast<float>(kultur->N * kultur->NGD);
    s.sngNBedarfKD1 = static_cast<float>(kultur->N * kultur->NKD1);
    s.sngNBedarfKD2 = static_cast<float>(kultur->N * kultur->NKD2);
    PKMgBedarfBerechnen(s, static_cast<float>(kultur->P2O5), static_cast<float>(kultur->K2O),
                        static_cast<float>(kultur->Mg));
    return bericht;
}

void PKMgBedarfBerechnen(WizardState& s, float sngP2O5Entzug, float sngK2OEntzug, float sngMgEntzug)
{
    // Factor 2 below the lower bound, 1 up to and including the upper bound, 0 above it.
    const auto faktor = [](float wert, float unter, float bis) { return wert < unter ? 2 : (wert <= bis ? 1 : 0); };
    const auto bedarf = [](int f, float entzug) {
        return f == 2 ? entzug + entzug : (f == 1 ? entzug : 0.0f);
    };

    const int p = s.sngOS <= 15.0f ? faktor(s.sngP2O5, 10.0f, 20.0f) : faktor(s.sngP2O5, 7.0f, 14.0f);
    s.sngPFaktor = static_cast<float>(p);
    s.sngPBedarf = bedarf(p, sngP2O5Entzug);

    int k = -1;
    if (s.sngOS > 15.0f || s.intBodenart == 0)
        k = faktor(s.sngK2O, 8.0f, 15.0f);
    else if (s.intBodenart == 1)
        k = faktor(s.sngK2O, 10.0f, 20.0f);
    else if (s.intBodenart == 2)
        k = faktor(s.sngK2O, 15.0f, 25.0f);
    if (k >= 0) // no rule for another soil group: the need keeps its value
        s.sngKBedarf = bedarf(k, sngK2OEntzug);

    if (s.sngMg == -1.0f) {
        s.sngMgBedarf = -1;
    } else {
        const int mg = s.intBodenart == 0 ? faktor(s.sngMg, 7.0f, 10.0f) : faktor(s.sngMg, 10.0f, 20.0f);
        s.sngMgBedarf = bedarf(mg, sngMgEntzug);
    }
}

} // namespace kav
