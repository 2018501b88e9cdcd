#include "plots/datenschreiber.h"

#include "platform/clock.h"
#include "platform/localdatabase.h"
#include "services/datenbanken.h"
#include "services/recordids.h"
#include "services/sql.h"

#include <QDebug>
#include <QFileInfo>

namespace kav {

namespace {

const QString kEintragFehlt =
    QStringLiteral("Der Eintrag ist nicht mehr vorhanden. Es wurde nichts gespeichert.");

} // namespace

DatenSchreiber::DatenSchreiber(QSqlDatabase cnDaten, const Clock& uhr, RandomSource& zufall)
    : m_db(std::move(cnDaten)), m_uhr(&uhr), m_zufall(&zufall)
{
}

DatenSchreiber::DatenSchreiber(QSqlDatabase cnDaten) : m_db(std::move(cnDaten)) {}

void DatenSchreiber::pruefpunkt(QStringView schritt) const
{
    if (m_pruefpunkt)
        m_pruefpunkt(schritt);
}

QString DatenSchreiber::jetzt() const
{
    return m_uhr->now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QDate DatenSchreiber::heute() const { return m_uhr->today(); }

QString DatenSchreiber::neueId() { return neueZeilenId(*m_uhr, *m_zufall); }

Meldung DatenSchreiber::hinweis(const QString& text)
{
    return Meldung{0, QStringLiteral("Humavera"), text, Meldung::Symbol::Warnung};
}

Schreibergebnis DatenSchreiber::abgelehnt(const QString& text)
{
    Schreibergebnis r;
    r.meldung = hinweis(text);
    return r;
}

Schreibergebnis DatenSchreiber::inEinemVorgang(const QString& wennFehler,
                                               const std::function<bool(Schreibergebnis&)>& arbeit)
{
    Schreibergebnis r;
    try {
        sql::Transaction t(m_db);
        if (!arbeit(r))
            return r; // refused: nothing is kept, the reason is in r.meldung
        t.commit();
    } catch (const std::exception& ex) {
        // the user reads what was not stored; the driver's words go to the log
        qWarning().noquote() << wennFehler << QString::fromStdString(ex.what());
        if (!m_db.isOpen()) // closed by a restore until the next start, not damaged
            return abgelehnt(wennFehler + QStringLiteral("\n\n") + kDatenbankenGeschlossen);
        QString text = wennFehler + QStringLiteral(" Es wurde nichts verändert.");
        if (!LocalDatabase::notWritable(m_db.databaseName()).isEmpty())
            text += QStringLiteral("\n\nDie Datei „%1“ oder ihr Ordner ist schreibgeschützt.")
                        .arg(QFileInfo(m_db.databaseName()).fileName());
        return abgelehnt(text);
    }
    r.ok = true;
    return r;
}

bool DatenSchreiber::geaendert(const QSqlQuery& q, Schreibergebnis& r)
{
    if (q.numRowsAffected() >= 1)
        return true;
    r.meldung = hinweis(kEintragFehlt);
    return false;
}

} // namespace kav
