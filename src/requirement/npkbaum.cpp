#include "requirement/npkbaum.h"

#include "services/gebietsschema.h"
#include "services/sql.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <map>

namespace kav {

namespace {

// The number of a record key ("Fl1003" → 1003, "Ku1007" → 1007); -1 for none.
qint64 nummerVon(const QString& key)
{
    bool ok = false;
    const qint64 n = key.mid(2).toLongLong(&ok);
    return ok ? n : -1;
}

int anhaengen(NPKBaumDaten& b, NPKKnoten k)
{
    b.knoten.push_back(std::move(k));
    return static_cast<int>(b.knoten.size()) - 1;
}

struct KulturReihe {
    QString nr;
    QString text;
};

// Rows of KulturID by the number of their parent (GruppierungNr), in the order read.
using NachEltern = std::map<qint64, std::vector<KulturReihe>>;

NachEltern kulturReihen(const QSqlDatabase& cnKav, const QString& bedingung, const QString& ordnung)
{
    QSqlQuery q = sql::exec(cnKav, QStringLiteral("SELECT KulturNr, Bezeichnung, GruppierungNr FROM KulturID WHERE ")
                                       + bedingung + QStringLiteral(" ORDER BY ") + ordnung);
    NachEltern n;
    while (q.next())
        n[q.value(2).toLongLong()].push_back({q.value(0).toString(), q.value(1).toString()});
    return n;
}

class KulturBaumBauer {
public:
    KulturBaumBauer(NPKBaumDaten& b, const NachEltern& gruppen, const NachEltern& kulturen)
        : m_b(b), m_gruppen(gruppen), m_kulturen(kulturen)
    {
    }

    // The groups of the top level with everything below them.
    void bauen()
    {
        for (const KulturReihe& g : reihenVon(m_gruppen, 0))
            gruppe(g, -1, g.nr);
    }

private:
    static const std::vector<KulturReihe>& reihenVon(const NachEltern& n, qint64 eltern)
    {
        static const std::vector<KulturReihe> keine;
        const auto it = n.find(eltern);
        return it == n.end() ? keine : it->second;
    }

    void gruppe(const KulturReihe& g, int eltern, const QString& bild)
    {
        const qint64 nummer = nummerVon(g.nr);
        if (nummer <= 0 || m_besucht.contains(nummer))
            return; // a group that names itself or an ancestor as parent
        m_besucht.insert(nummer);
        const int i = anhaengen(m_b, {g.nr, g.text, kTagGruppe, bild, eltern});
        for (const KulturReihe& u : reihenVon(m_gruppen, nummer))
            gruppe(u, i, bild);
        for (const KulturReihe& k : reihenVon(m_kulturen, nummer)) {
            const int ki = anhaengen(m_b, {k.nr, k.text, kTagKultur, bild, i});
            const qint64 kn = nummerVon(k.nr);
            if (kn <= 0 || kn == nummer)
                continue;
            for (const KulturReihe& e : reihenVon(m_kulturen, kn))
                anhaengen(m_b, {e.nr, e.text, kTagEinzel, bild, ki});
        }
    }

