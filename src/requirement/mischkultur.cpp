#include "requirement/mischkultur.h"

#include "platform/clock.h"
#include "platform/rounding.h"
#include "services/calendarweeks.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

constexpr int kLetzteWoche = kMischkulturWochen - 1;

float mineralisierungWoche(const std::vector<MischkulturWoche>& werte, float jahresMin, float laenge, int von,
                           int bis, int reihenabstand)
{
    double summe = 0;
    const int erste = std::max(von, 0);
    const int letzte = std::min(bis, static_cast<int>(werte.size()) - 1);
    for (int w = erste; w <= letzte; ++w) {
        const float streifen = werte[static_cast<size_t>(w)].Streifenflaeche;
        if (!(streifen > 0.0f))
            continue; // nothing stands in this week
        const float teil = static_cast<float>(reihenabstand) * laenge / 100.0f / streifen;
        summe += MineralisierungsAnteil(w) * double(jahresMin) * double(teil);
    }
    return static_cast<float>(summe);
}

int ganzzahl(double v) { return static_cast<int>(std::clamp(std::floor(v), -1.0e6, 1.0e6)); }

// A row that can be computed: its crop data and row spacing.
struct Reihe {
    const PlanZeile* zeile;
    const KulturZeile* kultur;
    double abstand;
};

// The weekly table and the bed's totals for a bed without crops.
void leererPlan(WizardState& s)
{
    s.arrMischkulturWerte.assign(kMischkulturWochen, MischkulturWoche{});
    s.arrMischkulturTermine.assign(1, MischkulturTermin{});
    s.intKulturTage = 0;
    PKMgBedarfBerechnen(s, 0, 0, 0);
    s.sngKulturPH = 1;
}

} // namespace

MischkulturDaten MischkulturDatenLesen(const QString& mkid, const Bedarfsquellen& q)
{
    MischkulturDaten d;
    d.zeilen = q.plaene.planZeilen(mkid);
    std::stable_sort(d.zeilen.begin(), d.zeilen.end(),
                     [](const PlanZeile& a, const PlanZeile& b) { return a.Start < b.Start; });
    QSet<QString> gelesen;
    for (const PlanZeile& z : d.zeilen) {
        if (gelesen.contains(z.KulturID))
            continue;
        gelesen.insert(z.KulturID);
        // a crop with an empty value it needs counts as one without data (the row is skipped and named)
        std::optional<KulturZeile> k = q.kulturen.kultur(z.KulturID);
        if (k && std::all_of(k->leer.begin(), k->leer.end(), [](const QString& spalte) {
                return spalte == QLatin1String("TerminGD") || spalte == QLatin1String("ph");
            }))
            d.kulturen.emplace(z.KulturID, std::move(*k));
        if (std::optional<double> ra = q.reihenabstaende.reihenabstand(z.KulturID))
            d.reihenabstaende.emplace(z.KulturID, *ra);
    }
    return d;
}

BedarfsBericht MischkulturBedarfBerechnen(WizardState& s, const QString& strKulturNr, const Bedarfsquellen& q,
                                          const Clock& uhr)
{
    return MischkulturRechnen(s, MischkulturDatenLesen(strKulturNr, q), uhr);
}

