#pragma once
// Plots and groups in FlaechenID of Daten.KRN: reading, and storing what the plot and group dialogs
// give. Every command that writes runs in one transaction.
#include "plots/datenschreiber.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <optional>

namespace kav {

struct Gebietsschema;

// Largest length of a plot's or group's name.
inline constexpr int kNameLaengeMax = 20;

// One row of FlaechenID (a plot or a group).
struct FlaechenZeile {
    QString ID;
    QString FlaechenNr;
    bool Gliederungspunkt = false;
    qint64 GruppierungNr = 0;
    bool AktuellerDatensatz = true;
    QString Bezeichnung;
    double Laenge = 0, Breite = 0, Flaeche = 0;
    int Kompost = 0;
    int Nutzung = 0;
    QString LetzteAenderung;
};

// The plot or group `flaechenNr`; nullopt when there is none. Throws sql::Error when the file cannot be read.
std::optional<FlaechenZeile> flaecheLesen(const QSqlDatabase& cnDaten, const QString& flaechenNr);

// The plot dialog's input; sizes as typed (empty counts as 0).
struct FlaechenEingabe {
    QString Bezeichnung;
    int Nutzung = 0;
    QString txtLaenge, txtBreite, txtFlaeche;
    int Kompost = 1; // 1: compost applied regularly, 0: none
    bool AktuellerDatensatz = true;
};

class FlaechenDaten : public DatenSchreiber {
public:
    FlaechenDaten(QSqlDatabase cnDaten, const Gebietsschema& gebiet, const Clock& uhr, RandomSource& zufall);

    // Plot dialog: new plot under the group `strAktGruppierungNr` ("0" top level), or a change.
    Schreibergebnis flaecheNeu(const FlaechenEingabe& e, const QString& strAktGruppierungNr);
    Schreibergebnis flaecheAendern(const QString& flaechenNr, const FlaechenEingabe& e);
    // Group dialog. A new group is always current; a change writes name and flag only.
    Schreibergebnis gruppeNeu(const QString& Bezeichnung, const QString& strAktGruppierungNr);
    Schreibergebnis gruppeAendern(const QString& flaechenNr, const QString& Bezeichnung, bool AktuellerDatensatz);

private:
    // A new entry under the group `strAktGruppierungNr`: checks that the group is there, takes the next
    // number (into r.FlaechenNr) and runs `anweisung` with a new row id, the number, the group's number
    // part and `werte`. False (with the reason in r) when the group is gone.
    bool eintragEinfuegen(Schreibergebnis& r, const QString& strAktGruppierungNr, const QString& anweisung,
                          const QVariantList& werte, QStringView punkt);
    struct Masse {
        double laenge = 0, breite = 0, flaeche = 0;
    };
    // Checks the name and the sizes of the plot dialog, then runs `schreiben` in one transaction.
    Schreibergebnis flaecheSchreiben(const FlaechenEingabe& e,
                                     const std::function<bool(Schreibergebnis&, const Masse&)>& schreiben);
    bool istGruppe(qint64 nummer) const;

    const Gebietsschema& m_gebiet;
};

} // namespace kav
