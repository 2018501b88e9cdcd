#pragma once
// Links of a lexicon page. Each link is an anchor in the page's document: pure blue (#0000FF),
// underlined, its target in the anchor ("kapitel:17" for a chapter, a web address for the web).
#include <QString>
#include <QUrl>

#include <vector>

class QTextDocument;

namespace kav {

struct LexikonSuchbegriff;

// The colour of links.
inline constexpr unsigned kVerweisFarbe = 0x0000FF;

// "kapitel:17".
QString kapitelVerweis(int kapitelNr);

// Where a link leads.
struct VerweisZiel {
    enum class Art { Keins, Kapitel, Web };
    Art art = Art::Keins;
    int kapitelNr = 0;
    QString adresse; // of a web link
};
VerweisZiel verweisZiel(const QString& href);

// Makes every pure-blue run of the text that begins with "www." a link to that address. Returns
// the number of links made.
int webVerweiseMarkieren(QTextDocument& doc);

// Marks, for every term in the given order, its first occurrence after the page's first character
// as a link to the term's chapter: letter case ignored, only whole words for whole-word terms. When
// that occurrence lies in a link already there, the term gets no link. Returns the number of links made.
int verweiseMarkieren(QTextDocument& doc, const std::vector<LexikonSuchbegriff>& begriffe);

// The target of the link at the character at `pos` (the one after a caret at `pos`); empty for none.
QString verweisAn(const QTextDocument& doc, int pos);

// The local file of a resource that a page asks for, when it lies inside the lexicon folder;
// empty for anything else (other folders, other schemes, the network).
QString lexikonRessource(const QUrl& url, const QString& lexikonOrdner);

} // namespace kav