BedarfsBericht MischkulturRechnen(WizardState& s, const MischkulturDaten& d, const Clock& uhr)
{
    BedarfsBericht bericht;
    const float laenge = s.sngBeetLaenge;
    const float breite = s.sngBeetBreite;

    if (!d.zeilen.empty()) {
        const auto erste = std::min_element(d.zeilen.begin(), d.zeilen.end(),
                                            [](const PlanZeile& a, const PlanZeile& b) { return a.Start < b.Start; });
        const QDate beginn = DatumAusKalenderwoche(erste->Start, uhr.today().year());
        if (beginn.isValid())
            s.datKulturbeginn = QDateTime(beginn, QTime(0, 0));
    }
    if (d.zeilen.empty()) {
        bericht.planLeer = true;
        leererPlan(s);
        return bericht;
    }
    if (!(laenge > 0.0f) || !(breite > 0.0f)) {
        bericht.beetOhneMasse = true;
        leererPlan(s);
        return bericht;
    }

    std::vector<Reihe> reihen;
    for (const PlanZeile& z : d.zeilen) {
        const auto k = d.kulturen.find(z.KulturID);
        const auto ra = d.reihenabstaende.find(z.KulturID);
        if (k == d.kulturen.end() || ra == d.reihenabstaende.end() || !std::isfinite(ra->second) || ra->second < 0) {
            bericht.uebersprungen.push_back({z.ID, z.KulturID, z.Kultur});
            continue;
        }
        reihen.push_back({&z, &k->second, ra->second});
    }

    std::vector<MischkulturWoche> w(kMischkulturWochen);
    std::vector<MischkulturTermin> termine(1);
    const float beet = breite * laenge;
    float p = 0, k = 0, mg = 0;

    // First pass: strip areas, dressings with their need, green manure, removal.
    for (const Reihe& r : reihen) {
        const KulturZeile& ku = *r.kultur;
        const int start = r.zeile->Start;
        const double streifen = r.abstand / 100.0 * double(laenge);
        const int ende = ganzzahl(start + ku.Tage / 7.0);
        for (int i = std::max(start, 0); i <= std::min(ende, kLetzteWoche); ++i)
            w[size_t(i)].Streifenflaeche = static_cast<float>(double(w[size_t(i)].Streifenflaeche) + streifen);

        const int t1 = ganzzahl(start + ku.TerminKD1);
        const int t2 = ganzzahl(start + ku.TerminKD2);
        for (int i = 0; i <= kLetzteWoche; ++i) {
            double anteil = 0;
            if (i == start)
                anteil = ku.NGD;
            else if (i == t1)
                anteil = ku.NKD1;
            else if (i == t2)
                anteil = ku.NKD2;
            else {
                if (start <= i && i <= start + 10)
                    w[size_t(i)].Zuschlag = s.sngZuschlagGD / 10.0f;
                continue;
            }
            const double gabe = ku.N * anteil * r.abstand / 100.0 * double(laenge) / double(beet);
            w[size_t(i)].Bedarf = static_cast<float>(double(w[size_t(i)].Bedarf) + gabe);
            termine.push_back({static_cast<qint16>(i), r.zeile->ID, ku.Bezeichnung});
        }

        p = static_cast<float>(double(p) + ku.P2O5 * streifen);
        k = static_cast<float>(double(k) + ku.K2O * streifen);
        mg = static_cast<float>(double(mg) + ku.Mg * streifen);
    }

    // Second pass: each dressing is credited with the mineralisation up to the crop's next dressing
    // or its last week; it needs the strip areas of all crops.
    for (const Reihe& r : reihen) {
        const KulturZeile& ku = *r.kultur;
        const int start = r.zeile->Start;
        const int t1 = rundenGanz(start + ku.TerminKD1);
        const int t2 = rundenGanz(start + ku.TerminKD2);
        const int ende = start + ganzzahl(ku.Tage / 7.0);
        const int ra = rundenGanz(r.abstand);
        for (int i = 0; i <= kLetzteWoche; ++i) {
            int bis = 0;
            if (i == start) {
                if (ku.NGD == 0)
                    continue;
                bis = ku.NKD1 > 0 ? t1 : (ku.NKD2 > 0 ? t2 : ende);
            } else if (i == t1) {
                if (ku.NKD1 == 0)
                    continue;
                bis = ku.NKD2 > 0 ? t2 : ende;
            } else if (i == t2) {
                if (ku.NKD2 == 0)
                    continue;
                bis = ende;
            } else {
                continue;
            }
            const float m = mineralisierungWoche(w, s.sngNMineralisierung, laenge, i + 1, bis, ra);
            w[size_t(i)].Nachlieferung = static_cast<float>(double(w[size_t(i)].Nachlieferung) + double(m));
        }
    }

    const int kw = MischkulturStartwoche(d.zeilen);

    // From week K on, nitrogen is given at most every second week.
    for (int i = kw; i <= kLetzteWoche - 1; i += 2) {
        w[size_t(i)].Bedarf = w[size_t(i + 1)].Bedarf + w[size_t(i)].Bedarf;
        w[size_t(i + 1)].Bedarf = 0;
        w[size_t(i)].Nachlieferung = w[size_t(i + 1)].Nachlieferung + w[size_t(i)].Nachlieferung;
        w[size_t(i + 1)].Nachlieferung = 0;
    }

    // The credits of weeks without a dressing go to the dressing before them.
    for (int i = kw; i <= kLetzteWoche; ++i) {
        if (!(w[size_t(i)].Bedarf > 0.0f))
            continue;
        for (int j = i + 1; j <= kLetzteWoche && w[size_t(j)].Bedarf == 0.0f; ++j) {
            w[size_t(i)].Nachlieferung += w[size_t(j)].Nachlieferung;
            w[size_t(i)].Zuschlag += w[size_t(j)].Zuschlag;
            w[size_t(j)].Nachlieferung = 0;
            w[size_t(j)].Zuschlag = 0;
        }
    }

    for (MischkulturWoche& x : w)
        x.Saldo = x.Bedarf - x.Nachlieferung - x.Zuschlag;
    w[size_t(kw)].Saldo -= s.sngNminVorrat;
    MischkulturSaldenAbschliessen(w);

    // The plan's span: from the Monday of its first week to the end of its last crop.
    const int ersterStart = std::min_element(d.zeilen.begin(), d.zeilen.end(), [](const PlanZeile& a, const PlanZeile& b) {
                                return a.Start < b.Start;
                            })->Start;
    qint64 spanne = 0;
    for (const Reihe& r : reihen)
        spanne = std::max<qint64>(spanne, 7 * qint64(r.zeile->Start - ersterStart) + r.kultur->Tage);

    s.arrMischkulturWerte = std::move(w);
    s.arrMischkulturTermine = std::move(termine);
    s.intKulturTage = static_cast<qint16>(std::min<qint64>(spanne, 365));

    PKMgBedarfBerechnen(s, p, k, mg);
    s.sngPBedarf = s.sngPBedarf / beet;
    s.sngKBedarf = s.sngKBedarf / beet;
    if (s.sngMgBedarf != -1.0f)
        s.sngMgBedarf = s.sngMgBedarf / beet;
    s.sngKulturPH = 1;
    return bericht;
}

