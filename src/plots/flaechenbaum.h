#pragma once
// The plot tree without widgets: groups (to any depth), plots and their analyses, built from
// Daten.KRN. The analysis page shows it in its tree control.
#include <QSqlDatabase>
#include <QString>

#include <unordered_map>
#include <vector>

namespace kav {

struct Gebietsschema;

// Node vocabulary
inline const QString kWurzelKey = QStringLiteral("Fl0");
inline const QString kWurzelText = QStringLiteral("Flächen");
inline const QString kTagWurzel = QStringLiteral("Ueberschrift");
inline const QString kTagEbene1 = QStringLiteral("Ebene1");
inline const QString kTagEbene2 = QStringLiteral("Ebene2"); // every group below the first level
inline const QString kTagFlaeche = QStringLiteral("Flaeche");
inline const QString kTagAnalyse = QStringLiteral("Analyse");
inline const QString kBildGruppe = QStringLiteral("FlaecheGrp");
inline const QString kBildFlaeche = QStringLiteral("Flaeche");
inline const QString kBildAnalyse = QStringLiteral("Knoten");
// Label of the page when there is nothing to calculate with yet.
inline const QString kHinweisNichtsAnzuzeigen = QStringLiteral("Geben Sie eine neue Fläche ein.");

enum class KnotenArt { Wurzel, Gruppe, Flaeche, Analyse };

// Hashing of the tree's keys (short record numbers): a quick hash, exact or without regard to the
// case of ASCII letters (as the file compares keys).
struct SchluesselHash {
    size_t operator()(const QString& s) const noexcept;
};
struct SchluesselHashOhneFall {
    size_t operator()(const QString& s) const noexcept;
};
struct SchluesselGleichOhneFall {
    bool operator()(const QString& a, const QString& b) const noexcept;
};

struct BaumKnoten {
    QString key;
    QString text;
    QString tag;
    QString bild;
    KnotenArt art = KnotenArt::Wurzel;
    int eltern = -1;       // index of the parent node, -1 for the root
    int ebene = 0;         // root 0, its children 1, ...
    int nachfahren = 0;    // number of nodes below (they follow this node directly)
    bool expanded = false;
};

// The current numbers that selecting a node sets (strAktFlaechenNr, strAktGruppierungNr and,
// for an analysis node, strAktAnalysenNr).
struct KnotenNummern {
    KnotenArt art = KnotenArt::Wurzel;
    QString flaechenNr;     // root "Fl0", group or plot key, the plot of an analysis
    QString gruppierungNr;  // root "0"; a group's own number; the number of a plot's group ("0" at the top)
    QString analysenNr;     // analysis nodes only
};

class FlaechenBaum {
public:
    // Rebuilds the tree from Daten.KRN. `blnNurAktuelle` hides groups and plots that are not
    // current (and everything below them). Under every node the groups come first, then the
    // plots, each by name; under a plot its analyses, newest first. Every node starts collapsed,
    // the root expanded (not when there is nothing to show). Returns false when the file could
    // not be read: the tree then holds the root only and fehler() says why.
    bool FlaechenBaumFuellen(const QSqlDatabase& cnDaten, bool blnNurAktuelle, const Gebietsschema& gebiet);

    // No plot, or no analysis, in the whole file: the calculation cannot start yet (the navigation
    // button "Düngeberechnung starten" is disabled and the page shows kHinweisNichtsAnzuzeigen).
    bool nichtsAnzuzeigen() const { return m_nichtsAnzuzeigen; }
    QString fehler() const { return m_fehler; }

    // Nodes in display order: every node comes after its parent, followed by its whole subtree.
    const std::vector<BaumKnoten>& knoten() const { return m_knoten; }
    int anzahl() const { return static_cast<int>(m_knoten.size()); }
    const BaumKnoten& knoten(int i) const { return m_knoten[static_cast<size_t>(i)]; }
    std::vector<int> kinder(int i) const;
    // First node with this key, -1 when there is none.
    int finde(const QString& key) const;

    void setExpanded(int i, bool expanded);
    // Expands the node with `key` (with `knotenSelbst`) and its ancestors below the root; with
    // `wurzelAuch` the root as well. Returns the node's index or -1.
    int pfadAufklappen(const QString& key, bool knotenSelbst, bool wurzelAuch);

    // Remembers which nodes are expanded, by key. Remembered keys that are not in the tree at the
    // moment (hidden by the filter) keep their last state, so hiding and showing again restores
    // them too.
    void BaumZustandSpeichern();
    // Gives every node whose key is remembered its remembered state; others keep the state the
    // rebuild gave them.
    void BaumZustandWiederherstellen();

    // The numbers that selecting node `i` (by mouse, keyboard or right click) makes current.
    KnotenNummern nummern(int i) const;

private:
    std::vector<BaumKnoten> m_knoten;
    std::unordered_map<QString, int, SchluesselHash> m_index;
    std::unordered_map<QString, bool, SchluesselHash> m_gemerkt;
    bool m_nichtsAnzuzeigen = true;
    QString m_fehler;
};

} // namespace kav
