#include "lexicon/lexikondaten.h"

#include "services/sql.h"

#include <QCollator>
#include <QLocale>
#include <QSqlQuery>

#include <algorithm>

namespace kav {

namespace {

std::optional<LexikonKapitel> kapitelAus(QSqlQuery& q)
{
    if (!q.next())
        return std::nullopt;
    return LexikonKapitel{q.value(0).toString(), q.value(1).toInt(), q.value(2).toString()};
}

std::vector<LexikonSuchbegriff> begriffeAus(QSqlQuery& q)
{
    std::vector<LexikonSuchbegriff> v;
    while (q.next()) {
        const QString b = q.value(0).toString();
        if (!b.isEmpty())
            v.push_back(LexikonSuchbegriff{b, q.value(1).toInt(), q.value(2).toInt() != 0});
    }
    return v;
}

} // namespace

std::optional<LexikonKapitel> LexikonDaten::kapitel(const QString& schluessel) const
{
    QSqlQuery q = sql::exec(m_db,
                            QStringLiteral("SELECT Kapitel, KapitelNr, Ueberschrift FROM LexikonKapitel "
                                           "WHERE Kapitel = ? COLLATE NOCASE ORDER BY KapitelNr"),
                            {schluessel});
    return kapitelAus(q);
}

std::optional<LexikonKapitel> LexikonDaten::kapitelNr(int nr) const
{
    QSqlQuery q = sql::exec(
        m_db, QStringLiteral("SELECT Kapitel, KapitelNr, Ueberschrift FROM LexikonKapitel WHERE KapitelNr = ?"), {nr});
    return kapitelAus(q);
}

QString LexikonDaten::text(int kapitelNr) const
{
    return sql::scalar(m_db, QStringLiteral("SELECT Kapitel FROM Lexikon WHERE KapitelNr = ?"), {kapitelNr}).toString();
}

std::vector<LexikonSuchbegriff> LexikonDaten::verweisbegriffe(int ausserKapitelNr) const
{
    // a term without a stated appearance is both linked and listed
    QSqlQuery q = sql::exec(m_db,
                            QStringLiteral("SELECT Suchbegriff, Verweis, GanzesWort FROM LexikonSuchbegriff "
                                           "WHERE Verweis <> ? AND COALESCE(Erscheinen, 0) <> 1 ORDER BY rowid"),
                            {ausserKapitelNr});
    return begriffeAus(q);
}

std::vector<LexikonSuchbegriff> LexikonDaten::begriffsliste() const
{
    QSqlQuery q = sql::exec(m_db, QStringLiteral("SELECT Suchbegriff, Verweis, GanzesWort FROM LexikonSuchbegriff "
                                                 "WHERE COALESCE(Erscheinen, 0) <> 2"));
    std::vector<LexikonSuchbegriff> v = begriffeAus(q);
    deutschSortieren(v);
    return v;
}

std::vector<LexikonBild> LexikonDaten::bilder(int kapitelNr) const
{
    QSqlQuery q = sql::exec(
        m_db, QStringLiteral("SELECT BildDatei, Quelle FROM LexikonBilder WHERE Verweis = ? ORDER BY Reihenfolge, rowid"),
        {kapitelNr});
    std::vector<LexikonBild> v;
    while (q.next())
        v.push_back(LexikonBild{q.value(0).toString(), q.value(1).toString()});
    return v;
}

std::optional<QString> LexikonDaten::quelle(const QString& bildDatei) const
{
    QSqlQuery q = sql::exec(
        m_db, QStringLiteral("SELECT Quelle FROM LexikonBilder WHERE BildDatei = ? COLLATE NOCASE ORDER BY rowid LIMIT 1"),
        {bildDatei});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

void deutschSortieren(std::vector<LexikonSuchbegriff>& begriffe)
{
    QCollator c(QLocale(QLocale::German, QLocale::Germany));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    QCollator genau(QLocale(QLocale::German, QLocale::Germany));
    std::stable_sort(begriffe.begin(), begriffe.end(), [&](const LexikonSuchbegriff& a, const LexikonSuchbegriff& b) {
        const int r = c.compare(a.suchbegriff, b.suchbegriff);
        return r != 0 ? r < 0 : genau.compare(a.suchbegriff, b.suchbegriff) < 0;
    });
}

int ersterTreffer(const QStringList& eintraege, const QString& anfang)
{
    if (anfang.isEmpty())
        return -1;
    for (int i = 0; i < eintraege.size(); ++i)
        if (eintraege[i].startsWith(anfang, Qt::CaseInsensitive))
            return i;
    return -1;
}

int listenSchritt(int aktuell, int anzahl, ListenTaste taste)
{
    if (anzahl <= 0)
        return -1;
    switch (taste) {
    case ListenTaste::Ende: return anzahl - 1;
    case ListenTaste::Pos1: return 0;
    case ListenTaste::Zurueck: return aktuell <= 0 || aktuell >= anzahl ? anzahl - 1 : aktuell - 1;
    case ListenTaste::Vor: return aktuell < 0 || aktuell >= anzahl - 1 ? 0 : aktuell + 1;
    }
    return -1;
}

} // namespace kav
