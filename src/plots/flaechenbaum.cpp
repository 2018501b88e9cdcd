#include "plots/flaechenbaum.h"

#include "platform/zeilenleser.h"
#include "services/gebietsschema.h"
#include "services/sql.h"


#include <algorithm>
#include <exception>

namespace kav {

namespace {

struct Zeile {
    QString key;
    QString name;
    qint64 eltern = 0;
    bool gruppe = false;
    bool sichtbar = true;
    QString sortierung; // shown rows only
};

constexpr size_t kFnvStart = 14695981039346656037ull;
constexpr size_t kFnvFaktor = 1099511628211ull;

char16_t ohneFall(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

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

struct Zuordnung {
    QString analyse, datum, text;
};

using ZeilenNachSchluessel = std::unordered_map<QString, int, SchluesselHashOhneFall, SchluesselGleichOhneFall>;

} // namespace

size_t SchluesselHash::operator()(const QString& s) const noexcept
{
    size_t h = kFnvStart;
    for (const QChar c : s)
        h = (h ^ c.unicode()) * kFnvFaktor;
    return h;
}

size_t SchluesselHashOhneFall::operator()(const QString& s) const noexcept
{
    size_t h = kFnvStart;
    for (const QChar c : s)
        h = (h ^ ohneFall(c.unicode())) * kFnvFaktor;
    return h;
}

bool SchluesselGleichOhneFall::operator()(const QString& a, const QString& b) const noexcept
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (ohneFall(a[i].unicode()) != ohneFall(b[i].unicode()))
            return false;
    return true;
}

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
    m_index.emplace(kWurzelKey, 0);

    // every row, so that hidden rows still count as existing; keys compare without regard to case
    std::vector<Zeile> zeilen;
    ZeilenNachSchluessel nachSchluessel;
    bool flaechenDa = false;
    bool analysenDa = false;
    // the analyses of each shown plot (index into zeilen)
    std::vector<Zuordnung> zuordnungen;
    std::vector<std::vector<int>> analysen;
    try {
        ZeilenLeser q(cnDaten, QStringLiteral("SELECT FlaechenNr, Bezeichnung, GruppierungNr, Gliederungspunkt, "
                                              "AktuellerDatensatz FROM FlaechenID"));
        while (q.next()) {
            Zeile z;
            z.key = q.text(0);
            z.gruppe = q.ganz(3) != 0;
            flaechenDa = flaechenDa || !z.gruppe;
            z.sichtbar = !blnNurAktuelle || q.ganz(4) != 0;
            if (z.sichtbar) {
                z.name = q.text(1);
                z.eltern = q.ganz(2);
            }
            nachSchluessel.emplace(z.key, static_cast<int>(zeilen.size()));
            zeilen.push_back(std::move(z));
        }
        if (!q.fehler().isEmpty())
            throw sql::Error(q.fehler());
        analysen.resize(zeilen.size());

        analysenDa = sql::scalar(cnDaten, QStringLiteral("SELECT EXISTS (SELECT 1 FROM AnalysenID)")).toInt() != 0;
        if (analysenDa) {
            // an assignment whose analysis row is missing is left out
            ZeilenLeser a(cnDaten, QStringLiteral("SELECT z.FlaechenNr, z.AnalysenNr, z.Datum, a.Datum "
                                                  "FROM ZOFlaechenAnalysen z JOIN AnalysenID a ON a.AnalysenNr = z.AnalysenNr"));
            std::unordered_map<QString, QString, SchluesselHash> datumsTexte;
            while (a.next()) {
                const auto f = nachSchluessel.find(a.text(0));
                if (f == nachSchluessel.end() || zeilen[static_cast<size_t>(f->second)].gruppe
                    || !zeilen[static_cast<size_t>(f->second)].sichtbar)
                    continue;
                const QString iso = a.text(3);
                auto t = datumsTexte.find(iso);
                if (t == datumsTexte.end())
                    t = datumsTexte.emplace(iso, datumsText(iso, gebiet)).first;
                analysen[static_cast<size_t>(f->second)].push_back(static_cast<int>(zuordnungen.size()));
                zuordnungen.push_back(Zuordnung{a.text(1), a.text(2), t->second});
            }
            if (!a.fehler().isEmpty())
                throw sql::Error(a.fehler());
        }
    } catch (const std::exception& ex) {
        m_fehler = QString::fromUtf8(ex.what());
        return false;
    }

