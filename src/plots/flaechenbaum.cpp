#include "plots/flaechenbaum.h"

#include "services/gebietsschema.h"
#include "services/sql.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <exception>

namespace kav {

namespace {

struct Zeile {
    QString key;
    QString name;
    qint64 eltern = 0;
    bool gruppe = false;
    QString sortierung;
};

// Names sort without regard to case and accents ("Ärger" next to "Anfang").
QString sortierSchluessel(const QString& name)
{
    const QString zerlegt = name.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(zerlegt.size());
    for (const QChar c : zerlegt) {
        if (c.category() != QChar::Mark_NonSpacing)
            out.append(c);
    }
    return out.toCaseFolded();
}

// The text of an analysis node: the ISO date of the file in the user's format; a text that is no
// valid date is shown as it stands. The two usual formats are rearranged directly (many nodes).
QString datumsText(const QString& iso, const Gebietsschema& g)
{
    if (iso.size() < 10 || iso[4] != u'-' || iso[7] != u'-')
        return iso;
    auto zahl = [&iso](int von, int laenge) {
        int n = 0;
        for (int i = von; i < von + laenge; ++i) {
            const QChar c = iso[i];
            if (c < u'0' || c > u'9')
                return -1;
            n = n * 10 + (c.unicode() - u'0');
        }
        return n;
    };
    const int j = zahl(0, 4), m = zahl(5, 2), t = zahl(8, 2);
    if (j < 0 || m < 0 || t < 0 || !QDate::isValid(j, m, t))
        return iso;
    auto zusammen = [&iso](int a, int b, QChar trenner) {
        QString out;
        out.reserve(10);
        out.append(QStringView(iso).mid(a, 2)).append(trenner).append(QStringView(iso).mid(b, 2)).append(trenner);
        out.append(QStringView(iso).left(4));
        return out;
    };
    if (g.strDatumsFormat == u"dd.MM.yyyy")
        return zusammen(8, 5, u'.');
    if (g.strDatumsFormat == u"MM/dd/yyyy")
        return zusammen(5, 8, u'/');
    return g.datumText(QDate(j, m, t));
}

QString elternSchluessel(qint64 nummer) { return QStringLiteral("FL") + QString::number(nummer); }

} // namespace

bool FlaechenBaum::FlaechenBaumFuellen(const QSqlDatabase& cnDaten, bool blnNurAktuelle, const Gebietsschema& gebiet)
{
    m_knoten.clear();
    m_index.clear();
    m_fehler.clear();
    m_nichtsAnzuzeigen = true;

    BaumKnoten wurzel;
    wurzel.key = kWurzelKey;
    wurzel.text = kWurzelText;
    wurzel.tag = kTagWurzel;
    wurzel.bild = kBildGruppe;
    wurzel.art = KnotenArt::Wurzel;
    m_knoten.push_back(wurzel);
    m_index.insert(kWurzelKey, 0);

    std::vector<Zeile> zeilen;
    QSet<QString> vorhanden{kWurzelKey};
    bool flaechenDa = false;
    bool analysenDa = false;
    struct Zuordnung {
        QString flaeche, analyse, datum, text;
    };
    std::vector<Zuordnung> zuordnungen;
    try {
        // every row, so that hidden rows still count as existing
        QSqlQuery q(cnDaten);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT FlaechenNr, Bezeichnung, GruppierungNr, Gliederungspunkt, "
                                   "AktuellerDatensatz FROM FlaechenID")))
            throw sql::Error(q.lastError().text());
        while (q.next()) {
            const QString key = q.value(0).toString();
            vorhanden.insert(key);
            const bool gruppe = q.value(3).toInt() != 0;
            flaechenDa = flaechenDa || !gruppe;
            if (blnNurAktuelle && q.value(4).toInt() == 0)
                continue;
            const QString name = q.value(1).toString();
            zeilen.push_back(Zeile{key, name, q.value(2).toLongLong(), gruppe, sortierSchluessel(name)});
        }
        q.finish();

        analysenDa = sql::scalar(cnDaten, QStringLiteral("SELECT EXISTS (SELECT 1 FROM AnalysenID)")).toInt() != 0;
        if (analysenDa) {
            // an assignment whose analysis row is missing is left out
            QSqlQuery a(cnDaten);
            a.setForwardOnly(true);
            if (!a.exec(QStringLiteral("SELECT z.FlaechenNr, z.AnalysenNr, z.Datum, a.Datum FROM ZOFlaechenAnalysen z "
                                       "JOIN AnalysenID a ON a.AnalysenNr = z.AnalysenNr")))
                throw sql::Error(a.lastError().text());
            QHash<QString, QString> datumsTexte;
            while (a.next()) {
                const QString iso = a.value(3).toString();
                auto t = datumsTexte.constFind(iso);
                if (t == datumsTexte.constEnd())
                    t = datumsTexte.insert(iso, datumsText(iso, gebiet));
                zuordnungen.push_back(Zuordnung{a.value(0).toString(), a.value(1).toString(), a.value(2).toString(), *t});
            }
        }
    } catch (const std::exception& ex) {
        m_fehler = QString::fromUtf8(ex.what());
        return false;
    }

    std::sort(zeilen.begin(), zeilen.end(), [](const Zeile& a, const Zeile& b) {
        if (const int c = a.sortierung.compare(b.sortierung); c != 0)
            return c < 0;
        if (const int c = a.name.compare(b.name); c != 0)
            return c < 0;
        return a.key < b.key;
    });

    // The analyses of every shown plot, newest first (keys compare without regard to case).
    std::vector<std::vector<const Zuordnung*>> analysen(zeilen.size());
    if (!zuordnungen.empty()) {
        QHash<QString, int> genau, gross;
        genau.reserve(static_cast<qsizetype>(zeilen.size()));
        gross.reserve(static_cast<qsizetype>(zeilen.size()));
        for (size_t i = 0; i < zeilen.size(); ++i) {
            if (!zeilen[i].gruppe) {
                genau.insert(zeilen[i].key, static_cast<int>(i));
                gross.insert(zeilen[i].key.toUpper(), static_cast<int>(i));
            }
        }
        for (const Zuordnung& z : zuordnungen) {
            int i = genau.value(z.flaeche, -1);
            if (i < 0)
                i = gross.value(z.flaeche.toUpper(), -1);
            if (i >= 0)
                analysen[static_cast<size_t>(i)].push_back(&z);
        }
        for (auto& liste : analysen) {
            if (liste.size() > 1)
                std::sort(liste.begin(), liste.end(), [](const Zuordnung* a, const Zuordnung* b) {
                    if (a->datum != b->datum)
                        return a->datum > b->datum;
                    return a->analyse > b->analyse;
                });
        }
    }

    // Children per parent: index zeilen.size() stands for the root. A row hangs under the group
    // its number names, whatever the order of the rows; rows whose group is not shown stay out.
    const int wurzelZeile = static_cast<int>(zeilen.size());
    QHash<QString, int> gruppen;
    for (int i = 0; i < wurzelZeile; ++i) {
        if (zeilen[static_cast<size_t>(i)].gruppe)
            gruppen.insert(zeilen[static_cast<size_t>(i)].key.toUpper(), i);
    }
    std::vector<std::vector<int>> gruppenKinder(zeilen.size() + 1);
    std::vector<std::vector<int>> flaechenKinder(zeilen.size() + 1);
    for (int i = 0; i < wurzelZeile; ++i) {
        const Zeile& z = zeilen[static_cast<size_t>(i)];
        int eltern = wurzelZeile;
        if (z.eltern != 0) {
            eltern = gruppen.value(elternSchluessel(z.eltern), -1);
            if (eltern < 0)
                continue;
        }
        (z.gruppe ? gruppenKinder : flaechenKinder)[static_cast<size_t>(eltern)].push_back(i);
    }

    const qsizetype geschaetzt = static_cast<qsizetype>(1 + zeilen.size() + zuordnungen.size());
    m_knoten.reserve(static_cast<size_t>(geschaetzt));
    m_index.reserve(geschaetzt);

    auto neuerKnoten = [this](const QString& key, const QString& text, KnotenArt art, int eltern) {
        BaumKnoten k;
        k.key = key;
        k.text = text;
        k.art = art;
        k.eltern = eltern;
        k.ebene = m_knoten[static_cast<size_t>(eltern)].ebene + 1;
        switch (art) {
        case KnotenArt::Gruppe:
            k.tag = k.ebene == 1 ? kTagEbene1 : kTagEbene2;
            k.bild = kBildGruppe;
            break;
        case KnotenArt::Flaeche:
            k.tag = kTagFlaeche;
            k.bild = kBildFlaeche;
            break;
        default:
            k.tag = kTagAnalyse;
            k.bild = kBildAnalyse;
            break;
        }
        const int index = static_cast<int>(m_knoten.size());
        m_knoten.push_back(std::move(k));
        if (!m_index.contains(key))
            m_index.insert(key, index);
        return index;
    };

    // Depth first from the root; groups that do not lead up to the root are never reached.
    struct Stufe {
        int zeile;
        int knoten;
        size_t pos;
    };
    std::vector<Stufe> stapel{{wurzelZeile, 0, 0}};
    while (!stapel.empty()) {
        Stufe& r = stapel.back();
        const auto& unter = gruppenKinder[static_cast<size_t>(r.zeile)];
        if (r.pos < unter.size()) {
            const int z = unter[r.pos++];
            const int eltern = r.knoten;
            const Zeile& g = zeilen[static_cast<size_t>(z)];
            const int k = neuerKnoten(g.key, g.name, KnotenArt::Gruppe, eltern);
            stapel.push_back(Stufe{z, k, 0});
            continue;
        }
        for (const int z : flaechenKinder[static_cast<size_t>(r.zeile)]) {
            const Zeile& f = zeilen[static_cast<size_t>(z)];
            const int k = neuerKnoten(f.key, f.name, KnotenArt::Flaeche, r.knoten);
            for (const Zuordnung* a : analysen[static_cast<size_t>(z)])
                neuerKnoten(a->analyse, a->text, KnotenArt::Analyse, k);
            m_knoten[static_cast<size_t>(k)].nachfahren = static_cast<int>(m_knoten.size()) - k - 1;
        }
        m_knoten[static_cast<size_t>(r.knoten)].nachfahren = static_cast<int>(m_knoten.size()) - r.knoten - 1;
        stapel.pop_back();
    }

    // forget the state of entries that are gone from the file
    for (auto it = m_gemerkt.begin(); it != m_gemerkt.end();) {
        if (vorhanden.contains(it.key()))
            ++it;
        else
            it = m_gemerkt.erase(it);
    }

    m_nichtsAnzuzeigen = !flaechenDa || !analysenDa;
    m_knoten[0].expanded = !m_nichtsAnzuzeigen;
    return true;
}