    NPKBaumDaten& m_b;
    const NachEltern& m_gruppen;
    const NachEltern& m_kulturen;
    QSet<qint64> m_besucht;
};

} // namespace

int NPKBaumDaten::finde(const QString& key) const
{
    for (size_t i = 0; i < knoten.size(); ++i)
        if (knoten[i].key == key)
            return static_cast<int>(i);
    return -1;
}

std::vector<int> NPKBaumDaten::kinder(int index) const
{
    std::vector<int> k;
    for (size_t i = 0; i < knoten.size(); ++i)
        if (knoten[i].eltern == index)
            k.push_back(static_cast<int>(i));
    return k;
}

QString NPKBaumDaten::elternKey(int index) const
{
    if (index < 0 || index >= static_cast<int>(knoten.size()))
        return {};
    const int e = knoten[static_cast<size_t>(index)].eltern;
    return e < 0 ? QString() : knoten[static_cast<size_t>(e)].key;
}

NPKBaumDaten FlaechenBaumLesen(const QSqlDatabase& cnDaten)
{
    struct Gruppe {
        QString key, text;
        std::vector<std::pair<QString, QString>> flaechen; // key, name
    };
    std::vector<Gruppe> gruppen;
    QHash<qint64, size_t> nachNummer;
    QSqlQuery g = sql::exec(cnDaten, QStringLiteral("SELECT FlaechenNr, Bezeichnung FROM FlaechenID "
                                                    "WHERE Gliederungspunkt = 1 ORDER BY Bezeichnung, FlaechenNr"));
    while (g.next()) {
        const QString key = g.value(0).toString();
        nachNummer.insert(nummerVon(key), gruppen.size());
        gruppen.push_back({key, g.value(1).toString(), {}});
    }

    // the plots that have an analysis (an assignment whose analysis row is gone does not count)
    std::vector<std::pair<QString, QString>> oben;
    QSqlQuery f = sql::exec(cnDaten,
                            QStringLiteral("SELECT f.FlaechenNr, f.Bezeichnung, f.GruppierungNr FROM FlaechenID f "
                                           "WHERE COALESCE(f.Gliederungspunkt, 0) = 0 AND EXISTS (SELECT 1 FROM "
                                           "ZOFlaechenAnalysen z JOIN AnalysenID a ON a.AnalysenNr = z.AnalysenNr "
                                           "WHERE z.FlaechenNr = f.FlaechenNr) ORDER BY f.Bezeichnung, f.FlaechenNr"));
    while (f.next()) {
        std::pair<QString, QString> flaeche{f.value(0).toString(), f.value(1).toString()};
        const auto it = nachNummer.constFind(f.value(2).toLongLong());
        if (it != nachNummer.constEnd() && f.value(2).toLongLong() != 0)
            gruppen[*it].flaechen.push_back(std::move(flaeche));
        else
            oben.push_back(std::move(flaeche));
    }
    std::stable_sort(oben.begin(), oben.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    NPKBaumDaten b;
    const bool leer = oben.empty() && std::all_of(gruppen.begin(), gruppen.end(), [](const Gruppe& x) {
                          return x.flaechen.empty();
                      });
    if (leer)
        return b;
    const int wurzel = anhaengen(b, {kNPKWurzel, QStringLiteral("Flächen"), kTagGruppe, kTagGruppe, -1});
    for (const Gruppe& gr : gruppen) {
        if (gr.flaechen.empty())
            continue;
        const int i = anhaengen(b, {gr.key, gr.text, kTagGruppe, kTagGruppe, wurzel});
        for (const auto& [key, text] : gr.flaechen)
            anhaengen(b, {key, text, kTagFlaecheNPK, kTagGruppe, i});
    }
    for (const auto& [key, text] : oben)
        anhaengen(b, {key, text, kTagFlaecheNPK, kTagGruppe, wurzel});
    return b;
}

NPKBaumDaten KulturBaumLesen(const QSqlDatabase& cnKav, const QSqlDatabase& cnDaten, const QString& strAktFlaechenNr,
                             const Gebietsschema& gebiet)
{
    const NachEltern gruppen = kulturReihen(cnKav, QStringLiteral("AktuellerDatensatz = 1 AND Gliederungspunkt = 1"),
                                            QStringLiteral("KulturNr"));
    const NachEltern kulturen = kulturReihen(cnKav, QStringLiteral("COALESCE(Gliederungspunkt, 0) = 0"),
                                             QStringLiteral("Bezeichnung, KulturNr"));
    NPKBaumDaten b;
    KulturBaumBauer(b, gruppen, kulturen).bauen();

    const int mk = b.finde(kMischkulturGruppe);
    if (mk < 0 || strAktFlaechenNr.isEmpty())
        return b;
    std::vector<NPKKnoten> plaene;
    try {
        QSqlQuery q = sql::exec(cnDaten, QStringLiteral("SELECT MKID, DatumPlanung FROM MischkulturID WHERE FlaechenNr = ? "
                                                        "ORDER BY DatumPlanung, MKID"),
                                {strAktFlaechenNr});
        const QString bild = b.knoten[static_cast<size_t>(mk)].bild;
        while (q.next()) {
            const QString id = q.value(0).toString();
            const QDate datum = QDate::fromString(q.value(1).toString().left(10), Qt::ISODate);
            plaene.push_back({id, QStringLiteral("Planung vom ") + gebiet.datumText(datum), id, bild, -1});
        }
    } catch (const sql::Error&) {
        return b; // the crops can still be chosen
    }
    if (plaene.empty())
        return b;
    const int ordner = anhaengen(b, {strAktFlaechenNr, kPlanOrdnerText, kTagPlanOrdner,
                                     b.knoten[static_cast<size_t>(mk)].bild, mk});
    for (NPKKnoten& p : plaene) {
        p.eltern = ordner;
        anhaengen(b, std::move(p));
    }
    return b;
}

QString KombinierterText(const QString& name, const QStringList& glieder)
{
    if (glieder.isEmpty())
        return name;
    if (glieder.size() == 1)
        return name + QStringLiteral(" (") + glieder.first() + QLatin1Char(')');
    return name + QStringLiteral(" (") + glieder.mid(0, glieder.size() - 1).join(QStringLiteral(", "))
        + QStringLiteral(" & ") + glieder.last() + QLatin1Char(')');
}

} // namespace kav
