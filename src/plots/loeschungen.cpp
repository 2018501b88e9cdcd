#include "plots/loeschungen.h"

#include "plots/flaechendaten.h"
#include "services/sql.h"

#include <algorithm>

namespace kav {

namespace {

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

} // namespace

Loeschungen::Loeschungen(QSqlDatabase cnDaten) : DatenSchreiber(std::move(cnDaten)) {}

void Loeschungen::aufraeumen(bool mitFlaechen)
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

Schreibergebnis Loeschungen::eintragLoeschen(const QString& flaechenNr, bool gruppe, const QString& wennFehler)
{
    return inEinemVorgang(wennFehler, [&](Schreibergebnis& r) {
        r.FlaechenNr = flaechenNr;
        sql::exec(m_db, QStringLiteral("DELETE FROM FlaechenID WHERE FlaechenNr = ? AND Gliederungspunkt = ?"),
                  {flaechenNr, gruppe ? 1 : 0});
        pruefpunkt(gruppe ? u"Gruppe" : u"Flaeche");
        aufraeumen(gruppe);
        return true;
    });
}

Schreibergebnis Loeschungen::GruppeMitUnterpunktenLoeschen(const QString& flaechenNr)
{
    return eintragLoeschen(flaechenNr, true, QStringLiteral("Die Gruppe konnte nicht gelöscht werden."));
}

Schreibergebnis Loeschungen::GruppeAufloesen(const QString& flaechenNr)
{
    return inEinemVorgang(QStringLiteral("Die Gruppe konnte nicht aufgelöst werden."), [&](Schreibergebnis& r) {
        r.FlaechenNr = flaechenNr;
        const auto gruppe = flaecheLesen(m_db, flaechenNr);
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

Schreibergebnis Loeschungen::FlaecheLoeschen(const QString& flaechenNr)
{
    return eintragLoeschen(flaechenNr, false, QStringLiteral("Die Fläche konnte nicht gelöscht werden."));
}

Schreibergebnis Loeschungen::AnalyseLoeschen(const QString& analysenNr)
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
