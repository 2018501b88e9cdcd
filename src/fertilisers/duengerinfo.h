#pragma once
// What the notice window tells about one fertiliser of the catalogue: caption by its class, its
// name with the N-P2O5-K2O contents, and the key of its advice text in DuengerInfo.
#include "fertilisers/duengerkatalog.h"
#include "services/wizardstate.h"

#include <QString>

#include <optional>

namespace kav {

struct Gebietsschema;

// The notice window as it is designed; every opening starts from these.
inline const QString kInfoCaption = QStringLiteral("Kav - Ungeeignete Düngerauswahl");
inline const QString kInfoTitel = QStringLiteral("Sie haben einen ungeeigneten Dünger eingegeben");
inline const QString kInfoText = QStringLiteral(
    "Der von Ihnen eingegebene Dünger ist auf Grund seiner Nährstoffgehalte im Vergleich zum Bedarf der Pflanzen "
    "ungeeignet. Die Anwendung würde dazu führen, dass mehr Nährstoffe ausgebracht würden, als Ihre Pflanzen "
    "benötigen. Nutzen Sie bitte einen anderen Dünger.");
// The text for a fertiliser the user has just entered and that does not suit the need.
inline const QString kUngeeignetText = QStringLiteral(
    "Der von Ihnen eingegebene Dünger ist auf Grund seiner Nährstoffgehalte im Vergleich zum Bedarf der Pflanzen "
    "ungeeignet. Die Anwendung würde dazu führen, dass mehr Nährstoffe ausgebracht würden, als Ihre Pflanzen "
    "benötigen. Nutzen Sie bitte einen anderen Dünger.");

struct DuengerInfoInhalt {
    std::optional<QString> caption; // nullopt: the caption stays
    std::optional<QString> titel;   // nullopt: the title line stays (no such fertiliser)
    QString textNr;                 // key of the advice text
};

// For class `strKategorie` ("Gelb", "Rot"; others keep the caption) and the row `d`. An unusable
// single-nutrient fertiliser gets the text of its nutrient (4-0, 5-0, 6-0) while no chosen
// fertiliser supplies it yet, then 1-0; any other unusable one 3-0; one of "Gelb" the key -0.
DuengerInfoInhalt DuengerInfoBestimmen(const QString& strKategorie, const std::optional<DuengerZeile>& d,
                                       const WizardState& s, const Gebietsschema& g);

} // namespace kav
