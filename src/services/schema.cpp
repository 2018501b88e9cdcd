#include "services/schema.h"

#include "platform/localdatabase.h"
#include "services/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <filesystem>
#include <mutex>

namespace kav {

QStringList schemaAnweisungen(Datenbankdatei datei)
{
    QFile f(datei == Datenbankdatei::Kav ? QStringLiteral(":/schema/kav.sql")
                                         : QStringLiteral(":/schema/daten.sql"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype comment = line.indexOf(QStringLiteral("--"));
        text += (comment >= 0 ? line.left(comment) : line) + QLatin1Char('\n');
    }
    QStringList out;
    for (const QString& s : text.split(QLatin1Char(';'))) {
        const QString t = s.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

QStringList schemaTabellen(Datenbankdatei datei)
{
    static const QRegularExpression re(QStringLiteral("^CREATE\\s+TABLE\\s+(\\w+)"),
                                       QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString& s : schemaAnweisungen(datei)) {
        const auto m = re.match(s);
        if (m.hasMatch())
            out << m.captured(1);
    }
    return out;
}

namespace {

// The schema laid out in memory, its columns read back from SQLite itself.
QHash<QString, QStringList> spaltenLesen(Datenbankdatei datei)
{
    QHash<QString, QStringList> s;
    const QString name = QStringLiteral("kav_spalten_") + QUuid::createUuid().toString(QUuid::Id128);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        if (db.open()) {
            try {
                schemaAnlegen(db, datei);
                for (const QString& t : schemaTabellen(datei))
                    s.insert(t, spaltenVon(db, t));
            } catch (const sql::Error&) {
                s.clear();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return s;
}

} // namespace

QHash<QString, QStringList> schemaSpalten(Datenbankdatei datei)
{
    // once per file, also when the start reads them ahead in another thread
    static std::once_flag einmal[2];
    static QHash<QString, QStringList> spalten[2];
    const size_t i = datei == Datenbankdatei::Kav ? 0 : 1;
    std::call_once(einmal[i], [&] { spalten[i] = spaltenLesen(datei); });
    return spalten[i];
}

bool dateiGesund(const QString& pfad, Datenbankdatei datei)
{
    return LocalDatabase::check(pfad, schemaTabellen(datei), nullptr, schemaSpalten(datei));
}

void schemaAnlegen(const QSqlDatabase& db, Datenbankdatei datei)
{
    const QStringList statements = schemaAnweisungen(datei);
    if (statements.isEmpty())
        throw sql::Error(QStringLiteral("Das Datenbankschema fehlt im Programm"));
    sql::Transaction t(db);
    for (const QString& s : statements)
        sql::exec(db, s);
    t.commit();
}

bool leereDatenbankAnlegen(const QString& pfad, Datenbankdatei datei, bool ersetzen, QString* why)
{
    if (!ersetzen && QFileInfo::exists(pfad)) {
        if (why) *why = QStringLiteral("Die Datei besteht bereits");
        return false;
    }
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    const QString tmp = pfad + QStringLiteral(".neu-") + QUuid::createUuid().toString(QUuid::Id128).left(8);
    const QString name = QStringLiteral("kav_schema_") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(tmp);
        if (!db.open()) {
            if (why) *why = db.lastError().text();
        } else {
            try {
                schemaAnlegen(db, datei);
                ok = true;
            } catch (const sql::Error& e) {
                if (why) *why = e.text();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (ok) {
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(tmp).toStdString(), QFile::encodeName(pfad).toStdString(), ec);
        if (ec) {
            ok = false;
            if (why) *why = QString::fromStdString(ec.message());
        }
    }
    if (!ok)
        QFile::remove(tmp);
    return ok;
}

QStringList spaltenVon(const QSqlDatabase& db, const QString& tabelle)
{
    QStringList out;
    if (!sql::isPlainIdentifier(tabelle))
        return out;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(tabelle)))
        return out;
    while (q.next())
        out << q.value(1).toString();
    return out;
}

} // namespace kav
