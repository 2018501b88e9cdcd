#include "plots/flaechendaten.h"

#include "plots/einstufung.h"
#include "plots/wertebereiche.h"
#include "services/gebietsschema.h"
#include "services/namensregeln.h"
#include "services/recordids.h"
#include "services/sql.h"

#include <QSqlQuery>

namespace kav {

namespace {

// Parent number given as text by the page: "0" (top level) or a group's number part.
std::optional<qint64> elternNummer(const QString& text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return n;
}

const QString kMasseFalsch = QStringLiteral(
    "Bitte geben Sie Länge und Breite in m und die Fläche in m² als Zahlen ein. Es wurde nichts gespeichert.");
const QString kNameZuLang =
    QStringLiteral("Der Name darf höchstens %1 Zeichen lang sein. Es wurde nichts gespeichert.").arg(kNameLaengeMax);
const QString kNameSteuerzeichen = QStringLiteral(
    "Der Name darf keine Steuerzeichen (wie Zeilenumbruch oder Tabulator) enthalten. Es wurde nichts gespeichert.");
const QString kNameFehlt =
    QStringLiteral("Bitte geben Sie einen Namen ein. Es wurde nichts gespeichert.");
const QString kElternFehlen = QStringLiteral(
    "Die Gruppe, in die der Eintrag gehört, ist nicht mehr vorhanden. Es wurde nichts gespeichert.");

// An empty name (a nameless node, the caption "Änderungen an  vornehmen"), one too long or one with a
// control character (a NUL would cut it where it is shown).
std::optional<QString> nameFehler(const QString& name)
{
    switch (namePruefen(name, kNameLaengeMax).fehler) {
    case Namenspruefung::Fehler::Leer:
        return kNameFehlt;
    case Namenspruefung::Fehler::ZuLang:
        return kNameZuLang;
    case Namenspruefung::Fehler::Steuerzeichen:
        return kNameSteuerzeichen;
    case Namenspruefung::Fehler::Keiner:
        break;
    }
    return std::nullopt;
}

// The name as it is stored.
QString gespeicherterName(const QString& name) { return namePruefen(name, kNameLaengeMax).name; }

} // namespace

std::optional<FlaechenZeile> flaecheLesen(const QSqlDatabase& cnDaten, const QString& flaechenNr)
{
    QSqlQuery q = sql::exec(cnDaten,
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

FlaechenDaten::FlaechenDaten(QSqlDatabase cnDaten, const Gebietsschema& gebiet, const Clock& uhr, RandomSource& zufall)
    : DatenSchreiber(std::move(cnDaten), uhr, zufall), m_gebiet(gebiet)
{
}

bool FlaechenDaten::istGruppe(qint64 nummer) const
{
    return sql::scalar(m_db,
                       QStringLiteral("SELECT COUNT(*) FROM FlaechenID WHERE FlaechenNr = ? AND Gliederungspunkt = 1"),
                       {QStringLiteral("Fl") + QString::number(nummer)})
               .toLongLong() > 0;
}

bool FlaechenDaten::eintragEinfuegen(Schreibergebnis& r, const QString& strAktGruppierungNr, const QString& anweisung,
                                     const QVariantList& werte, QStringView punkt)
{
    const auto eltern = elternNummer(strAktGruppierungNr);
    if (!eltern || (*eltern != 0 && !istGruppe(*eltern))) {
        r.meldung = hinweis(kElternFehlen);
        return false;
    }
    r.FlaechenNr =
        naechsteNummer(m_db, QStringLiteral("FlaechenID"), QStringLiteral("FlaechenNr"), QStringLiteral("Fl"));
    sql::exec(m_db, anweisung, QVariantList{neueId(), r.FlaechenNr, *eltern} + werte);
    pruefpunkt(punkt);
    return true;
}

Schreibergebnis FlaechenDaten::flaecheSchreiben(const FlaechenEingabe& e,
                                                const std::function<bool(Schreibergebnis&, const Masse&)>& schreiben)
{
    if (const auto name = nameFehler(e.Bezeichnung))
        return abgelehnt(*name);
    // empty counts as 0, anything else must be a number of at least 0
    Masse m;
    const std::pair<double*, const QString*> felder[] = {
        {&m.laenge, &e.txtLaenge}, {&m.breite, &e.txtBreite}, {&m.flaeche, &e.txtFlaeche}};
    for (const auto& [ziel, text] : felder) {
        if (text->trimmed().isEmpty())
            continue;
        const auto v = analysenWertLesen(*text, m_gebiet);
        if (!v || *v < 0)
            return abgelehnt(kMasseFalsch);
        *ziel = *v;
    }
    if (const auto falsch = masseAusserhalb(e.txtLaenge, e.txtBreite, e.txtFlaeche, m_gebiet))
        return abgelehnt(*falsch);
    Schreibergebnis r = inEinemVorgang(QStringLiteral("Die Fläche konnte nicht gespeichert werden."),
                                       [&](Schreibergebnis& vorgang) { return schreiben(vorgang, m); });
    if (r.ok)
        r.sngFlaecheGroesse = static_cast<float>(m.flaeche);
    return r;
}

Schreibergebnis FlaechenDaten::flaecheNeu(const FlaechenEingabe& e, const QString& strAktGruppierungNr)
{
    return flaecheSchreiben(e, [&](Schreibergebnis& r, const Masse& m) {
        return eintragEinfuegen(r, strAktGruppierungNr,
                                QStringLiteral("INSERT INTO FlaechenID (ID, FlaechenNr, GruppierungNr, Gliederungspunkt, "
                                               "AktuellerDatensatz, Bezeichnung, Laenge, Breite, Flaeche, Kompost, "
                                               "Nutzung, LetzteAenderung) VALUES (?, ?, ?, 0, 1, ?, ?, ?, ?, ?, ?, ?)"),
                                {gespeicherterName(e.Bezeichnung), m.laenge, m.breite, m.flaeche, e.Kompost != 0 ? 1 : 0,
                                 e.Nutzung, jetzt()},
                                u"Flaeche");
    });
}

Schreibergebnis FlaechenDaten::flaecheAendern(const QString& flaechenNr, const FlaechenEingabe& e)
{
    return flaecheSchreiben(e, [&](Schreibergebnis& r, const Masse& m) {
        r.FlaechenNr = flaechenNr;
        const QSqlQuery q =
            sql::exec(m_db,
                      QStringLiteral("UPDATE FlaechenID SET Bezeichnung = ?, Breite = ?, Laenge = ?, Flaeche = ?, "
                                     "Kompost = ?, Nutzung = ?, AktuellerDatensatz = ?, LetzteAenderung = ? "
                                     "WHERE FlaechenNr = ? AND Gliederungspunkt = 0"),
                      {gespeicherterName(e.Bezeichnung), m.breite, m.laenge, m.flaeche, e.Kompost != 0 ? 1 : 0, e.Nutzung,
                       e.AktuellerDatensatz ? 1 : 0, jetzt(), flaechenNr});
        if (!geaendert(q, r))
            return false;
        pruefpunkt(u"Flaeche");
        return true;
    });
}

Schreibergebnis FlaechenDaten::gruppeNeu(const QString& Bezeichnung, const QString& strAktGruppierungNr)
{
    if (const auto name = nameFehler(Bezeichnung))
        return abgelehnt(*name);
    return inEinemVorgang(QStringLiteral("Die Gruppe konnte nicht gespeichert werden."), [&](Schreibergebnis& r) {
        return eintragEinfuegen(r, strAktGruppierungNr,
                                QStringLiteral("INSERT INTO FlaechenID (ID, FlaechenNr, GruppierungNr, Gliederungspunkt, "
                                               "AktuellerDatensatz, Bezeichnung, Laenge, Breite, Flaeche, Bodenart, "
                                               "LetzteAenderung) VALUES (?, ?, ?, 1, 1, ?, 0, 0, 0, 0, ?)"),
                                {gespeicherterName(Bezeichnung), jetzt()}, u"Gruppe");
    });
}

Schreibergebnis FlaechenDaten::gruppeAendern(const QString& flaechenNr, const QString& Bezeichnung,
                                             bool AktuellerDatensatz)
{
    if (const auto name = nameFehler(Bezeichnung))
        return abgelehnt(*name);
    return inEinemVorgang(QStringLiteral("Die Gruppe konnte nicht gespeichert werden."), [&](Schreibergebnis& r) {
        r.FlaechenNr = flaechenNr;
        const QSqlQuery q = sql::exec(m_db,
                                      QStringLiteral("UPDATE FlaechenID SET Bezeichnung = ?, AktuellerDatensatz = ? "
                                                     "WHERE FlaechenNr = ? AND Gliederungspunkt = 1"),
                                      {gespeicherterName(Bezeichnung), AktuellerDatensatz ? 1 : 0, flaechenNr});
        if (!geaendert(q, r))
            return false;
        pruefpunkt(u"Gruppe");
        return true;
    });
}

} // namespace kav
