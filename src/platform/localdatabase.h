#pragma once
// A local SQLite database file behind a named connection, opened only after a real damage check.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace kav {

class LocalDatabase {
public:
    // Checks that the file exists, is a readable database that passes SQLite's quick check,
    // and holds every expected table. On failure `why` says what is wrong.
    static bool check(const QString& path, const QStringList& expectedTables, QString* why = nullptr);

    LocalDatabase(QString connectionName, QStringList expectedTables);
    ~LocalDatabase();
    LocalDatabase(const LocalDatabase&) = delete;
    LocalDatabase& operator=(const LocalDatabase&) = delete;

    // Opens the file after check(); the connection is left closed on failure.
    bool open(const QString& path, QString* why = nullptr);
    void close();
    bool isOpen() const;

    QSqlDatabase db() const;
    QString path() const { return m_path; }
    QString connectionName() const { return m_connectionName; }
    const QStringList& expectedTables() const { return m_expectedTables; }

private:
    QString m_connectionName;
    QStringList m_expectedTables;
    QString m_path;
};

} // namespace kav