    // Children per parent: index zeilen.size() stands for the root. A row hangs under the group
    // its number names, whatever the order of the rows; rows whose group is not shown stay out.
    const int wurzelZeile = static_cast<int>(zeilen.size());
    std::vector<std::vector<int>> gruppenKinder(zeilen.size() + 1);
    std::vector<std::vector<int>> flaechenKinder(zeilen.size() + 1);
    std::unordered_map<qint64, int> gruppeVon; // group number -> row, -1 when it is no shown group
    for (int i = 0; i < wurzelZeile; ++i) {
        Zeile& z = zeilen[static_cast<size_t>(i)];
        if (!z.sichtbar)
            continue;
        int eltern = wurzelZeile;
        if (z.eltern != 0) {
            auto g = gruppeVon.find(z.eltern);
            if (g == gruppeVon.end()) {
                const auto f = nachSchluessel.find(QStringLiteral("Fl") + QString::number(z.eltern));
                const bool da = f != nachSchluessel.end() && zeilen[static_cast<size_t>(f->second)].gruppe
                                && zeilen[static_cast<size_t>(f->second)].sichtbar;
                g = gruppeVon.emplace(z.eltern, da ? f->second : -1).first;
            }
            eltern = g->second;
            if (eltern < 0)
                continue;
        }
        z.sortierung = sortierSchluessel(z.name);
        (z.gruppe ? gruppenKinder : flaechenKinder)[static_cast<size_t>(eltern)].push_back(i);
    }

    // under every node the groups, then the plots, each by name; a plot's analyses newest first
    const auto nachName = [&zeilen](int ia, int ib) {
        const Zeile& a = zeilen[static_cast<size_t>(ia)];
        const Zeile& b = zeilen[static_cast<size_t>(ib)];
        if (const int c = a.sortierung.compare(b.sortierung); c != 0)
            return c < 0;
        if (const int c = a.name.compare(b.name); c != 0)
            return c < 0;
        return a.key < b.key;
    };
    for (auto* liste : {&gruppenKinder, &flaechenKinder})
        for (auto& kinder : *liste)
            if (kinder.size() > 1)
                std::sort(kinder.begin(), kinder.end(), nachName);
    const auto neuesteZuerst = [&zuordnungen](int ia, int ib) {
        const Zuordnung& a = zuordnungen[static_cast<size_t>(ia)];
        const Zuordnung& b = zuordnungen[static_cast<size_t>(ib)];
        if (a.datum != b.datum)
            return a.datum > b.datum;
        return a.analyse > b.analyse;
    };
    for (auto& liste : analysen)
        if (liste.size() > 1)
            std::sort(liste.begin(), liste.end(), neuesteZuerst);

    m_knoten.reserve(1 + zeilen.size() + zuordnungen.size());
    m_index.reserve(1 + zeilen.size());

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
        // analyses are found by a search (finde): most nodes are analyses, looked for seldom
        if (art != KnotenArt::Analyse)
            m_index.try_emplace(key, index);
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
            for (const int a : analysen[static_cast<size_t>(z)]) {
                const Zuordnung& zu = zuordnungen[static_cast<size_t>(a)];
                neuerKnoten(zu.analyse, zu.text, KnotenArt::Analyse, k);
            }
            m_knoten[static_cast<size_t>(k)].nachfahren = static_cast<int>(m_knoten.size()) - k - 1;
        }
        m_knoten[static_cast<size_t>(r.knoten)].nachfahren = static_cast<int>(m_knoten.size()) - r.knoten - 1;
        stapel.pop_back();
    }

    // forget the state of entries that are gone from the file
    for (auto it = m_gemerkt.begin(); it != m_gemerkt.end();) {
        if (it->first == kWurzelKey || nachSchluessel.count(it->first) > 0)
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

int FlaechenBaum::finde(const QString& key) const
{
    if (const auto it = m_index.find(key); it != m_index.end())
        return it->second;
    for (int i = 0; i < anzahl(); ++i)
        if (m_knoten[static_cast<size_t>(i)].art == KnotenArt::Analyse && m_knoten[static_cast<size_t>(i)].key == key)
            return i;
    return -1;
}

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
            m_gemerkt.insert_or_assign(k.key, k.expanded);
    }
}

void FlaechenBaum::BaumZustandWiederherstellen()
{
    if (m_gemerkt.empty())
        return;
    for (BaumKnoten& k : m_knoten) {
        if (k.art == KnotenArt::Analyse)
            continue;
        const auto it = m_gemerkt.find(k.key);
        if (it != m_gemerkt.end())
            k.expanded = it->second;
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