float MineralisierungWoche(const WizardState& s, int intVonWoche, int intBisWoche, int intReihenabstand)
{
    return mineralisierungWoche(s.arrMischkulturWerte, s.sngNMineralisierung, s.sngBeetLaenge, intVonWoche,
                                intBisWoche, intReihenabstand);
}

QDate DatumAusKalenderwoche(int woche, int jahr)
{
    if (!QDate(jahr, 1, 4).isValid())
        return {};
    return montagDerIsoWoche(woche, jahr);
}

int MischkulturStartwoche(const std::vector<PlanZeile>& zeilen)
{
    if (zeilen.empty())
        return 1;
    const int start = std::min_element(zeilen.begin(), zeilen.end(), [](const PlanZeile& a, const PlanZeile& b) {
                          return a.Start < b.Start;
                      })->Start;
    return std::clamp(start, 1, 53);
}

int MischkulturStartwoche(const PlanQuelle& q, const QString& mkid)
{
    return MischkulturStartwoche(q.planZeilen(mkid));
}

void MischkulturSaldenAbschliessen(std::vector<MischkulturWoche>& werte)
{
    if (werte.empty())
        return;
    for (size_t i = 0; i + 1 < werte.size(); ++i) {
        if (werte[i].Saldo <= -2.5f) {
            werte[i].Saldo = 0;
            werte[i + 1].Saldo -= 2.5f;
        }
        if (werte[i].Saldo < 1.0f)
            werte[i].Saldo = 0;
    }
    if (werte.back().Saldo < 1.0f)
        werte.back().Saldo = 0;
}

} // namespace kav
