#include "requirement/restbedarf.h"

#include "services/gebietsschema.h"

namespace kav {

namespace {

// A dressing slot is present with a need above 0 and missing with a need of exactly 0.
enum class Gabe { Vorhanden, Fehlt, Ungueltig };

Gabe gabe(float bedarf)
{
    if (bedarf > 0.0f)
        return Gabe::Vorhanden;
    if (bedarf == 0.0f)
        return Gabe::Fehlt;
    return Gabe::Ungueltig;
}

// A surplus below -2.5 carries exactly 2.5 into the next present slot.
float uebertrag(float x) { return x < -2.5f ? 2.5f : 0.0f; }

void stickstoffJeGabe(WizardState& s)
{
    const float v = s.sngNminVorrat;
    const float nGD = s.sngNBedarfGD, nKD1 = s.sngNBedarfKD1, nKD2 = s.sngNBedarfKD2;
    const float mGD = s.sngNachlieferungMinGD, mKD1 = s.sngNachlieferungMinKD1, mKD2 = s.sngNachlieferungMinKD2;
    const Gabe gd = gabe(nGD), kd1 = gabe(nKD1), kd2 = gabe(nKD2);
    constexpr Gabe J = Gabe::Vorhanden, F = Gabe::Fehlt;

    float rGD = 0, rKD1 = 0, rKD2 = 0;
    if (gd == J && kd1 == J && kd2 == J) {
        rGD = nGD - v - mGD;
        rKD1 = nKD1 - mKD1 - uebertrag(rGD);
        rKD2 = nKD2 - mKD2 - uebertrag(rKD1);
    } else if (gd == F && kd1 == J && kd2 == J) {
        rKD1 = nKD1 - mKD1;
        rKD2 = nKD2 - mKD2 - uebertrag(rKD1);
    } else if (gd == J && kd1 == J && kd2 == F) {
        rGD = nGD - v - mGD;
        rKD1 = nKD1 - mKD1 - mKD2 - uebertrag(rGD);
    } else if (gd == J && kd1 == F && kd2 == J) {
        rGD = nGD - v - mGD - mKD1;
        rKD2 = nKD2 - mKD2 - uebertrag(rGD);
    } else if (gd == J && kd1 == F && kd2 == F) {
        rGD = nGD - v - mGD - mKD1 - mKD2;
    } else if (gd == F && kd1 == J && kd2 == F) {
        rKD1 = nKD1 - mKD1 - mKD2;
    } else if (gd == F && kd1 == F && kd2 == J) {
        rKD2 = nKD2 - mKD2;
    }
    // With no combination (no slot with a need) every slot is 0: nothing of an earlier crop stays.

    s.sngNSaldoGD = rGD < 0.0f ? 0.0f : rGD;
    s.sngNSaldoKD1 = rKD1 < 0.0f ? 0.0f : rKD1;
    s.sngNSaldoKD2 = rKD2 < 0.0f ? 0.0f : rKD2;
    s.sngNSaldo = s.sngNSaldoKD1 + s.sngNSaldoGD + s.sngNSaldoKD2 - s.sngDuengerN;
}

QString zahl(const Gebietsschema& gebiet, float wert)
{
    QLocale l = gebiet.locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(double(wert), 'f', 1);
}

struct Saetze {
    const char16_t* gedeckt;
    const char16_t* bedarf;
    const char16_t* ueberversorgt;
};

constexpr Saetze kStickstoff{u"Der Stickstoffbedarf der Kultur ist gedeckt.", u"Die Kultur hat einen Stickstoffbedarf von ",
                             nullptr};
constexpr Saetze kPhosphat{u"Der Phosphatbedarf der Kultur ist gedeckt.", u"Die Kultur hat einen Phosphatbedarf von ",
                           u"Die Kultur ist leicht mit Phosphat überversorgt."};
constexpr Saetze kKalium{u"Der Kaliumbedarf der Kultur ist gedeckt.", u"Die Kultur hat einen Kaliumbedarf von ",
                         u"Die Kultur ist leicht mit Kalium überversorgt."};
constexpr Saetze kMagnesium{u"Der Magnesiumbedarf der Kultur ist gedeckt.",
                            u"Die Kultur hat einen Magnesiumbedarf von ", nullptr};

enum class Stand { Gedeckt, Bedarf, Ueberversorgt };

QString satz(const Saetze& t, Stand stand, float saldo, const Gebietsschema& gebiet)
{
    switch (stand) {
    case Stand::Bedarf:
        // no line break inside the amount and its unit ("4,9 g/" | "m²")
        return QString::fromUtf16(t.bedarf) + zahl(gebiet, saldo) + QStringLiteral("\u00A0g/\u2060m².");
    case Stand::Ueberversorgt:
        return QString::fromUtf16(t.ueberversorgt);
    case Stand::Gedeckt:
        break;
    }
    return QString::fromUtf16(t.gedeckt);
}

// Open from 2.0 on.
Stand offenAb2(float saldo) { return saldo < 2.0f ? Stand::Gedeckt : Stand::Bedarf; }

// One nutrient at a time, once a fertiliser with it was chosen: oversupplied below -2.0, open from
// 2.0 on, covered in between (-2.0 itself included).
Stand mitDuenger(float saldo)
{
    if (saldo >= 2.0f)
        return Stand::Bedarf;
    if (saldo < -2.0f)
        return Stand::Ueberversorgt;
    return Stand::Gedeckt;
}

} // namespace

void RestbedarfBerechnen(WizardState& s)
{
    const QString art = s.strAktKulturNr.left(2);
    if (art == QLatin1String("Ku")) {
        stickstoffJeGabe(s);
    } else if (art == QLatin1String("ID")) {
        float summe = 0;
        for (const MischkulturWoche& w : s.arrMischkulturWerte)
            summe += w.Saldo;
        s.sngNSaldo = summe - s.sngDuengerN;
    }
    s.sngPSaldo = s.sngPBedarf - s.sngPWD - s.sngDuengerP;
    s.sngKSaldo = s.sngKBedarf - s.sngKWD - s.sngDuengerK;
    s.sngMgSaldo = s.sngMgBedarf - s.sngDuengerMg - s.sngMgWD;
}

QString BedarfsMeldungen::lblVersorgung(int index) const
{
    if (index < 1 || index > 4)
        return {};
    return zeilen[size_t(index - 1)];
}

BedarfsMeldungen BedarfsMeldungenAnzeigen(const WizardState& s, const Gebietsschema& gebiet)
{
    Stand p, k;
    if (s.blnOptimal) {
        p = offenAb2(s.sngPSaldo);
        k = offenAb2(s.sngKSaldo);
    } else {
        p = s.sngDuengerP > 0.0f ? mitDuenger(s.sngPSaldo) : (s.sngPSaldo <= 2.0f ? Stand::Gedeckt : Stand::Bedarf);
        k = s.sngDuengerK > 0.0f ? mitDuenger(s.sngKSaldo) : offenAb2(s.sngKSaldo);
    }
    BedarfsMeldungen m;
    m.zeilen[0] = satz(kStickstoff, offenAb2(s.sngNSaldo), s.sngNSaldo, gebiet);
    m.zeilen[1] = satz(kPhosphat, p, s.sngPSaldo, gebiet);
    m.zeilen[2] = satz(kKalium, k, s.sngKSaldo, gebiet);
    m.zeilen[3] = s.sngMg == -1.0f ? QString() : satz(kMagnesium, offenAb2(s.sngMgSaldo), s.sngMgSaldo, gebiet);
    return m;
}

} // namespace kav
