#pragma once
// The state of the requirement wizard: the current plot, analysis and crop, the needs and the chosen
// fertilisers. Every page reads and writes it through the application context.
#include <QDateTime>
#include <QString>
#include <QVector>

#include <optional>
#include <vector>

namespace kav {

// One chosen fertiliser of the list; the plan reads the list sorted by Nr.
struct DuengerAuswahlZeile {
    QString DuengerNr;
    float Menge = 0;  // g/m²
    qint32 Nr = 0;    // place in the order of choice, from 1
};

// One bar of the mixed-culture planner (record 0 stays empty).
struct MischkulturBalken {
    QString KulturID;
    QString Kultur;
    float Top = 0;    // fraction of the bed's height
    float Left = 0;   // fraction of the year's width
    qint16 Dauer = 0; // days
    qint16 start = 0; // calendar week of the start
    qint32 Farbe = 0; // &H00BBGGRR
};

// Values of one calendar week of the mixed-culture calculation.
struct MischkulturWoche {
    float Bedarf = 0;
    float Streifenflaeche = 0;
    float Nachlieferung = 0;
    float Zuschlag = 0;
    float Saldo = 0;
};

struct MischkulturTermin {
    qint16 Woche = 0;
    QString ID;
    QString Bezeichnung;
};

// One dressing of the plan (built by the plan page).
struct DuengerPlanZeile {
    QString Duenger;
    float Menge = 0;
    float NGabe = 0, PGabe = 0, KGabe = 0;
    QString Typ;
    qint32 Nr = 0;
};

struct WizardState {
    // Current choices
    QString strAktFlaechenNr;
    QString strAktAnalysenNr;
    QString strAktGruppierungNr;
    QString strAktKulturNr;
    QString strAktOrgSubNr;
    QString strAktDuengerNr;
    QString strAktKalkNr;
    QString strAktKalkName;
    QString strKategorie;

    // Plot and soil
    float sngFlaecheGroesse = 0;
    qint16 intFlaecheKompost = 0;
    qint16 intFlaecheNutzung = 0;
    qint16 intBodenart = 0;   // 0 light, 1 medium, 2 heavy, 4 none chosen
    float sngPH = 0;
    float sngOS = 0;
    float sngP2O5 = 0;
    float sngK2O = 0;
    float sngMg = 0;          // -1 = not determined

    // Crop and Nmin
    QDateTime datKulturbeginn;
    bool blnDauerKultur = false;
    qint16 intKulturTage = 0;
    float sngKulturPH = 0;
    float sngNminWert = 0;    // -1 = none given
    qint16 intNminEinheit = 0; // 0 mg NO3/l, 1 g N/m², 2 kg N/ha
    float sngNminVorrat = 0;

    // Need
    float sngNBedarf = 0;
    float sngNBedarfGD = 0, sngNBedarfKD1 = 0, sngNBedarfKD2 = 0;
    float sngPBedarf = 0;
    float sngKBedarf = 0;
    float sngMgBedarf = 0;
    float sngPFaktor = 0;
    float sngKalkBedarf = 0;

    // Soil supply and credits
    float sngNMineralisierung = 0;
    float sngNachlieferungMin = 0;
    float sngNachlieferungMinGD = 0, sngNachlieferungMinKD1 = 0, sngNachlieferungMinKD2 = 0;
    float sngZuschlagGD = 0;
    qint16 intOrgSubAntwort = 0; // 0 yes, 1 no, 2 not answered
    float sngOrgSubMenge = 0;
    float sngNWD = 0, sngPWD = 0, sngKWD = 0, sngMgWD = 0;

    // Fertilisers and remaining need
    std::optional<std::vector<DuengerAuswahlZeile>> rsDuengerAuswahl; // nullopt: no list
    float sngDuengerN = 0, sngDuengerP = 0, sngDuengerK = 0, sngDuengerMg = 0;
    float sngKalkCaCO3 = 0;
    float sngKalkMgCO3 = 0;
    float sngNSaldoGD = 0, sngNSaldoKD1 = 0, sngNSaldoKD2 = 0;
    float sngNSaldo = 0;
    float sngPSaldo = 0, sngKSaldo = 0, sngMgSaldo = 0;
    std::vector<DuengerPlanZeile> rsDuengerPlan;

    // Selection method and mixed culture
    bool blnOptimal = false;
    float sngBeetLaenge = 0, sngBeetBreite = 0;
    qint16 intAktBalken = 0;
    std::vector<MischkulturBalken> arrMischkulturBalken;
    std::vector<MischkulturWoche> arrMischkulturWerte;
    std::vector<MischkulturTermin> arrMischkulturTermine;
};

// The crop of the calculation is a mixed-culture plan (its key is the plan's id, "ID…").
inline bool istMischkulturPlan(const WizardState& s) { return s.strAktKulturNr.startsWith(QLatin1String("ID")); }

// Clears the state by level, following the wizard's pages backwards: 4 the fertiliser and lime
// choice, 3 also the organic material, 2 also the green manure, 1 also the crop and the whole
// need, 0 (and any value other than 1 to 4) also the plot, the analysis and the Nmin input.
void BedarfVariablenZuruecksetzen(WizardState& s, int intStufe);

} // namespace kav
