#pragma once
// The catalogues of fertilisers (DuengerID) and liming materials (KalkID) in Kav.KRN, with the
// advice texts of the notice window (DuengerInfo): reading, and the user's own rows written,
// changed and deleted. Every value is bound; every write runs in one transaction.
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

namespace kav {

class Clock;
class RandomSource;

// One fertiliser of the catalogue; contents in percent of its mass.
struct DuengerZeile {
    QString DuengerNr;
    QString Typ;
    QString Eingabe;     // "KRN" delivered with the reference data, otherwise the user's own
    QString Bezeichnung;
    double N = 0, P2O5 = 0, K2O = 0, Mg = 0;
    int Norg = 0;        // 1: nitrogen in organic form
};

// One liming material; carbonate contents in percent.
struct KalkZeile {
    QString KalkNr;
    QString Eingabe;
    QString Bezeichnung;
    double CaCO3 = 0, MgCO3 = 0;
};

// What the fertiliser editor stores.
struct DuengerDaten {
    QString Bezeichnung;
    double N = 0, P2O5 = 0, K2O = 0, Mg = 0;
    bool Norg = false;
};

// What the lime editor stores.
struct KalkDaten {
    QString Bezeichnung;
    double CaCO3 = 0, MgCO3 = 0;
};

// Origin marker of the user's own rows.
inline const QString kEingabeNutzer = QStringLiteral("Nutzer");

// The nutrient type of contents: "N", "P", "K" joined in this order for every content above 0; only
// without any of them and with Mg above 0 "Mg"; empty when all four are 0.
QString DuengerTyp(double N, double P2O5, double K2O, double Mg);

class Duengerkatalog {
public:
    Duengerkatalog(QSqlDatabase cnKav, const Clock& uhr, RandomSource& zufall);

    // Reading (sql::Error when the file fails). The whole catalogue comes in the order of the table.
    std::vector<DuengerZeile> duengerAlle() const;
    std::optional<DuengerZeile> duenger(const QString& duengerNr) const;
    std::vector<KalkZeile> kalkAlle() const;
    std::optional<KalkZeile> kalk(const QString& kalkNr) const;
    std::optional<QString> infoText(const QString& textNr) const;

    // A row with the same name (case aside) and the same contents, compared as numbers.
    std::optional<DuengerZeile> duengerGleich(const DuengerDaten& d) const;
    std::optional<KalkZeile> kalkGleich(const KalkDaten& d) const;

    // Writing, each in one transaction (sql::Error on failure, nothing written). A new row gets the
    // next number, a row id and "Nutzer"; a changed row keeps number and id and becomes "Nutzer".
    // The change functions return false when the row is no longer there.
    QString duengerNeu(const DuengerDaten& d);
    bool duengerAendern(const QString& duengerNr, const DuengerDaten& d);
    QString kalkNeu(const KalkDaten& d);
    bool kalkAendern(const QString& kalkNr, const KalkDaten& d);
    bool duengerLoeschen(const QString& duengerNr);
    bool kalkLoeschen(const QString& kalkNr);

private:
    QString jetzt() const;

    QSqlDatabase m_db;
    const Clock& m_uhr;
    RandomSource& m_zufall;
};

} // namespace kav
