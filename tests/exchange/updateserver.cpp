#include "updateserver.h"

#include "services/datenbanken.h"
#include "services/gebietsschema.h"
#include "services/programmstart.h"
#include "services/sql.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace kav::test {

std::optional<AustauschKonten> austauschKonten()
{
    const auto programm = testServer();
    const QString ftpPort = qEnvironmentVariable("KAV_TEST_FTP_PORT");
    const QString fixUser = qEnvironmentVariable("KAV_TEST_MYSQL_FIXTURE_USER");
    if (!programm || ftpPort.isEmpty() || fixUser.isEmpty())
        return std::nullopt;
    AustauschKonten k;
    k.programm = *programm;
    k.programm.ftpPort = ftpPort.toInt();
    k.programm.ftpUser = qEnvironmentVariable("KAV_TEST_FTP_USER");
    k.programm.ftpPassword = qEnvironmentVariable("KAV_TEST_FTP_PASSWORD");
    k.fixture = k.programm;
    k.fixture.user = fixUser;
    k.fixture.password = qEnvironmentVariable("KAV_TEST_MYSQL_FIXTURE_PASSWORD");
    k.ftpWurzel = qEnvironmentVariable("KAV_TEST_FTP_ROOT");
    return k;
}

QString fallName()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    QString n = (QString::fromUtf8(info->test_suite_name()) + "_" + QString::fromUtf8(info->name())).toLower();
    n.replace(QRegularExpression("[^a-z0-9]"), "_");
    if (n.size() > 40)
        n = n.left(30) + QCryptographicHash::hash(n.toUtf8(), QCryptographicHash::Md5).toHex().left(10);
    return n;
}

UpdateServer::UpdateServer(AustauschKonten k, const QString& fall)
    : konten(std::move(k)), datenbank("kav_update_" + fall), m_name("fixture_" + fall), m_fall(fall)
{
    QString why;
    if (!openRemoteConnection(konten.fixture, m_name, QString(), &why))
        throw std::runtime_error(why.toStdString());
    sql("DROP DATABASE IF EXISTS " + datenbank);
    sql("CREATE DATABASE " + datenbank + " CHARACTER SET utf8mb4");
    sql("USE " + datenbank);
    QFile f(quellOrdner() + "/data/server/kav_update.sql");
    f.open(QIODevice::ReadOnly);
    QString text = QString::fromUtf8(f.readAll());
    text.remove(QRegularExpression("--[^\n]*"));
    for (const QString& a : text.split(';', Qt::SkipEmptyParts))
        if (const QString t = a.trimmed(); !t.isEmpty() && !t.startsWith("CREATE DATABASE") && !t.startsWith("USE "))
            sql(t);
    m_ftp = konten.ftpWurzel + "/" + fall;
    QDir(m_ftp).removeRecursively();
    for (const char* u : {"Lexikon", "Vollbild", "Vorschau"})
        QDir().mkpath(ftp(u));
}

UpdateServer::~UpdateServer()
{
    try {
        sql("DROP DATABASE IF EXISTS " + datenbank);
    } catch (...) {
    }
    closeRemoteConnection(m_name);
    QDir(m_ftp).removeRecursively();
}

void UpdateServer::sql(const QString& anweisung, const QVariantList& werte)
{
    const QSqlDatabase cn = QSqlDatabase::database(m_name, false);
    if (!werte.isEmpty())
        return void(sql::exec(cn, anweisung, werte));
    QSqlQuery q(cn); // unprepared: the server prepares no CREATE TRIGGER
    if (!q.exec(anweisung))
        throw sql::Error(q.lastError().text());
}

QVariant UpdateServer::wert(const QString& anweisung, const QVariantList& werte)
{
    return sql::scalar(QSqlDatabase::database(m_name, false), anweisung, werte);
}

namespace {
void bilderKopieren(const QString& von, const QString& nach)
{
    for (const QString u : {"Vorschau", "Vollbild"}) {
        QDir().mkpath(nach + "/" + u);
        for (const QString& d : QDir(von + "/" + u).entryList(QDir::Files))
            QFile::copy(von + "/" + u + "/" + d, nach + "/" + u + "/" + d);
    }
}
} // namespace

void UpdateServer::fuellen(const QSqlDatabase& quelle, const QString& bilder)
{
    // local table, its columns sent, remote table with its columns
    const char* const tabellen[][3] = {
        {"DuengerID", "*", "duengerid"}, {"KalkID", "*", "kalkid"}, {"KulturID", "*", "kulturid"},
        {"Reihenabstand", "*", "reihenabstand"}, {"MKFarben", "*", "mkfarben"}, {"OrgSubID", "*", "orgsubid"},
        {"LexikonKapitel", "*", "lexikonkapitel"},
        {"LexikonSuchbegriff", "Suchbegriff, Verweis, GanzesWort, Erscheinen", "lexikonsuchbegriff (Suchbegriff, Verweis, GanzesWort, Erscheinen)"},
        {"Lexikon", "KapitelNr, LetzteAenderung, Kapitel", "lexikon (KapitelNr, LetzteAenderung)"},
        {"LexikonBilder", "BilderNr, BildDatei, Quelle, Verweis, Reihenfolge", "lexikonbilder (BilderNr, BildDatei, Quelle, Verweis, Reihenfolge)"}};
    for (const auto& [t, spalten, entfernt] : tabellen) {
        QSqlQuery q = sql::exec(quelle, QString("SELECT %1 FROM %2 ORDER BY rowid").arg(spalten, t));
        const int n = QString(t) == "Lexikon" ? 2 : q.record().count(); // the text goes as a file
        QStringList zeilen;
        QVariantList w;
        while (q.next()) {
            zeilen << "(" + QStringList(n, "?").join(", ") + ")";
            for (int i = 0; i < n; ++i)
                w << q.value(i);
            if (QString(t) == "Lexikon") {
                ASSERT_NO_FATAL_FAILURE(schreibeDatei(ftp("Lexikon") + "/" + q.value(0).toString() + ".txt", q.value(2).toString().replace("\n", "\r\n").toUtf8()));
            }
        }
        sql(QString("INSERT INTO %1 VALUES %2").arg(entfernt, zeilen.join(", ")), w);
    }
    bilderKopieren(bilder, m_ftp + "/Kav");
}

