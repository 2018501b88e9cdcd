#pragma once
// The crops the mixed-culture planner offers, read from Kav.KRN: the crops of the groups
// "Pflanzung & Aussaat" (Ku1007) and "Dauerkulturen" (Ku1008) by name, then the single crop Ku1009,
// each with its bar colour from MKFarben where it has one.
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

namespace kav {

struct MischkulturKultur {
    QString KulturNr;
    QString Bezeichnung;
    QString Gruppe;               // "Ku1007", "Ku1008", or empty for the single crop at the top
    std::optional<qint32> Farbe;  // RGB(r, g, b); none without an MKFarben row
};

// The two group nodes of the tree: key and text.
struct MischkulturGruppe {
    const char* schluessel;
    const char16_t* text;
};
inline constexpr MischkulturGruppe kMischkulturGruppen[2] = {{"Ku1007", u"Pflanzung & Aussaat"},
                                                            {"Ku1008", u"Dauerkulturen"}};

// The crops in the tree's order. Throws sql::Error when Kav.KRN cannot be read.
std::vector<MischkulturKultur> MischkulturKulturenLesen(const QSqlDatabase& cnKav);

} // namespace kav
