#include "lexicon/verweise.h"

#include "lexicon/lexikondaten.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace kav {

namespace {

const QString kKapitelSchema = QStringLiteral("kapitel:");

QTextCharFormat verweisFormat(const QString& href)
{
    QTextCharFormat f;
    f.setAnchor(true);
    f.setAnchorHref(href);
    f.setForeground(QColor::fromRgb(kVerweisFarbe));
    f.setFontUnderline(true);
    return f;
}

void markieren(QTextDocument& doc, int anfang, int laenge, const QString& href)
{
    QTextCursor c(&doc);
    c.setPosition(anfang);
    c.setPosition(anfang + laenge, QTextCursor::KeepAnchor);
    c.mergeCharFormat(verweisFormat(href));
}

bool reinBlau(const QTextCharFormat& f)
{
    return f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush
           && f.foreground().color().rgb() == QColor::fromRgb(kVerweisFarbe).rgb();
}

// The ranges [start, end) of the links already in the document, sorted.
struct Bereiche {
    std::vector<std::pair<int, int>> v;
    bool ueberschneidet(int a, int e) const
    {
        auto it = std::lower_bound(v.begin(), v.end(), std::make_pair(e, 0));
        return it != v.begin() && std::prev(it)->second > a;
    }
    void hinzu(int a, int e) { v.insert(std::lower_bound(v.begin(), v.end(), std::make_pair(a, e)), {a, e}); }
};

Bereiche vorhandeneVerweise(const QTextDocument& doc)
{
    Bereiche b;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.isValid() && f.charFormat().isAnchor() && !f.charFormat().anchorHref().isEmpty())
                b.hinzu(f.position(), f.position() + f.length());
        }
    return b;
}

bool wortzeichen(const QString& t, int i) { return i >= 0 && i < t.size() && t[i].isLetterOrNumber(); }

} // namespace

QString kapitelVerweis(int kapitelNr) { return kKapitelSchema + QString::number(kapitelNr); }

VerweisZiel verweisZiel(const QString& href)
{
    VerweisZiel z;
    const QString h = href.trimmed();
    if (h.startsWith(kKapitelSchema)) {
        bool ok = false;
        const int nr = h.mid(kKapitelSchema.size()).toInt(&ok);
        if (ok) {
            z.art = VerweisZiel::Art::Kapitel;
            z.kapitelNr = nr;
        }
    } else if (h.startsWith(QLatin1String("www."), Qt::CaseInsensitive) || h.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
               || h.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)) {
        z.art = VerweisZiel::Art::Web;
        z.adresse = h;
    }
    return z;
}

int webVerweiseMarkieren(QTextDocument& doc)
{
    // runs of pure-blue fragments within a block, not yet links
    struct Lauf {
        int anfang;
        QString text;
    };
    std::vector<Lauf> laeufe;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        Lauf lauf{-1, {}};
        auto ende = [&] {
            if (lauf.anfang >= 0)
                laeufe.push_back(lauf);
            lauf = Lauf{-1, {}};
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid() || !reinBlau(f.charFormat()) || f.charFormat().isAnchor()) {
                ende();
                continue;
            }
            if (lauf.anfang < 0)
                lauf.anfang = f.position();
            lauf.text += f.text();
        }
        ende();
    }
    int n = 0;
    for (const Lauf& l : laeufe) {
        if (!l.text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
            continue;
        // the address ends at the first blank
        qsizetype laenge = 0;
        while (laenge < l.text.size() && !l.text[laenge].isSpace())
            ++laenge;
        markieren(doc, l.anfang, static_cast<int>(laenge), l.text.left(laenge));
        ++n;
    }
    return n;
}

int verweiseMarkieren(QTextDocument& doc, const std::vector<LexikonSuchbegriff>& begriffe)
{
    // positions in the raw text are the document's positions
    const QString text = doc.toRawText();
    Bereiche belegt = vorhandeneVerweise(doc);
    // one edit block: the page is laid out once, after the last link
    QTextCursor block(&doc);
    block.beginEditBlock();
    int n = 0;
    for (const LexikonSuchbegriff& b : begriffe) {
        const QString& t = b.suchbegriff;
        if (t.isEmpty())
            continue;
        for (qsizetype von = 0;;) {
            const qsizetype i = text.indexOf(t, von, Qt::CaseInsensitive);
            if (i < 0)
                break;
            const int a = static_cast<int>(i), e = static_cast<int>(i + t.size());
            if (b.ganzesWort && (wortzeichen(text, a - 1) || wortzeichen(text, e))) {
                von = i + 1;
                continue;
            }
            // the page's first character starts no link: the term is looked for after that hit
            if (a == 0) {
                von = e;
                continue;
            }
            // the term's first place lies in a link already there: that link stays, the term gets none
            if (belegt.ueberschneidet(a, e))
                break;
            markieren(doc, a, e - a, kapitelVerweis(b.verweis));
            belegt.hinzu(a, e);
            ++n;
            break;
        }
    }
    block.endEditBlock();
    return n;
}

QString verweisAn(const QTextDocument& doc, int pos)
{
    // the fragment that holds the character itself (a cursor at `pos` would report the one before)
    const QTextBlock block = doc.findBlock(pos);
    if (pos < 0 || !block.isValid())
        return {};
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (pos >= f.position() && pos < f.position() + f.length())
            return f.charFormat().isAnchor() ? f.charFormat().anchorHref() : QString();
    }
    return {};
}

QString lexikonRessource(const QUrl& url, const QString& lexikonOrdner)
{
    if (url.isEmpty() || url.hasQuery() || (!url.scheme().isEmpty() && url.scheme() != QLatin1String("file")))
        return {};
    if (url.scheme() == QLatin1String("file") && !url.host().isEmpty())
        return {};
    const QString pfad = url.scheme().isEmpty() ? url.path() : url.toLocalFile();
    if (pfad.isEmpty())
        return {};
    const QDir ordner(lexikonOrdner);
    const QString basis = QFileInfo(ordner.absolutePath()).canonicalFilePath();
    const QFileInfo fi(QDir::isAbsolutePath(pfad) ? pfad : ordner.absoluteFilePath(pfad));
    const QString echt = fi.canonicalFilePath();
    if (basis.isEmpty() || echt.isEmpty() || !fi.isFile() || !echt.startsWith(basis + QLatin1Char('/')))
        return {};
    return echt;
}

} // namespace kav
