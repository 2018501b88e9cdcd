#include "services/wizardstate.h"

namespace kav {

namespace {

void stufe4(WizardState& s)
{
    s.rsDuengerAuswahl.reset();
    s.sngDuengerN = s.sngDuengerP = s.sngDuengerK = s.sngDuengerMg = 0;
    s.strAktKalkNr = QStringLiteral("x");
    s.strAktKalkName.clear();
    s.sngKalkBedarf = s.sngKalkCaCO3 = s.sngKalkMgCO3 = 0;
}

void stufe3(WizardState& s)
{
    s.strAktOrgSubNr = QStringLiteral("x");
    s.intOrgSubAntwort = 2;
    s.sngOrgSubMenge = 0;
    s.sngNWD = s.sngPWD = s.sngKWD = s.sngMgWD = 0;
    stufe4(s);
}

void stufe2(WizardState& s)
{
    s.sngZuschlagGD = 0;
    stufe3(s);
}

void stufe1(WizardState& s)
{
    s.strAktKulturNr.clear();
    s.sngNBedarf = s.sngNBedarfGD = s.sngNBedarfKD1 = s.sngNBedarfKD2 = 0;
    s.sngPBedarf = s.sngKBedarf = s.sngMgBedarf = 0;
    s.sngNachlieferungMin = s.sngNachlieferungMinGD = s.sngNachlieferungMinKD1 = s.sngNachlieferungMinKD2 = 0;
    s.sngNminVorrat = 0;
    s.sngZuschlagGD = 0;
    stufe3(s);
}

void stufe0(WizardState& s)
{
    s.strAktFlaechenNr.clear();
    s.strAktAnalysenNr.clear();
    s.sngPH = s.sngOS = s.sngP2O5 = s.sngK2O = s.sngMg = 0;
    s.sngNminWert = -1;
    s.intNminEinheit = 0;
    stufe1(s);
}

} // namespace

void BedarfVariablenZuruecksetzen(WizardState& s, int intStufe)
{
    switch (intStufe) {
    case 1: stufe1(s); break;
    case 2: stufe2(s); break;
    case 3: stufe3(s); break;
    case 4: stufe4(s); break;
    default: stufe0(s); break;
    }
}

} // namespace kav
