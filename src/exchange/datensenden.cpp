#include "exchange/datensenden.h"

#include "frame/schritte.h"
#include "platform/clock.h"
#include "plots/analysesenden.h"
#include "services/server.h"
#include "services/sql.h"

#include <QMap>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <exception>

namespace kav::exchange {

namespace {

const QString kUebertragungTitel = QStringLiteral("Humavera - Datenübertragung");

struct Teildaten {
    QVector<QVariantList> schluessel; // deleted first: (plot) or (plot, analysis), without the program id
    QVector<QVariantList> zeilen;     // inserted: every column but the program id
};

QDate datumAus(const QVariant& v) { return QDate::fromString(v.toString().left(10), Qt::ISODate); }

// One row per plot and day; of several stored for the same day the last one counts.
Teildaten nminLesen(const QSqlDatabase& cn, const QString& heute)
{
    QSqlQuery q = sql::exec(cn, QStringLiteral("SELECT f.FlaechenNr, f.Nutzung, f.Kompost, n.Nmin, n.Einheit, n.Datum "
                                               "FROM Nmin n JOIN FlaechenID f ON f.FlaechenNr = n.FlaechenNr "
                                               "ORDER BY n.rowid"));
    QMap<std::pair<QString, QString>, QVariantList> je;
    QSet<QString> gesehen;
    Teildaten t;
    while (q.next()) {
        const QDate datum = datumAus(q.value(5));
        if (!datum.isValid())
            continue;
        const QString flaeche = q.value(0).toString();
        const QString tag = datum.toString(Qt::ISODate);
        je.insert({flaeche.toLower(), tag},
                  {flaeche, q.value(1), q.value(2), q.value(3), q.value(4), tag, heute});
        if (!gesehen.contains(flaeche.toLower())) {
            gesehen.insert(flaeche.toLower());
            t.schluessel.push_back({flaeche});
        }
    }
    for (const QVariantList& z : je)
        t.zeilen.push_back(z);
    return t;
}

Teildaten analysenLesen(const QSqlDatabase& cn)
{
    QSqlQuery q = sql::exec(cn, QStringLiteral("SELECT f.FlaechenNr, a.AnalysenNr, a.GesamtN, a.P2O5, a.K2O, a.Mg, a.pH, "
                                               "a.Datum, f.Nutzung, a.Bodenart, a.LetzteAenderung "
                                               "FROM ZOFlaechenAnalysen z JOIN AnalysenID a ON a.AnalysenNr = z.AnalysenNr "
                                               "JOIN FlaechenID f ON f.FlaechenNr = z.FlaechenNr ORDER BY z.rowid"));
    QSet<QString> gesehen;
    Teildaten t;
    while (q.next()) {
        const QString flaeche = q.value(0).toString(), analyse = q.value(1).toString();
        const QString schluessel = flaeche.toLower() + QLatin1Char('\n') + analyse.toLower();
        if (gesehen.contains(schluessel))
            continue;
        gesehen.insert(schluessel);
        // magnesium without a value was not determined
        const QVariant mg = q.value(5).isNull() || q.value(5).toString().trimmed().isEmpty() ? QVariant(-1.0) : q.value(5);
        const QDate datum = datumAus(q.value(7));
        QDateTime geaendert = QDateTime::fromString(q.value(10).toString(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (!geaendert.isValid())
            geaendert = QDateTime(datumAus(q.value(10)), QTime(0, 0));
        t.schluessel.push_back({flaeche, analyse});
        t.zeilen.push_back({flaeche, analyse, q.value(2), q.value(3), q.value(4), mg, q.value(6),
                            datum.isValid() ? QVariant(datum) : QVariant(), q.value(8), q.value(9),
                            geaendert.isValid() ? QVariant(geaendert) : QVariant()});
    }
    return t;
}

// Runs one statement for every row, the program id bound first.
void wiederholt(const QSqlDatabase& cn, const QString& anweisung, const QVariant& programmId, const QVector<QVariantList>& zeilen)
{
    QSqlQuery q(cn);
    if (!q.prepare(anweisung))
        throw sql::Error(q.lastError().text());
    for (const QVariantList& z : zeilen) {
        int i = 0;
        q.bindValue(i++, programmId);
        for (const QVariant& v : z)
            q.bindValue(i++, v);
        if (!q.exec())
            throw sql::Error(q.lastError().text());
    }
}

DatenGesendet::Teil teilSenden(const QSqlDatabase& cn, const QString& loeschen, const QString& einfuegen,
                               const QString& programmId, const Teildaten& t)
{
    if (t.zeilen.isEmpty())
        return DatenGesendet::Teil::Leer;
    try {
        sql::Transaction tr(cn);
        wiederholt(cn, loeschen, programmId, t.schluessel);
        wiederholt(cn, einfuegen, programmId, t.zeilen);
        tr.commit();
        return DatenGesendet::Teil::Gesendet;
    } catch (const std::exception&) {
        return DatenGesendet::Teil::Fehler;
    }
}

bool lebt(Server& server)
{
    QSqlQuery q(server.cnServer(kDatenerfassung));
    return q.exec(QStringLiteral("SELECT 1")) && q.next();
}

// The remote part, on the server's own thread.
void uebertragen(Server& server, const Teildaten& nmin, const Teildaten& analysen, const QString& strProgrammID,
                 DatenGesendet& r)
{
    if (server.ServerErreichbar(server.strServerAdresse()) < 0) {
        r.nmin = r.analysen = DatenGesendet::Teil::Fehler;
        r.meldung = Meldung{0, kUebertragungTitel, kKeineVerbindungText, Meldung::Symbol::Keins};
        return;
    }
    if (!server.blnServerVerbunden(kDatenerfassung))
        server.ServerVerbinden(kDatenerfassung);
    else if (!lebt(server)) {
        // the server ended an idle connection: one new attempt
        server.trennen(kDatenerfassung);
        server.ServerVerbinden(kDatenerfassung);
    }
    if (!server.blnServerVerbunden(kDatenerfassung)) {
        r.nmin = r.analysen = DatenGesendet::Teil::Fehler;
        r.meldung = fehlerMeldungFuer(QStringLiteral("SQL-DB"));
        return;
    }

    const QSqlDatabase cn = server.cnServer(kDatenerfassung);
    r.nmin = teilSenden(cn, QStringLiteral("DELETE FROM nmin WHERE Programmid = ? AND FlaechenID = ?"),
                        QStringLiteral("INSERT INTO nmin (Programmid, FlaechenID, Nutzung, kompost, Nmin, Einheit, Datum, "
                                       "LetzteAenderung) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                        strProgrammID, nmin);
    r.analysen = teilSenden(cn, QStringLiteral("DELETE FROM analysen WHERE Programmid = ? AND FlaechenID = ? AND AnalysenID = ?"),
                            QStringLiteral("INSERT INTO analysen (Programmid, FlaechenID, AnalysenID, Stickstoff, Phosphat, "
                                           "Kalium, Magnesium, ph, Datum, Nutzung, Bodenart, LetzteAenderung) "
                                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                            strProgrammID, analysen);
    if (r.nmin == DatenGesendet::Teil::Gesendet)
        r.nminZeilen = static_cast<int>(nmin.zeilen.size());
    if (r.analysen == DatenGesendet::Teil::Gesendet)
        r.analysenZeilen = static_cast<int>(analysen.zeilen.size());

    QStringList fehler;
    if (r.nmin == DatenGesendet::Teil::Fehler)
        fehler << kNminNichtGesendet;
    if (r.analysen == DatenGesendet::Teil::Fehler)
        fehler << kAnalysenNichtGesendet;
    r.meldung = fehler.isEmpty() ? Meldung{0, kTitel, kGesendet, Meldung::Symbol::Keins}
                                 : Meldung{0, kUebertragungTitel, fehler.join(QLatin1Char('\n')), Meldung::Symbol::Warnung};
}

} // namespace

DatenGesendet AlleDatenSenden(Server& server, const QSqlDatabase& cnDaten, const QString& strProgrammID, const Clock& uhr)
{
    DatenGesendet r;
    Teildaten nmin, analysen;
    try {
        nmin = nminLesen(cnDaten, uhr.now().date().toString(Qt::ISODate));
        analysen = analysenLesen(cnDaten);
    } catch (const std::exception&) {
        r.nmin = r.analysen = DatenGesendet::Teil::Fehler;
        r.meldung = Meldung{0, kUebertragungTitel, kNminNichtGesendet + QLatin1Char('\n') + kAnalysenNichtGesendet,
                            Meldung::Symbol::Warnung};
        return r;
    }
    if (nmin.zeilen.isEmpty() && analysen.zeilen.isEmpty()) {
        r.meldung = Meldung{0, kUebertragungTitel, kNichtsZuSenden, Meldung::Symbol::Information};
        return r;
    }
    server.ausfuehren([&] { uebertragen(server, nmin, analysen, strProgrammID, r); });
    return r;
}

} // namespace kav::exchange
