#pragma once
// The lexicon tables of the reference file: chapters, their texts, search terms and pictures.
// Every value is bound; a failed statement throws sql::Error.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kav {

struct LexikonKapitel {
    QString kapitel; // key as stored ("Einleitung")
    int kapitelNr = 0;
    QString ueberschrift;
};

struct LexikonSuchbegriff {
    QString suchbegriff;
    int verweis = 0; // chapter the term leads to
    bool ganzesWort = false;
};

struct LexikonBild {
    QString bildDatei;
    QString quelle;
};

class LexikonDaten {
public:
    explicit LexikonDaten(QSqlDatabase kav) : m_db(std::move(kav)) {}

    // The chapter of a key, letter case ignored.
    std::optional<LexikonKapitel> kapitel(const QString& schluessel) const;
    std::optional<LexikonKapitel> kapitelNr(int nr) const;
    // The chapter's text (HTML); empty when it has none.
    QString text(int kapitelNr) const;
    // Terms marked as links in the pages of other chapters, in table order (not those never linked).
    std::vector<LexikonSuchbegriff> verweisbegriffe(int ausserKapitelNr) const;
    // Terms of the list, German alphabetical order, letter case ignored (not those never listed).
    std::vector<LexikonSuchbegriff> begriffsliste() const;
    // The chapter's pictures in their order.
    std::vector<LexikonBild> bilder(int kapitelNr) const;
    // Source line of a picture file (letter case ignored); nothing when the file has no row.
    std::optional<QString> quelle(const QString& bildDatei) const;

private:
    QSqlDatabase m_db;
};

// Sorts German alphabetically with letter case ignored ("Überdüngung" among the U, "apfel" before "Birne").
void deutschSortieren(std::vector<LexikonSuchbegriff>& begriffe);

// Index of the first entry that begins with `anfang`, letter case ignored; -1 when none does or
// `anfang` is empty.
int ersterTreffer(const QStringList& eintraege, const QString& anfang);

// The keys of the search box that move through the term list.
enum class ListenTaste { Ende, Pos1, Zurueck, Vor };
// The new selection: Home the first, End the last, back from the first the last, on from the last
// the first; -1 for an empty list.
int listenSchritt(int aktuell, int anzahl, ListenTaste taste);

} // namespace kav