std::vector<int> FlaechenBaum::kinder(int i) const
{
    std::vector<int> out;
    if (i < 0 || i >= anzahl())
        return out;
    const int ende = i + 1 + knoten(i).nachfahren;
    for (int j = i + 1; j < ende; j += 1 + knoten(j).nachfahren)
        out.push_back(j);
    return out;
}

int FlaechenBaum::finde(const QString& key) const { return m_index.value(key, -1); }

void FlaechenBaum::setExpanded(int i, bool expanded)
{
    if (i >= 0 && i < anzahl())
        m_knoten[static_cast<size_t>(i)].expanded = expanded;
}

int FlaechenBaum::pfadAufklappen(const QString& key, bool knotenSelbst, bool wurzelAuch)
{
    const int i = finde(key);
    if (i < 0)
        return -1;
    if (knotenSelbst)
        m_knoten[static_cast<size_t>(i)].expanded = true;
    for (int p = knoten(i).eltern; p >= 0; p = knoten(p).eltern) {
        if (p == 0 && !wurzelAuch)
            break;
        m_knoten[static_cast<size_t>(p)].expanded = true;
    }
    return i;
}

void FlaechenBaum::BaumZustandSpeichern()
{
    // analyses have nothing below them to show
    for (const BaumKnoten& k : m_knoten) {
        if (k.art != KnotenArt::Analyse)
            m_gemerkt.insert(k.key, k.expanded);
    }
}

