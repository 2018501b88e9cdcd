#pragma once
// Reading many rows of a local database file quickly: the statement runs on SQLite's own handle of
// the connection, and a value becomes a QString only when it is asked for (the plot tree reads
// thousands of rows after every change). Without such a handle it reads through QSqlQuery.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <optional>

struct sqlite3_stmt;

namespace kav {

class ZeilenLeser {
public:
    ZeilenLeser(const QSqlDatabase& db, const QString& anweisung);
    ~ZeilenLeser();
    ZeilenLeser(const ZeilenLeser&) = delete;
    ZeilenLeser& operator=(const ZeilenLeser&) = delete;

    // Empty unless the statement failed (then it says why).
    const QString& fehler() const { return m_fehler; }
    // The next row; false at the end and on a failure.
    bool next();
    // A column of the current row as text (empty for NULL) and as a whole number (0 for NULL or text).
    QString text(int spalte) const;
    qint64 ganz(int spalte) const;

private:
    sqlite3_stmt* m_stmt = nullptr;
    std::optional<QSqlQuery> m_query;
    QString m_fehler;
};

} // namespace kav
