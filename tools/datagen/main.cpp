// Builds the database files of the program folder from the readable sources under data/:
//   kavdatagen --kav OUT.KRN --rows DIR    reference file: schema and the rows of DIR/<Tabelle>.tsv
//   kavdatagen --daten OUT.KRN             user file: schema only
// Row files: tab-separated, first line the column names, "#" starts a comment line, an empty cell
// is NULL, "\t" "\n" "\\" are escapes, and a cell "@datei:PATH" takes the text of PATH (relative
// to the parent of DIR).
#include "services/schema.h"
#include "services/sql.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTextStream>

#include <cstdio>
#include <filesystem>

using namespace kav;

namespace {

[[noreturn]] void fail(const QString& text)
{
    std::fprintf(stderr, "kavdatagen: %s\n", qPrintable(text));
    std::exit(1);
}

QString unescape(const QString& cell)
{
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell.at(i);
        if (c == QLatin1Char('\\') && i + 1 < cell.size()) {
            const QChar n = cell.at(++i);
            if (n == QLatin1Char('t')) out += QLatin1Char('\t');
            else if (n == QLatin1Char('n')) out += QLatin1Char('\n');
            else out += n;
        } else {
            out += c;
        }
    }
    return out;
}

int loadTable(const QSqlDatabase& db, const QString& file, const QDir& base)
{
    const QString table = QFileInfo(file).completeBaseName();
    const QStringList columns = spaltenVon(db, table);
    if (columns.isEmpty())
        fail(QStringLiteral("%1: Tabelle %2 gibt es im Schema nicht").arg(file, table));

    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(QStringLiteral("%1 kann nicht gelesen werden").arg(file));
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);

    QStringList header;
    QString insert;
    int lineNo = 0, rows = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (header.isEmpty()) {
            for (const QString& c : cells) {
                const QString name = c.trimmed();
                if (!columns.contains(name, Qt::CaseInsensitive))
                    fail(QStringLiteral("%1:%2: Spalte %3 gibt es in %4 nicht").arg(file).arg(lineNo).arg(name, table));
                header << name;
            }
            QStringList quoted, marks;
            for (const QString& h : header) {
                quoted << QLatin1Char('"') + h + QLatin1Char('"');
                marks << QStringLiteral("?");
            }
            insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, quoted.join(u','), marks.join(u','));
            continue;
        }
        if (cells.size() > header.size())
            fail(QStringLiteral("%1:%2: %3 Werte, aber %4 Spalten").arg(file).arg(lineNo).arg(cells.size()).arg(header.size()));
        QVariantList values;
        for (qsizetype i = 0; i < header.size(); ++i) {
            const QString raw = i < cells.size() ? cells.at(i) : QString();
            if (raw.isEmpty()) {
                values << QVariant();
            } else if (raw.startsWith(QLatin1String("@datei:"))) {
                QFile text(base.filePath(raw.mid(7).trimmed()));
                if (!text.open(QIODevice::ReadOnly))
                    fail(QStringLiteral("%1:%2: %3 fehlt").arg(file).arg(lineNo).arg(text.fileName()));
                values << QString::fromUtf8(text.readAll());
            } else {
                values << unescape(raw);
            }
        }
        try {
            sql::exec(db, insert, values);
        } catch (const sql::Error& e) {
            fail(QStringLiteral("%1:%2: %3").arg(file).arg(lineNo).arg(e.text()));
        }
        ++rows;
    }
    return rows;
}

void build(const QString& out, Datenbankdatei art, const QString& rowsDir)
{
    QDir().mkpath(QFileInfo(out).absolutePath());
    const QString tmp = out + QStringLiteral(".build");
    QFile::remove(tmp);
    QString why;
    if (!leereDatenbankAnlegen(tmp, art, true, &why))
        fail(QStringLiteral("%1: %2").arg(out, why));
    if (!rowsDir.isEmpty()) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("gen"));
            db.setDatabaseName(tmp);
            if (!db.open())
                fail(db.lastError().text());
            const QDir dir(rowsDir);
            QDir base(rowsDir);
            base.cdUp();
            sql::Transaction t(db);
            int total = 0;
            for (const QString& name : dir.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name))
                total += loadTable(db, dir.filePath(name), base);
            t.commit();
            sql::exec(db, QStringLiteral("VACUUM"));
            db.close();
            std::printf("kavdatagen: %s mit %d Zeilen\n", qPrintable(QFileInfo(out).fileName()), total);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("gen"));
    }
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(tmp).toStdString(), QFile::encodeName(out).toStdString(), ec);
    if (ec)
        fail(QString::fromStdString(ec.message()));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString kav, daten, rows;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--kav")) kav = args[i + 1];
        else if (args[i] == QLatin1String("--daten")) daten = args[i + 1];
        else if (args[i] == QLatin1String("--rows")) rows = args[i + 1];
        else fail(QStringLiteral("unbekannte Option ") + args[i]);
    }
    if (kav.isEmpty() && daten.isEmpty())
        fail(QStringLiteral("--kav oder --daten fehlt"));
    if (!kav.isEmpty())
        build(kav, Datenbankdatei::Kav, rows);
    if (!daten.isEmpty())
        build(daten, Datenbankdatei::Daten, QString());
    return 0;
}