void FlaechenBaum::BaumZustandWiederherstellen()
{
    if (m_gemerkt.isEmpty())
        return;
    for (BaumKnoten& k : m_knoten) {
        if (k.art == KnotenArt::Analyse)
            continue;
        const auto it = m_gemerkt.constFind(k.key);
        if (it != m_gemerkt.constEnd())
            k.expanded = *it;
    }
}

KnotenNummern FlaechenBaum::nummern(int i) const
{
    KnotenNummern n;
    if (i < 0 || i >= anzahl())
        return n;
    const BaumKnoten& k = knoten(i);
    n.art = k.art;
    auto nummerTeil = [](const QString& key) { return key.mid(2); };
    switch (k.art) {
    case KnotenArt::Wurzel:
        n.flaechenNr = kWurzelKey;
        n.gruppierungNr = QStringLiteral("0");
        break;
    case KnotenArt::Gruppe:
        n.flaechenNr = k.key;
        n.gruppierungNr = nummerTeil(k.key);
        break;
    case KnotenArt::Flaeche:
        n.flaechenNr = k.key;
        n.gruppierungNr = nummerTeil(knoten(k.eltern).key);
        break;
    case KnotenArt::Analyse: {
        const BaumKnoten& flaeche = knoten(k.eltern);
        n.flaechenNr = flaeche.key;
        n.gruppierungNr = nummerTeil(knoten(flaeche.eltern).key);
        n.analysenNr = k.key;
        break;
    }
    }
    return n;
}

} // namespace kav
