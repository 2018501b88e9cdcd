#pragma once
// Small helpers over Qt SQL: every value is bound, never spliced into the text.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <stdexcept>

namespace kav::sql {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& what) : std::runtime_error(what.toStdString()), m_text(what) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// Prepares and runs a statement with positional "?" parameters; throws sql::Error on failure.
QSqlQuery exec(const QSqlDatabase& db, const QString& statement, const QVariantList& params = {});

// First column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& statement, const QVariantList& params = {});

// True for names made of letters, digits and "_" only (table and column names given by the code).
bool isPlainIdentifier(const QString& name);

// Writes the row whose key columns hold `schluessel`: an UPDATE of its value columns when such a row
// is there, else an INSERT of keys and values. `vorher` (tests) runs just before the write with
// "Aktualisieren" or "Einfuegen". Returns true when the row was there. Names are checked as plain
// identifiers; throws sql::Error on failure.
bool zeileSchreiben(const QSqlDatabase& db, const QString& tabelle, const QStringList& schluesselSpalten,
                    const QVariantList& schluessel, const QStringList& wertSpalten, const QVariantList& werte,
                    const std::function<void(QStringView)>& vorher = {});

// Begins a transaction and rolls it back unless commit() is called.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    QSqlDatabase m_db;
    bool m_open = false;
};

} // namespace kav::sql
