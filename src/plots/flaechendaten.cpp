#include "plots/flaechendaten.h"

#include "platform/clock.h"
#include "requirement/wizardstate.h"
#include "services/gebietsschema.h"
#include "services/recordids.h"
#include "services/rounding.h"
#include "services/sql.h"

#include <QSqlQuery>

namespace kav {

namespace {

const QString kTitel = QStringLiteral("Humavera");

Meldung hinweis(const QString& text)
{
    return Meldung{0, kTitel, text, Meldung::Symbol::Warnung};
}

// Number part of a key "Fl1004" -> 1004.
std::optional<qint64> nummerTeil(const QString& key)
{
    if (key.size() < 3 || key.left(2).compare(QStringLiteral("Fl"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    bool ok = false;
    const qint64 n = key.mid(2).toLongLong(&ok);
    if (!ok || n <= 0)
        return std::nullopt;
    return n;
}

// Parent number given as text by the page: "0" (top level) or a group's number part.
std::optional<qint64> elternNummer(const QString& text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return n;
}

QDate isoDatum(const QVariant& v)
{
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QVariant isoText(const QDate& d)
{
    return d.toString(Qt::ISODate);
}

// Sizes of the plot dialog: empty counts as 0, anything else must be a number of at least 0.
bool masseLesen(const FlaechenEingabe& e, const Gebietsschema& g, double& laenge, double& breite, double& flaeche)
{
    double* ziele[3] = {&laenge, &breite, &flaeche};
    const QString* texte[3] = {&e.txtLaenge, &e.txtBreite, &e.txtFlaeche};
    for (int i = 0; i < 3; ++i) {
        if (texte[i]->trimmed().isEmpty()) {
            *ziele[i] = 0;
            continue;
        }
        const auto v = analysenWertLesen(*texte[i], g);
        if (!v || *v < 0)
            return false;
        *ziele[i] = *v;
    }
    return true;
}

const QString kMasseFalsch = QStringLiteral(
    "Bitte geben Sie Länge und Breite in m und die Fläche in m² als Zahlen ein. Es wurde nichts gespeichert.");
const QString kNameZuLang =
    QStringLiteral("Der Name darf höchstens %1 Zeichen lang sein. Es wurde nichts gespeichert.").arg(kNameLaengeMax);
const QString kElternFehlen = QStringLiteral(
    "Die Gruppe, in die der Eintrag gehört, ist nicht mehr vorhanden. Es wurde nichts gespeichert.");
const QString kEintragFehlt =
    QStringLiteral("Der Eintrag ist nicht mehr vorhanden. Es wurde nichts gespeichert.");

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

std::optional<double> flaecheAusMassen(const QString& geaendert, const QString& anderer, const Gebietsschema& g)
{
    const auto a = analysenWertLesen(geaendert, g);
    if (!a || *a == 0)
        return std::nullopt;
    const auto b = analysenWertLesen(anderer, g);
    if (!b)
        return std::nullopt;
    return runden(*a * *b * 10.0) / 10.0;
}

QString masseText(double wert, bool leerBeiNull, const Gebietsschema& g)
{
    if (leerBeiNull && wert == 0)
        return {};
    QLocale l = g.locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(wert, 'f', 1);
}

AnalysenTexte analyseTexte(const AnalysenZeile& a, const Gebietsschema& g)
{
    AnalysenTexte t;
    t[kOrgSubstanz] = g.zahlText(a.GesamtN);
    t[kP2O5] = g.zahlText(a.P2O5);
    t[kK2O] = g.zahlText(a.K2O);
    t[kMg] = a.Mg < 0 ? kMgNichtBestimmtText : g.zahlText(a.Mg);
    t[kPH] = g.zahlText(a.pH);
    return t;
}

QStringList bodenartenLesen(const QSqlDatabase& cnKav)
{
    QStringList out;
    QSqlQuery q = sql::exec(cnKav, QStringLiteral("SELECT ID, Bezeichnung, Kuerzel FROM Bodenart ORDER BY ID"));
    while (q.next())
        out << q.value(1).toString() + QStringLiteral(" (") + q.value(2).toString() + QLatin1Char(')');
    return out;
}

std::vector<std::pair<int, QString>> nutzungenLesen(const QSqlDatabase& cnKav)
{
    std::vector<std::pair<int, QString>> out;
    QSqlQuery q = sql::exec(cnKav, QStringLiteral("SELECT ID, Nutzung FROM Nutzung ORDER BY ID"));
    while (q.next())
        out.emplace_back(q.value(0).toInt(), q.value(1).toString());
    return out;
}

FlaechenDaten::FlaechenDaten(QSqlDatabase cnDaten, const Gebietsschema& gebiet, const Clock& uhr, RandomSource& zufall)
    : m_db(std::move(cnDaten)), m_gebiet(gebiet), m_uhr(uhr), m_zufall(zufall)
{
}

void FlaechenDaten::pruefpunkt(QStringView schritt) const
{
    if (m_pruefpunkt)
        m_pruefpunkt(schritt);
}

QString FlaechenDaten::jetzt() const
{
    return m_uhr.now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

bool FlaechenDaten::istGruppe(qint64 nummer) const
{
    return sql::scalar(m_db,
                       QStringLiteral("SELECT COUNT(*) FROM FlaechenID WHERE FlaechenNr = ? AND Gliederungspunkt = 1"),
                       {QStringLiteral("Fl") + QString::number(nummer)})
               .toLongLong() > 0;
}

Schreibergebnis FlaechenDaten::fehlgeschlagen(const QString& was, const QString& grund) const
{
    Schreibergebnis r;
    r.meldung = hinweis(was + QStringLiteral(" Es wurde nichts verändert.\n\nUrsache: ") + grund);
    return r;
}

std::optional<FlaechenZeile> FlaechenDaten::flaecheLesen(const QString& flaechenNr) const
{
    QSqlQuery q = sql::exec(m_db,
                            QStringLiteral("SELECT ID, FlaechenNr, Gliederungspunkt, GruppierungNr, AktuellerDatensatz, "
                                           "Bezeichnung, Laenge, Breite, Flaeche, Kompost, Nutzung, LetzteAenderung "
                                           "FROM FlaechenID WHERE FlaechenNr = ?"),
                            {flaechenNr});
    if (!q.next())
        return std::nullopt;
    FlaechenZeile z;
    z.ID = q.value(0).toString();
    z.FlaechenNr = q.value(1).toString();
    z.Gliederungspunkt = q.value(2).toInt() != 0;
    z.GruppierungNr = q.value(3).toLongLong();
    z.AktuellerDatensatz = q.value(4).toInt() != 0;
    z.Bezeichnung = q.value(5).toString();
    z.Laenge = q.value(6).toDouble();
    z.Breite = q.value(7).toDouble();
    z.Flaeche = q.value(8).toDouble();
    z.Kompost = q.value(9).toInt();
    z.Nutzung = q.value(10).toInt();
    z.LetzteAenderung = q.value(11).toString();
    return z;
}

std::optional<AnalysenZeile> FlaechenDaten::analyseLesen(const QString& analysenNr) const
{
    QSqlQuery q = sql::exec(m_db,
                            QStringLiteral("SELECT AnalysenNr, Datum, Bodenart, BodenartKuerzel, GesamtN, P2O5, K2O, Mg, "
                                           "pH, LetzteAenderung, ID FROM AnalysenID WHERE AnalysenNr = ?"),
                            {analysenNr});
    if (!q.next())
        return std::nullopt;
    AnalysenZeile a;
    a.AnalysenNr = q.value(0).toString();
    a.Datum = isoDatum(q.value(1));
    a.Bodenart = q.value(2).toInt();
    a.BodenartKuerzel = q.value(3).toInt();
    a.GesamtN = q.value(4).toDouble();
    a.P2O5 = q.value(5).toDouble();
    a.K2O = q.value(6).toDouble();
    a.Mg = q.value(7).isNull() ? kMgNichtBestimmt : q.value(7).toDouble();
    a.pH = q.value(8).toDouble();
    a.LetzteAenderung = q.value(9).toString();
    a.ID = q.value(10).toString();
    return a;
}

std::optional<QString> FlaechenDaten::analyseZuDatum(const QString& flaechenNr, const QDate& datum) const
{
    if (!datum.isValid())
        return std::nullopt;
    const QVariant nr = sql::scalar(
        m_db,
        QStringLiteral("SELECT z.AnalysenNr FROM ZOFlaechenAnalysen z JOIN AnalysenID a ON a.AnalysenNr = z.AnalysenNr "
                       "WHERE z.FlaechenNr = ? AND substr(z.Datum, 1, 10) = ? ORDER BY z.rowid LIMIT 1"),
        {flaechenNr, isoText(datum)});
    if (!nr.isValid() || nr.isNull())
        return std::nullopt;
    return nr.toString();
}

AnalyseGespeichert FlaechenDaten::AnalysenWerteSpeichern(const AnalyseEingabe& e)
{
    AnalyseGespeichert r;
    const auto os = analysenWertLesen(e.txtWert[kOrgSubstanz], m_gebiet);
    const auto p = analysenWertLesen(e.txtWert[kP2O5], m_gebiet);
    const auto k = analysenWertLesen(e.txtWert[kK2O], m_gebiet);
    const auto ph = analysenWertLesen(e.txtWert[kPH], m_gebiet);
    const double mg = analysenWertLesen(e.txtWert[kMg], m_gebiet).value_or(kMgNichtBestimmt);
    if (e.intBodenart < 0 || e.intBodenart > 2 || !os || !p || !k || !ph || !e.datum.isValid()) {
        r.meldung = fehlerMeldungFuer(QStringLiteral("Analysenwerte"));
        return r;
    }
    const int kuerzel = e.bodenartListenIndex >= 0 ? e.bodenartListenIndex + 1 : 0;

    try {
        sql::Transaction t(m_db);
        const auto flaeche = flaecheLesen(e.strAktFlaechenNr);
        if (!flaeche || flaeche->Gliederungspunkt) {
            r.meldung = hinweis(QStringLiteral("Die Fläche dieser Analyse ist nicht mehr vorhanden. "
                                               "Die Analyse wurde nicht gespeichert."));
            return r;
        }
        QString nr;
        if (e.strAktAnalysenNr != kNeueAnalyse && analyseLesen(e.strAktAnalysenNr))
            nr = e.strAktAnalysenNr;
        else if (const auto vorhanden = analyseZuDatum(e.strAktFlaechenNr, e.datum))
            nr = *vorhanden;

        const QString geaendert = jetzt();
        if (!nr.isEmpty()) {
            sql::exec(m_db,
                      QStringLiteral("UPDATE AnalysenID SET LetzteAenderung = ?, Bodenart = ?, BodenartKuerzel = ?, "
                                     "GesamtN = ?, P2O5 = ?, K2O = ?, Mg = ?, pH = ? WHERE AnalysenNr = ?"),
                      {geaendert, e.intBodenart, kuerzel, *os, *p, *k, mg, *ph, nr});
            pruefpunkt(u"Analyse");
        } else {
            nr = naechsteNummer(m_db, QStringLiteral("AnalysenID"), QStringLiteral("AnalysenNr"), QStringLiteral("An"));
            // assignments of this plot and date whose analysis is gone would hide the new one
            sql::exec(m_db,
                      QStringLiteral("DELETE FROM ZOFlaechenAnalysen WHERE FlaechenNr = ? AND substr(Datum, 1, 10) = ? "
                                     "AND NOT EXISTS (SELECT 1 FROM AnalysenID a "
                                     "WHERE a.AnalysenNr = ZOFlaechenAnalysen.AnalysenNr)"),
                      {e.strAktFlaechenNr, isoText(e.datum)});
            sql::exec(m_db,
                      QStringLiteral("INSERT INTO AnalysenID (AnalysenNr, Datum, Bodenart, BodenartKuerzel, GesamtN, P2O5, "
                                     "K2O, Mg, pH, LetzteAenderung, ID) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                      {nr, isoText(e.datum), e.intBodenart, kuerzel, *os, *p, *k, mg, *ph, geaendert,
                       neueZeilenId(m_uhr, m_zufall)});
            pruefpunkt(u"Analyse");
            sql::exec(m_db,
                      QStringLiteral("INSERT INTO ZOFlaechenAnalysen (FlaechenNr, AnalysenNr, Datum, AktuellerDatensatz, "
                                     "ID) VALUES (?, ?, ?, 1, ?)"),
                      {flaeche->FlaechenNr, nr, isoText(e.datum), neueZeilenId(m_uhr, m_zufall)});
            pruefpunkt(u"Zuordnung");
            r.neu = true;
        }
        t.commit();
        r.AnalysenNr = nr;
    } catch (const std::exception& ex) {
        r.neu = false;
        r.meldung = fehlgeschlagen(QStringLiteral("Die Analyse konnte nicht gespeichert werden."),
                                   QString::fromStdString(ex.what()))
                        .meldung;
        return r;
    }
    r.ok = true;
    r.sngOS = static_cast<float>(*os);
    r.sngP2O5 = static_cast<float>(*p);
    r.sngK2O = static_cast<float>(*k);
    r.sngMg = static_cast<float>(mg);
    r.sngPH = static_cast<float>(*ph);
    return r;
}

std::optional<std::pair<QString, qint64>> FlaechenDaten::neueNummerUnter(const QString& strAktGruppierungNr,
                                                                          Schreibergebnis& r)
{
    const auto eltern = elternNummer(strAktGruppierungNr);
    if (!eltern || (*eltern != 0 && !istGruppe(*eltern))) {
        r.meldung = hinweis(kElternFehlen);
        return std::nullopt;
    }
    r.FlaechenNr =
        naechsteNummer(m_db, QStringLiteral("FlaechenID"), QStringLiteral("FlaechenNr"), QStringLiteral("Fl"));
    return std::make_pair(r.FlaechenNr, *eltern);
}

bool FlaechenDaten::geaendert(const QSqlQuery& q, Schreibergebnis& r)
{
    if (q.numRowsAffected() >= 1)
        return true;
    r.meldung = hinweis(kEintragFehlt);
    return false;
}

Schreibergebnis FlaechenDaten::flaecheNeu(const FlaechenEingabe& e, const QString& strAktGruppierungNr)
{
    double laenge = 0, breite = 0, flaeche = 0;
    if (e.Bezeichnung.size() > kNameLaengeMax)
        return abgelehnt(kNameZuLang);
    if (!masseLesen(e, m_gebiet, laenge, breite, flaeche))
        return abgelehnt(kMasseFalsch);
    Schreibergebnis r = inEinemVorgang(QStringLiteral("Die Fläche konnte nicht gespeichert werden."), [&](Schreibergebnis& erg) {
        const auto neu = neueNummerUnter(strAktGruppierungNr, erg);
        if (!neu)
            return false;
        sql::exec(m_db,
                  QStringLiteral("INSERT INTO FlaechenID (ID, FlaechenNr, Gliederungspunkt, GruppierungNr, "
                                 "AktuellerDatensatz, Bezeichnung, Laenge, Breite, Flaeche, Kompost, Nutzung, "
                                 "LetzteAenderung) VALUES (?, ?, 0, ?, 1, ?, ?, ?, ?, ?, ?, ?)"),
                  {neueZeilenId(m_uhr, m_zufall), neu->first, neu->second, e.Bezeichnung, laenge, breite, flaeche,
                   e.Kompost != 0 ? 1 : 0, e.Nutzung, jetzt()});
        pruefpunkt(u"Flaeche");
        return true;
    });
    if (r.ok)
        r.sngFlaecheGroesse = static_cast<float>(flaeche);
    return r;
}

Schreibergebnis FlaechenDaten::flaecheAendern(const QString& flaechenNr, const FlaechenEingabe& e)
{
    double laenge = 0, breite = 0, flaeche = 0;
    if (e.Bezeichnung.size() > kNameLaengeMax)
        return abgelehnt(kNameZuLang);
    if (!masseLesen(e, m_gebiet, laenge, breite, flaeche))
        return abgelehnt(kMasseFalsch);
    Schreibergebnis r = inEinemVorgang(QStringLiteral("Die Fläche konnte nicht gespeichert werden."), [&](Schreibergebnis& erg) {
        erg.FlaechenNr = flaechenNr;
        const QSqlQuery q =
            sql::exec(m_db,
                      QStringLiteral("UPDATE FlaechenID SET Bezeichnung = ?, Breite = ?, Laenge = ?, Flaeche = ?, "
                                     "Kompost = ?, Nutzung = ?, AktuellerDatensatz = ?, LetzteAenderung = ? "
                                     "WHERE FlaechenNr = ? AND Gliederungspunkt = 0"),
                      {e.Bezeichnung, breite, laenge, flaeche, e.Kompost != 0 ? 1 : 0, e.Nutzung,
                       e.AktuellerDatensatz ? 1 : 0, jetzt(), flaechenNr});
        if (!geaendert(q, erg))
            return false;
        pruefpunkt(u"Flaeche");
        return true;
    });
    if (r.ok)
        r.sngFlaecheGroesse = static_cast<float>(flaeche);
    return r;
}

Schreibergebnis FlaechenDaten::gruppeNeu(const QString& Bezeichnung, const QString& strAktGruppierungNr)
{
    if (Bezeichnung.size() > kNameLaengeMax)
        return abgelehnt(kNameZuLang);
    return inEinemVorgang(QStringLiteral("Die Gruppe konnte nicht gespeichert werden."), [&](Schreibergebnis& r) {
        const auto neu = neueNummerUnter(strAktGruppierungNr, r);
        if (!neu)
            return false;
        sql::exec(m_db,
                  QStringLiteral("INSERT INTO FlaechenID (ID, FlaechenNr, Gliederungspunkt, GruppierungNr, "
                                 "AktuellerDatensatz, Bezeichnung, Laenge, Breite, Flaeche, Bodenart, LetzteAenderung) "
                                 "VALUES (?, ?, 1, ?, 1, ?, 0, 0, 0, 0, ?)"),
                  {neueZeilenId(m_uhr, m_zufall), neu->first, neu->second, Bezeichnung, jetzt()});
        pruefpunkt(u"Gruppe");
        return true;
    });
}

Schreibergebnis FlaechenDaten::gruppeAendern(const QString& flaechenNr, const QString& Bezeichnung,
                                             bool AktuellerDatensatz)
{
    if (Bezeichnung.size() > kNameLaengeMax)
        return abgelehnt(kNameZuLang);
    return inEinemVorgang(QStringLiteral("Die Gruppe konnte nicht gespeichert werden."), [&](Schreibergebnis& r) {
        r.FlaechenNr = flaechenNr;
        const QSqlQuery q = sql::exec(m_db,
                                      QStringLiteral("UPDATE FlaechenID SET Bezeichnung = ?, AktuellerDatensatz = ? "
                                                     "WHERE FlaechenNr = ? AND Gliederungspunkt = 1"),
                                      {Bezeichnung, AktuellerDatensatz ? 1 : 0, flaechenNr});
        if (!geaendert(q, r))
            return false;
        pruefpunkt(u"Gruppe");
        return true;
    });
}

void FlaechenDaten::aufraeumen(bool mitFlaechen)
{
    struct Schritt {
        const char16_t* tabelle;
        const char* anweisung;
    };
    static const Schritt kSchritte[] = {
        {u"FlaechenID",
         "DELETE FROM FlaechenID WHERE GruppierungNr <> 0 AND NOT EXISTS (SELECT 1 FROM FlaechenID g "
         "WHERE g.FlaechenNr = 'Fl' || CAST(FlaechenID.GruppierungNr AS INTEGER))"},
        {u"ZOFlaechenAnalysen",
         "DELETE FROM ZOFlaechenAnalysen WHERE NOT EXISTS (SELECT 1 FROM FlaechenID f "
         "WHERE f.FlaechenNr = ZOFlaechenAnalysen.FlaechenNr)"},
        {u"AnalysenID",
         "DELETE FROM AnalysenID WHERE NOT EXISTS (SELECT 1 FROM ZOFlaechenAnalysen z "
         "WHERE z.AnalysenNr = AnalysenID.AnalysenNr)"},
        {u"Nmin",
         "DELETE FROM Nmin WHERE NOT EXISTS (SELECT 1 FROM FlaechenID f WHERE f.FlaechenNr = Nmin.FlaechenNr)"},
        {u"MischkulturID",
         "DELETE FROM MischkulturID WHERE NOT EXISTS (SELECT 1 FROM FlaechenID f "
         "WHERE f.FlaechenNr = MischkulturID.FlaechenNr)"},
        {u"MKEditor",
         "DELETE FROM MKEditor WHERE NOT EXISTS (SELECT 1 FROM MischkulturID m WHERE m.MKID = MKEditor.MKID)"},
    };
    // every pass looks at the whole table; repeat until a round removes nothing
    for (;;) {
        int entfernt = 0;
        for (const Schritt& s : kSchritte) {
            if (!mitFlaechen && &s == &kSchritte[0])
                continue;
            entfernt += std::max(0, sql::exec(m_db, QString::fromLatin1(s.anweisung)).numRowsAffected());
            pruefpunkt(QStringView(s.tabelle));
        }
        if (entfernt == 0)
            break;
    }
}

Schreibergebnis FlaechenDaten::abgelehnt(const QString& text)
{
    Schreibergebnis r;
    r.meldung = hinweis(text);
    return r;
}

Schreibergebnis FlaechenDaten::inEinemVorgang(const QString& wennFehler,
                                              const std::function<bool(Schreibergebnis&)>& arbeit)
{
    Schreibergebnis r;
    try {
        sql::Transaction t(m_db);
        if (!arbeit(r))
            return r; // refused: nothing is kept, the reason is in r.meldung
        t.commit();
    } catch (const std::exception& ex) {
        return fehlgeschlagen(wennFehler, QString::fromStdString(ex.what()));
    }
    r.ok = true;
    return r;
}

Schreibergebnis FlaechenDaten::GruppeMitUnterpunktenLoeschen(const QString& flaechenNr)
{
    return inEinemVorgang(QStringLiteral("Die Gruppe konnte nicht gelöscht werden."), [&](Schreibergebnis& r) {
        r.FlaechenNr = flaechenNr;
        sql::exec(m_db, QStringLiteral("DELETE FROM FlaechenID WHERE FlaechenNr = ? AND Gliederungspunkt = 1"),
                  {flaechenNr});
        pruefpunkt(u"Gruppe");
        aufraeumen(true);
        return true;
    });
}

Schreibergebnis FlaechenDaten::GruppeAufloesen(const QString& flaechenNr)
{
    return inEinemVorgang(QStringLiteral("Die Gruppe konnte nicht aufgelöst werden."), [&](Schreibergebnis& r) {
        r.FlaechenNr = flaechenNr;
        const auto gruppe = flaecheLesen(flaechenNr);
        const auto n = nummerTeil(flaechenNr);
        if (!gruppe || !gruppe->Gliederungspunkt || !n)
            return true;
        // children first: a failure can never leave them without their group
        const qint64 eltern = gruppe->GruppierungNr == *n ? 0 : gruppe->GruppierungNr;
        sql::exec(m_db, QStringLiteral("UPDATE FlaechenID SET GruppierungNr = ? WHERE GruppierungNr = ?"),
                  {eltern, *n});
        pruefpunkt(u"Verschoben");
        sql::exec(m_db, QStringLiteral("DELETE FROM FlaechenID WHERE FlaechenNr = ? AND Gliederungspunkt = 1"),
                  {flaechenNr});
        pruefpunkt(u"Gruppe");
        return true;
    });
}

Schreibergebnis FlaechenDaten::FlaecheLoeschen(const QString& flaechenNr)
{
    return inEinemVorgang(QStringLiteral("Die Fläche konnte nicht gelöscht werden."), [&](Schreibergebnis& r) {
        r.FlaechenNr = flaechenNr;
        sql::exec(m_db, QStringLiteral("DELETE FROM FlaechenID WHERE FlaechenNr = ? AND Gliederungspunkt = 0"),
                  {flaechenNr});
        pruefpunkt(u"Flaeche");
        aufraeumen(false);
        return true;
    });
}

Schreibergebnis FlaechenDaten::AnalyseLoeschen(const QString& analysenNr)
{
    return inEinemVorgang(QStringLiteral("Die Analyse konnte nicht gelöscht werden."), [&](Schreibergebnis&) {
        sql::exec(m_db, QStringLiteral("DELETE FROM AnalysenID WHERE AnalysenNr = ?"), {analysenNr});
        pruefpunkt(u"Analyse");
        sql::exec(m_db, QStringLiteral("DELETE FROM ZOFlaechenAnalysen WHERE AnalysenNr = ?"), {analysenNr});
        pruefpunkt(u"Zuordnung");
        return true;
    });
}

} // namespace kav
