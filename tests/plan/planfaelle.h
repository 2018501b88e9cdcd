#pragma once
// The prepared wizard states of the plan tests and the rows they need in Daten.KRN: Kohlrabi after
// the fertiliser step, a lawn (permanent crop), a mixed-culture plan of four crops.
#include "services/wizardstate.h"
#include "services/sql.h"

namespace kav::test {

inline const QString kPlanId = QStringLiteral("ID010120270000000001");

// Plot Fl1001 "Gemüsebeet" with analysis An1000 of 15 March 2020 (organic matter 3 %); the plan
// kPlanId of 1 January 2027 on it: Kopfsalat in week 14, Kohlrabi 15, Blumenkohl 18, Möhre 20.
inline void planZeilenSchreiben(const QSqlDatabase& daten)
{
    sql::exec(daten, "INSERT INTO FlaechenID (ID, FlaechenNr, Bezeichnung, Flaeche) VALUES ('x', 'Fl1001', 'Gemüsebeet', 10)");
    sql::exec(daten, "INSERT INTO AnalysenID (AnalysenNr, Datum, Bodenart, GesamtN, P2O5, K2O, Mg, pH) "
                     "VALUES ('An1000', '2020-03-15', 1, 3, 15, 15, 10, 6.5)");
    sql::exec(daten, "INSERT INTO MischkulturID VALUES (?, '2027-01-01 08:00:00', 'Fl1001')", {kPlanId});
    const std::pair<const char*, int> kulturen[] = {{"Ku1010", 14}, {"Ku1025", 15}, {"Ku1026", 18}, {"Ku1021", 20}};
    for (const auto& [nr, start] : kulturen)
        sql::exec(daten, "INSERT INTO MKEditor (ID, MKID, KulturID, Kultur, Start) VALUES (?, ?, ?, ?, ?)",
                  {QLatin1String(nr), kPlanId, QLatin1String(nr), QLatin1String(nr), start});
}

// Plot and analysis above, no organic material, the chosen fertilisers in the order of choice.
inline WizardState zustand(const QString& kultur, float flaeche, std::vector<DuengerAuswahlZeile> duenger)
{
    WizardState s;
    BedarfVariablenZuruecksetzen(s, 0);
    s.strAktFlaechenNr = "Fl1001", s.strAktAnalysenNr = "An1000", s.strAktKulturNr = kultur;
    s.sngFlaecheGroesse = flaeche, s.sngOS = 3, s.intBodenart = 1, s.sngMg = 10, s.sngKulturPH = 1;
    s.rsDuengerAuswahl = std::move(duenger);
    return s;
}

// Kohlrabi on 10 m² from Monday 11 May 2026; 6 g N at the base dressing, 4 at the first top dressing;
// Hornspäne 80 and Superphosphat 30 g/m²; Algenkalk for 250 g CaO.
inline WizardState kohlrabi()
{
    WizardState s = zustand("Ku1025", 10, {{"Du1004", 80, 1}, {"Du1010", 30, 2}});
    s.datKulturbeginn = QDateTime(QDate(2026, 5, 11), QTime(0, 0));
    s.sngNSaldoGD = 6, s.sngNSaldoKD1 = 4, s.sngNSaldoKD2 = 0;
    s.sngDuengerN = 10.4f, s.sngDuengerP = 6.2f;
    s.strAktKalkNr = "Ka1003", s.strAktKalkName = "Algenkalk";
    s.sngKalkCaCO3 = 75, s.sngKalkMgCO3 = 10, s.sngKalkBedarf = 250;
    return s;
}

// Zierrasen (permanent crop) on 50 m²: 6, 4 and 3 g N; 60 g/m² of a lawn fertiliser with 20 % N.
inline WizardState zierrasen()
{
    WizardState s = zustand("Ku1071", 50, {{"Du1029", 60, 1}});
    s.blnDauerKultur = true;
    s.sngNSaldoGD = 6, s.sngNSaldoKD1 = 4, s.sngNSaldoKD2 = 3;
    s.sngDuengerN = 12, s.sngDuengerP = 3, s.sngDuengerK = 4.8f;
    return s;
}

// The plan kPlanId on a bed of 5 × 1.2 m, Nmin 2 g N/m²; Hornmehl 100 and Kalimagnesia 20 g/m². The
// weekly balances come from the requirement calculation.
inline WizardState mischkultur()
{
    WizardState s = zustand(kPlanId, 10, {{"Du1001", 100, 1}, {"Du1016", 20, 2}});
    s.sngBeetLaenge = 5, s.sngBeetBreite = 1.2f, s.sngNminWert = 2, s.intNminEinheit = 1;
    s.sngDuengerN = 14, s.sngDuengerP = 1, s.sngDuengerK = 6;
    return s;
}

} // namespace kav::test
