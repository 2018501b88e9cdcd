#pragma once
// Deleting groups, plots and analyses from Daten.KRN. Each deletion runs in one transaction and
// afterwards removes every row that has lost its owner, until none is left.
#include "plots/datenschreiber.h"

namespace kav {

// Questions of the deletions; the default button is the safe one (Cancel, No).
inline const QString kGruppeLoeschenTitel = QStringLiteral("Humavera");
inline const QString kGruppeLoeschenFrage = QStringLiteral(
    "Sollen alle untergeordneten Punkte ebenfalls gelöscht werden, dann klicken Sie auf 'Ja'.\n\n"
    "Soll nur die gewählte Gruppe gelöscht werden, klicken Sie auf 'Nein'. Alle\n\n"
    "untergeordneten Punkte werden in die nächsthöhere Gliederungsebene verschoben.");
inline const QString kFlaecheLoeschenTitel = QStringLiteral("Flächen löschen");
inline const QString kFlaecheLoeschenFrage = QStringLiteral(
    "Soll die ausgewählte Fläche sowie alle ihr zugeordneten Analysen gelöscht werden?\n\n"
    "Klicken Sie auf 'Ja', um den Löschvorgang abzuschließen.");

inline const QString kAnalyseLoeschenTitel = QStringLiteral("Analyse löschen");
// The question before an analysis is deleted, naming its sampling date and its plot as the tree
// shows them (a right click may have landed on the wrong row).
inline QString analyseLoeschenFrage(const QString& datum, const QString& flaeche)
{
    return QStringLiteral("Soll die Analyse vom %1 der Fläche „%2“ gelöscht werden?").arg(datum, flaeche);
}

class Loeschungen : public DatenSchreiber {
public:
    explicit Loeschungen(QSqlDatabase cnDaten);

    Schreibergebnis GruppeMitUnterpunktenLoeschen(const QString& flaechenNr);
    // Moves the group's children to its parent, then deletes the group.
    Schreibergebnis GruppeAufloesen(const QString& flaechenNr);
    Schreibergebnis FlaecheLoeschen(const QString& flaechenNr);
    // Deletes one analysis with its assignments.
    Schreibergebnis AnalyseLoeschen(const QString& analysenNr);

private:
    // Deletes the group or plot, then every row left without its owner (with `gruppe` also entries
    // whose group is gone).
    Schreibergebnis eintragLoeschen(const QString& flaechenNr, bool gruppe, const QString& wennFehler);
    void aufraeumen(bool mitFlaechen);
};

} // namespace kav
