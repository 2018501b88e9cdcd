#include "plots/analysendaten.h"

#include "plots/flaechendaten.h"
#include "plots/wertebereiche.h"
#include "services/recordids.h"
#include "services/sql.h"
#include "services/wizardstate.h"

namespace kav {

namespace {

QVariant isoText(const QDate& d) { return d.toString(Qt::ISODate); }

} // namespace

void werteUebergeben(const AnalyseGespeichert& a, WizardState& s)
{
    s.strAktAnalysenNr = a.AnalysenNr;
    s.sngOS = a.sngOS;
    s.sngP2O5 = a.sngP2O5;
    s.sngK2O = a.sngK2O;
    s.sngMg = a.sngMg;
    s.sngPH = a.sngPH;
}

AnalysenDaten::AnalysenDaten(QSqlDatabase cnDaten, const Gebietsschema& gebiet, const Clock& uhr, RandomSource& zufall)
    : DatenSchreiber(std::move(cnDaten), uhr, zufall), m_gebiet(gebiet)
{
}

std::optional<QString> analyseZuDatum(const QSqlDatabase& cnDaten, const QString& flaechenNr, const QDate& datum)
{
    if (!datum.isValid())
        return std::nullopt;
    const QVariant nr = sql::scalar(
        cnDaten,
        QStringLiteral("SELECT z.AnalysenNr FROM ZOFlaechenAnalysen z JOIN AnalysenID a ON a.AnalysenNr = z.AnalysenNr "
                       "WHERE z.FlaechenNr = ? AND substr(z.Datum, 1, 10) = ? ORDER BY z.rowid LIMIT 1"),
        {flaechenNr, isoText(datum)});
    if (!nr.isValid() || nr.isNull())
        return std::nullopt;
    return nr.toString();
}

AnalyseGespeichert AnalysenDaten::AnalysenWerteSpeichern(const AnalyseEingabe& e)
{
    AnalyseGespeichert r;
    const auto os = analysenWertLesen(e.txtWert[kOrgSubstanz], m_gebiet);
    const auto p = analysenWertLesen(e.txtWert[kP2O5], m_gebiet);
    const auto k = analysenWertLesen(e.txtWert[kK2O], m_gebiet);
    const auto ph = analysenWertLesen(e.txtWert[kPH], m_gebiet);
    const double mg = analysenWertLesen(e.txtWert[kMg], m_gebiet).value_or(kMgNichtBestimmt);
    // what is missing is named, in the order of the page
    QStringList fehlend;
    if (!e.datum.isValid())
        fehlend << QStringLiteral("Datum der Probennahme");
    if (e.intBodenart < 0 || e.intBodenart > 2)
        fehlend << kNameBodenart;
    const std::pair<bool, const QString&> werte[] = {{!os, kNameOrgSubstanz}, {!p, kNameP2O5}, {!k, kNameK2O}, {!ph, kNamePH}};
    for (const auto& [fehlt, name] : werte)
        if (fehlt)
            fehlend << name;
    if (!fehlend.isEmpty()) {
        r.meldung = analysenwerteFehlen(fehlend);
        return r;
    }
    // a new analysis needs a sampling date a soil sample can have (07.01.1900 is a typing error); a
    // stored analysis keeps its date
    const auto falschesDatum =
        e.strAktAnalysenNr == kNeueAnalyse ? probennahmeAusserhalb(e.datum, heute(), m_gebiet) : std::nullopt;
    // a value no laboratory reports ("64" for "6,4") is a typing error: nothing is stored
    if (const auto falsch = falschesDatum ? falschesDatum : analyseAusserhalb(e.txtWert, m_gebiet)) {
        r.meldung = Meldung{0, QStringLiteral("Humavera - Analysenwerte eintragen"), *falsch, Meldung::Symbol::Warnung};
        return r;
    }
    const int kuerzel = e.bodenartListenIndex >= 0 ? e.bodenartListenIndex + 1 : 0;

    QString nr;
    bool neu = false;
    const Schreibergebnis s =
        inEinemVorgang(QStringLiteral("Die Analyse konnte nicht gespeichert werden."), [&](Schreibergebnis& v) {
            const auto flaeche = flaecheLesen(m_db, e.strAktFlaechenNr);
            if (!flaeche || flaeche->Gliederungspunkt) {
                v.meldung = hinweis(QStringLiteral("Die Fläche dieser Analyse ist nicht mehr vorhanden. "
                                                   "Die Analyse wurde nicht gespeichert."));
                return false;
            }
            if (e.strAktAnalysenNr != kNeueAnalyse && analysenZeileLesen(m_db, e.strAktAnalysenNr))
                nr = e.strAktAnalysenNr;
            else if (const auto vorhanden = analyseZuDatum(m_db, e.strAktFlaechenNr, e.datum))
                nr = *vorhanden;

            const QString geaendert = jetzt();
            if (!nr.isEmpty()) {
                sql::exec(m_db,
                          QStringLiteral("UPDATE AnalysenID SET LetzteAenderung = ?, Bodenart = ?, BodenartKuerzel = ?, "
                                         "GesamtN = ?, P2O5 = ?, K2O = ?, Mg = ?, pH = ? WHERE AnalysenNr = ?"),
                          {geaendert, e.intBodenart, kuerzel, *os, *p, *k, mg, *ph, nr});
                pruefpunkt(u"Analyse");
                return true;
            }
            nr = naechsteNummer(m_db, QStringLiteral("AnalysenID"), QStringLiteral("AnalysenNr"), QStringLiteral("An"));
            // assignments of this plot and date whose analysis is gone would hide the new one
            sql::exec(m_db,
                      QStringLiteral("DELETE FROM ZOFlaechenAnalysen WHERE FlaechenNr = ? AND substr(Datum, 1, 10) = ? "
                                     "AND NOT EXISTS (SELECT 1 FROM AnalysenID a "
                                     "WHERE a.AnalysenNr = ZOFlaechenAnalysen.AnalysenNr)"),
                      {e.strAktFlaechenNr, isoText(e.datum)});
            sql::exec(m_db,
                      QStringLiteral("INSERT INTO AnalysenID (AnalysenNr, Datum, Bodenart, BodenartKuerzel, GesamtN, "
                                     "P2O5, K2O, Mg, pH, LetzteAenderung, ID) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                      {nr, isoText(e.datum), e.intBodenart, kuerzel, *os, *p, *k, mg, *ph, geaendert, neueId()});
            pruefpunkt(u"Analyse");
            sql::exec(m_db,
                      QStringLiteral("INSERT INTO ZOFlaechenAnalysen (FlaechenNr, AnalysenNr, Datum, "
                                     "AktuellerDatensatz, ID) VALUES (?, ?, ?, 1, ?)"),
                      {flaeche->FlaechenNr, nr, isoText(e.datum), neueId()});
            pruefpunkt(u"Zuordnung");
            neu = true;
            return true;
        });
    if (!s.ok) {
        r.meldung = s.meldung;
        return r;
    }
    r.ok = true;
    r.AnalysenNr = nr;
    r.neu = neu;
    r.sngOS = static_cast<float>(*os);
    r.sngP2O5 = static_cast<float>(*p);
    r.sngK2O = static_cast<float>(*k);
    r.sngMg = static_cast<float>(mg);
    r.sngPH = static_cast<float>(*ph);
    return r;
}

} // namespace kav