void UpdateServer::stand(const QStringList& daten, int major, int minor, int revision)
{
    sql("DELETE FROM updatemanager");
    QVariantList w;
    for (const QString& d : daten)
        w << (d.isEmpty() ? QVariant() : QVariant(d));
    sql("INSERT INTO updatemanager VALUES (?, ?, ?, ?, ?, ?, ?, ?)", w + QVariantList{major, minor, revision});
}

void UpdateServer::serverIni(const QString& pfad) const
{
    QSettings s(pfad, QSettings::IniFormat);
    const ServerConfig& p = konten.programm;
    const std::pair<const char*, QVariant> werte[] = {
        {"Adresse", p.host}, {"Port", p.port}, {"Benutzer", p.user}, {"Passwort", p.password},
        {"ErreichbarMillisekunden", 2000}, {"FTPPort", p.ftpPort}, {"FTPBenutzer", p.ftpUser},
        {"FTPPasswort", p.ftpPassword}, {"UpdateDatenbank", datenbank}, {"FTPVerzeichnis", m_fall},
        {"DownloadSeite", "www.humavera.example/download"}};
    for (const auto& [schluessel, wert] : werte)
        s.setValue(QString("Server/") + schluessel, wert);
}

void UpdateServer::verbindungenBeenden() const
{
    static std::atomic<int> n{0};
    const QString name = m_name + "_kill" + QString::number(++n);
    if (!openRemoteConnection(konten.fixture, name, QString()))
        return;
    {
        const QSqlDatabase cn = QSqlDatabase::database(name, false);
        QSqlQuery q = sql::exec(cn, "SELECT ID FROM information_schema.PROCESSLIST WHERE USER = ? AND DB = ?",
                                {konten.programm.user, datenbank});
        while (q.next())
            sql::exec(cn, "KILL CONNECTION " + QString::number(q.value(0).toLongLong()));
    }
    closeRemoteConnection(name);
}

int UpdateServer::verbindungen()
{
    return wert("SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE USER = ? AND DB = ?",
                {konten.programm.user, datenbank})
        .toInt();
}

// ---------------------------------------------------------------- program folder

void AustauschTest::SetUp()
{
    KAV_AUSTAUSCH_ODER_UEBERSPRINGEN(k);
    const Programmordner o{dir.path()};
    ASSERT_NO_FATAL_FAILURE(referenzDatei(o.kavDatei()));
    ASSERT_NO_FATAL_FAILURE(referenzDatei(o.kavStandard()));
    ASSERT_NO_FATAL_FAILURE(leereDatei(o.datenDatei(), Datenbankdatei::Daten));
    bilderKopieren(programmOrdner() + "/Lexikon/Bilder", o.lexikon() + "/Bilder");
    server.emplace(k, fallName());
    server->serverIni(o.serverKonfiguration());
    AppContext& c = appNeu();
    c.gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    c.uhr = std::make_shared<FixedClock>(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    c.anzeige = &protokoll;
    ASSERT_TRUE(DiensteStarten(c, dir.path(), dir.filePath("config/Kav.ini")));
    c.einstellungen.datLetztesUpdate = QDateTime(QDate(2026, 2, 1), QTime(0, 0));
    server->fuellen(kav(), o.lexikon() + "/Bilder");
}

void AustauschTest::TearDown()
{
    app().diensteSchliessen();
    server.reset();
}

QSqlDatabase AustauschTest::kav() const { return app().db->cnKav(); }
QSqlDatabase AustauschTest::daten() const { return app().db->cnDaten(); }

QString AustauschTest::abbild() const
{
    QStringList out;
    for (const char* t : {"DuengerID", "KalkID", "KulturID", "Reihenabstand", "MKFarben", "OrgSubID", "LexikonKapitel",
                          "LexikonSuchbegriff", "Lexikon", "LexikonBilder"}) {
        QSqlQuery q = sql::exec(kav(), QString("SELECT * FROM %1 ORDER BY rowid").arg(t));
        while (q.next()) {
            QStringList z{t};
            for (int i = 0; i < q.record().count(); ++i)
                z << q.value(i).toString();
            out << z.join('|');
        }
    }
    QDirIterator it(dir.filePath("Lexikon"), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    QStringList dateien;
    while (it.hasNext()) {
        it.next();
        dateien << it.filePath().mid(dir.path().size()) + " " + (it.fileInfo().isDir() ? "/" : QString::number(it.fileInfo().size()));
    }
    dateien.sort();
    return (out + dateien).join('\n') + "\n" + app().einstellungen.datLetztesUpdate.toString(Qt::ISODate);
}

} // namespace kav::test
