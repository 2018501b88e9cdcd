#pragma once
// What the writers of Daten.KRN share: every command runs in one transaction and is done completely
// or not at all; its result carries the message for the user.
#include "services/meldungen.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringView>

#include <functional>
#include <utility>

namespace kav {

class Clock;
class RandomSource;

struct Schreibergebnis {
    bool ok = false;
    Meldung meldung;             // on failure
    QString FlaechenNr;          // the new or changed entry
    float sngFlaecheGroesse = 0; // area of a stored plot
};

class DatenSchreiber {
public:
    // For tests: called at named points inside the transactions; throwing there makes the
    // command fail and roll back.
    void setPruefpunkt(std::function<void(QStringView)> f) { m_pruefpunkt = std::move(f); }

protected:
    // Writers that stamp rows with a change time and make new row ids take the clock and the
    // random source; the deletions need neither.
    DatenSchreiber(QSqlDatabase cnDaten, const Clock& uhr, RandomSource& zufall);
    explicit DatenSchreiber(QSqlDatabase cnDaten);

    void pruefpunkt(QStringView schritt) const;
    // Change time of a row: the clock as "yyyy-MM-dd hh:mm:ss".
    QString jetzt() const;
    // Today by the clock.
    QDate heute() const;
    // A new 18-character row id.
    QString neueId();
    // A warning of the program's title.
    static Meldung hinweis(const QString& text);
    static Schreibergebnis abgelehnt(const QString& text);
    // Runs `arbeit` in one transaction: all of it, or nothing when it refuses (returns false with the
    // reason in the result) or fails (with the message `wennFehler` and the cause).
    Schreibergebnis inEinemVorgang(const QString& wennFehler, const std::function<bool(Schreibergebnis&)>& arbeit);
    // True when the statement changed a row; otherwise the result says the entry is gone.
    static bool geaendert(const QSqlQuery& q, Schreibergebnis& r);

    QSqlDatabase m_db;

private:
    const Clock* m_uhr = nullptr;
    RandomSource* m_zufall = nullptr;
    std::function<void(QStringView)> m_pruefpunkt;
};

} // namespace kav
