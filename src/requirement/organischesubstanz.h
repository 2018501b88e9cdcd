#pragma once
// Compost and manure (OrgSubID of Kav.KRN) on the organic-matter step: the materials offered, the
// yearly amount advised for the soil's phosphate supply, and the four credits it gives.
#include "services/wizardstate.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kav {

struct Gebietsschema;

// Compost: amounts in litres; every other material in kilograms.
inline const QString kKompost = QStringLiteral("OS1001");

// Answers to "Haben Sie in diesem Jahr ... bereits Kompost oder Mist ausgebracht?"
inline constexpr int kAntwortJa = 0;
inline constexpr int kAntwortNein = 1;
inline constexpr int kNichtBeantwortet = 2;

// One row of OrgSubID; an empty or unreadable number is nullopt.
struct OrgSubZeile {
    QString OrgSubNr;
    QString Bezeichnung;
    std::optional<double> menge; // yearly base amount per m²
    std::optional<double> N, K2O, Mg; // per litre or kilogram

    // The columns the amount and the credits need that have no value ("menge", "N", "K2O", "Mg").
    QStringList luecken() const;
};

// The key of material i (1 to 6): "OS1001" to "OS1006".
QString OrgSubNummer(int i);

// The row of `orgSubNr`; nullopt when there is none. Throws sql::Error when Kav.KRN cannot be read.
std::optional<OrgSubZeile> OrgSubLesen(const QSqlDatabase& cnKav, const QString& orgSubNr);
// Every row, in the table's order. Throws sql::Error.
std::vector<OrgSubZeile> OrgSubAlleLesen(const QSqlDatabase& cnKav);

// How many of the six materials are offered: compost only after "Nein" on a soil rich in phosphate
// (sngPFaktor 0), else all six.
int OrgSubAnzahl(int antwort, float sngPFaktor);
// The hint under the answer.
QString OrgSubHinweis(int antwort, float sngPFaktor);
// Divisor of the K2O and Mg credits by the crop's days: 3 up to 60, 2 up to 90, else 1.
int OrgSubTeiler(int intKulturTage);
// Factor of the amount: sngPFaktor, or 1 when that is 0.
float OrgSubFaktor(float sngPFaktor);

// "6 l Kompost je m²", "4 kg Rindermist je m²": an amount per square metre whose number, unit and
// material are held together by non-breaking spaces, so that a line never breaks inside it.
QString OrgSubMengeText(const QString& menge, bool kompost, const QString& name);

// The amount of material `z` for the answer: writes strAktOrgSubNr, sngOrgSubMenge and the credits
// sngNWD, sngPWD (the whole P2O5 need), sngKWD, sngMgWD, and returns the advice. A material with an
// empty value changes nothing and returns nullopt (OrgSubLueckenMeldung tells why).
std::optional<QString> AufwandmengeBerechnen(WizardState& s, const OrgSubZeile& z, int antwort, const Gebietsschema& g);
QString OrgSubLueckenMeldung(const OrgSubZeile& z);

// Next without a material chosen: amount and credits 0.
void OrgSubOhneMaterial(WizardState& s);

} // namespace kav
