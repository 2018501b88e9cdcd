#pragma once
// The trees of the first two wizard steps, without widgets: the plots that have a soil analysis under
// their groups, and the crops with the mixed-culture plans saved for the chosen plot.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

namespace kav {

struct Gebietsschema;

// Node vocabulary of both trees.
inline const QString kNPKWurzel = QStringLiteral("Fl0");
inline const QString kTagGruppe = QStringLiteral("Grp");
inline const QString kTagFlaecheNPK = QStringLiteral("Flaeche");
inline const QString kTagKultur = QStringLiteral("Kultur");
inline const QString kTagEinzel = QStringLiteral("Einzel");
inline const QString kTagPlanOrdner = QStringLiteral("MK");
inline const QString kMischkulturGruppe = QStringLiteral("Ku1089");
inline const QString kNeueMischkultur = QStringLiteral("Ku1090");
inline const QString kPlanOrdnerText = QStringLiteral("Auf der Fläche geplante Mischkulturen");

struct NPKKnoten {
    QString key;
    QString text;
    QString tag;
    QString bild;     // key of the picture in the page's image list
    int eltern = -1;  // index of the parent node, -1 at the top
};

// Nodes in display order: a node comes after its parent, siblings in their order.
struct NPKBaumDaten {
    std::vector<NPKKnoten> knoten;

    int finde(const QString& key) const;
    std::vector<int> kinder(int index) const;
    QString elternKey(int index) const;
};

// The plot tree: the root "Fl0" "Flächen"; every group directly below it (by name); each plot that has
// an analysis below its group (by name), or below the root after the groups when it belongs to no
// group that exists. Groups without such a plot are left out; with no such plot at all the tree is
// empty. Tags and pictures "Grp", plots "Flaeche". Throws sql::Error when the file cannot be read.
NPKBaumDaten FlaechenBaumLesen(const QSqlDatabase& cnDaten);

// The crop tree: the current crop groups (top-level groups show their own key as picture, lower ones
// inherit it) in key order whatever order the rows come in, their crops by name ("Kultur"), the
// single crops of a combined crop below it ("Einzel"); below "Ku1089" the folder of the plans saved
// for plot `strAktFlaechenNr` (key the plot's number, tag "MK") with one node per plan in the order of
// planning ("Planung vom " and the date; key and tag the plan id). A group whose parent group is
// missing is left out with everything below it. Throws sql::Error when Kav.KRN cannot be read; plans
// that cannot be read are left out.
NPKBaumDaten KulturBaumLesen(const QSqlDatabase& cnKav, const QSqlDatabase& cnDaten, const QString& strAktFlaechenNr,
                             const Gebietsschema& gebiet);

// The text of a combined crop: "Name (A, B & C)", "Name (A & B)", "Name (A)"; the name alone without
// members.
QString KombinierterText(const QString& name, const QStringList& glieder);

} // namespace kav
