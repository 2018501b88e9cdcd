#include "exchange/updateholen.h"

#include "platform/ftp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringDecoder>
#include <QThread>
#include <QThreadPool>

#include <cmath>
#include <vector>

namespace kav::exchange {

namespace {

struct Abweisung {
    QString grund;
};
struct Abbruch {};
struct KeineVerbindung {};

QString zitat(const QString& t) { return QStringLiteral("„") + t + QStringLiteral("“"); }

QDateTime alsDatum(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return {};
    if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate)
        return v.toDateTime();
    const QString t = v.toString().trimmed();
    QDateTime d = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!d.isValid())
        d = QDateTime(QDate::fromString(t, Qt::ISODate), QTime(0, 0));
    return d.isValid() ? d : QDateTime();
}

class Holer {
public:
    Holer(const HolAuftrag& a, const std::atomic<bool>& abbrechen, const std::function<void(const HolFortschritt&)>& melden)
        : m_a(a), m_abbrechen(abbrechen), m_melden(melden)
    {
        static std::atomic<int> zaehler{0};
        m_name = QStringLiteral("kav_update_holen_%1").arg(++zaehler);
    }
    ~Holer() { verbindungSchliessen(); }

    UpdatePaket lauf()
    {
        try {
            holen();
            stufeAbwarten();
            m_p.ergebnis = m_nichtsZuTun ? UpdatePaket::Ergebnis::NichtsZuTun : UpdatePaket::Ergebnis::Geholt;
        } catch (const Abweisung& a) {
            m_p.ergebnis = UpdatePaket::Ergebnis::Fehler;
            m_p.grund = a.grund;
        } catch (const KeineVerbindung&) {
            m_p.ergebnis = UpdatePaket::Ergebnis::KeineVerbindung;
        } catch (const Abbruch&) {
            m_p.ergebnis = UpdatePaket::Ergebnis::Abgebrochen;
        }
        verbindungSchliessen();
        return m_p;
    }

private:
    void holen()
    {
        melde(kStufeKontakt);
        pruefeAbbruch();
        if (!openRemoteConnection(m_a.server, m_name, m_a.server.updateDatenbank))
            throw KeineVerbindung{};
        m_db = QSqlDatabase::database(m_name, false);
        if (m_a.abbruch)
            m_a.abbruch->anmelden(m_name, m_db);
        standLesen();
        if (aelter(m_p.stand.letzteAenderung, m_a.datLetztesUpdate)) {
            m_nichtsZuTun = true;
            return;
        }
        const bool duenger = !aelter(m_p.stand.duenger, m_a.datLetztesUpdate);
        const bool kultur = !aelter(m_p.stand.kultur, m_a.datLetztesUpdate);
        const bool orgsub = !aelter(m_p.stand.orgsub, m_a.datLetztesUpdate);
        m_p.lexikon = !aelter(m_p.stand.lexikon, m_a.datLetztesUpdate);
        m_maximum = 1 + (duenger ? 1 : 0) + (kultur ? 3 : 0) + (orgsub ? 1 : 0) + (m_p.lexikon ? 4 + dateienZaehlen() : 0);

        if (duenger) {
            stufe(kStufeDuenger);
            kopie(kDuenger);
        }
        kopie(kKalk); // limes have no date of their own: every update takes them
        if (kultur) {
            stufe(kStufeKulturen);
            for (const Kopie& k : kKulturen)
                kopie(k);
        }
        if (orgsub) {
            stufe(kStufeOrgSub);
            kopie(kOrgSub);
        }
        if (!m_p.lexikon) {
            verbindungSchliessen();
            return;
        }
        stufe(kStufeLexikon);
        lexikonLesen();
        m_kapitel = kopie(kKapitel);
        kopie(kSuchbegriffe);
        bilderLesen();
        kapitelPruefen();
        verbindungSchliessen();
        dateienHolen();
    }

    // ------------------------------------------------------------ database

    void verbindungSchliessen()
    {
        if (m_name.isEmpty() || !QSqlDatabase::contains(m_name))
            return;
        if (m_a.abbruch)
            m_a.abbruch->abmelden(m_name);
        m_db = QSqlDatabase();
        closeRemoteConnection(m_name);
    }

    [[noreturn]] void lesefehler(const QSqlError& e, const QString& tabelle) const
    {
        const QString code = e.nativeErrorCode();
        if (code == QLatin1String("1146"))
            throw Abweisung{QStringLiteral("Die Tabelle %1 fehlt auf dem Server.").arg(tabelle)};
        // gone away, lost, lost (TLS), lost (with the system's error)
        if (e.type() == QSqlError::ConnectionError || code == QLatin1String("2006") || code == QLatin1String("2013")
            || code == QLatin1String("2026") || code == QLatin1String("2055") || !m_db.isOpen())
            throw Abweisung{QStringLiteral("Die Verbindung zum Update-Server brach ab.")};
        throw Abweisung{QStringLiteral("Die Tabelle %1 des Servers konnte nicht gelesen werden.").arg(tabelle)};
    }

    QSqlQuery lies(const QString& tabelle)
    {
        pruefeAbbruch();
        QSqlQuery q(m_db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT * FROM ") + tabelle))
            lesefehler(q.lastError(), tabelle);
        return q;
    }

    void gelesen(QSqlQuery& q, const QString& tabelle)
    {
        if (q.lastError().isValid())
            lesefehler(q.lastError(), tabelle);
        schritt(tabelle);
    }

    void standLesen()
    {
        QSqlQuery q = lies(QStringLiteral("updatemanager"));
        if (!q.next()) {
            if (q.lastError().isValid())
                lesefehler(q.lastError(), QStringLiteral("updatemanager"));
            throw Abweisung{QStringLiteral("Der Update-Server nennt keinen Stand der Daten.")};
        }
        const QSqlRecord r = q.record();
        const auto wert = [&](const char* name) {
            const int i = r.indexOf(QLatin1String(name));
            return i < 0 ? QVariant() : q.value(i);
        };
        UpdateStand& s = m_p.stand;
        s.letzteAenderung = alsDatum(wert("LetzteAenderung"));
        s.duenger = alsDatum(wert("DuengerID"));
        s.kultur = alsDatum(wert("KulturID"));
        s.orgsub = alsDatum(wert("orgsubID"));
        s.lexikon = alsDatum(wert("lexikon"));
        s.major = wert("DateiMajor");
        s.minor = wert("DateiMinor");
        s.revision = wert("DateiVersion");
        q.finish();
        if (m_abbrechen.load())
            throw Abbruch{};
    }

    QVariant umgewandelt(const QVariant& v, const Spalte& s, const QString& tabelle, const QString& zeile) const
    {
        const std::optional<QVariant> w = wertFuer(v, s);
        if (w)
            return *w;
        if (v.isNull() || v.toString().trimmed().isEmpty())
            throw Abweisung{QStringLiteral("In der Tabelle %1 des Servers fehlt in Zeile %2 der Wert der Spalte %3.")
                                .arg(tabelle, zitat(zeile), s.name)};
        throw Abweisung{QStringLiteral("In der Tabelle %1 des Servers passt der Wert %2 (Zeile %3) nicht in die Spalte %4.")
                            .arg(tabelle, zitat(v.toString()), zitat(zeile), s.name)};
    }

    // Returns the index of the table's rows in the package.
    int kopie(const Kopie& k)
    {
        const Tabellenbild& bild = m_a.lokal.value(k.ziel);
        QSqlQuery q = lies(k.quelle);
        QStringList serverSpalten;
        for (int j = 0; j < q.record().count(); ++j)
            serverSpalten << q.record().fieldName(j);
        const Zuordnung zuordnung = spaltenZuordnen(serverSpalten, bild, k);
        if (!zuordnung.fehler.isEmpty())
            throw Abweisung{zuordnung.fehler};
        int eingabe = -1;
        if (k.ziel == kDuenger.ziel || k.ziel == kKalk.ziel)
            for (int i = 0; i < bild.size(); ++i)
                if (bild[i].name.compare(QLatin1String("Eingabe"), Qt::CaseInsensitive) == 0)
                    eingabe = i;
        Tabellendaten t{k.quelle, k.ziel, k.ab, {}};
        while (q.next()) {
            pruefeAbbruch();
            const QString zeile = zuordnung.quelle.isEmpty() ? QString() : q.value(zuordnung.quelle.first()).toString();
            QVariantList z;
            for (int i = k.ab; i < bild.size(); ++i) {
                // catalogue rows are the maker's rows, whatever the server says: the next update
                // replaces them instead of keeping a second copy
                const QVariant v = i == eingabe ? QVariant(QStringLiteral("KRN")) : q.value(zuordnung.quelle[i - k.ab]);
                z << umgewandelt(v, bild[i], k.quelle, zeile);
            }
            t.zeilen << z;
        }
        gelesen(q, k.quelle);
        if (const std::optional<QString> grund = unplausibel(t, bild, m_a.gebiet))
            throw Abweisung{*grund};
        schluesselPruefen(k.quelle, t.zeilen);
        m_p.tabellen << t;
        return static_cast<int>(m_p.tabellen.size()) - 1;
    }

    void schluesselPruefen(const QString& quelle, const QVector<QVariantList>& zeilen) const
    {
        QSet<QString> da;
        for (const QVariantList& z : zeilen)
            if (!z.isEmpty())
                da.insert(z.first().toString().toLower());
        for (const QString& s : festeSchluessel(quelle))
            if (!da.contains(s.toLower()))
                throw Abweisung{QStringLiteral("In der Tabelle %1 des Servers fehlt der Eintrag %2, den das Programm braucht.")
                                    .arg(quelle, s)};
    }

    const Spalte& lokaleSpalte(const QString& tabelle, const QString& name) const
    {
        static const Spalte fehlt;
        for (const Spalte& s : m_a.lokal[tabelle])
            if (s.name.compare(name, Qt::CaseInsensitive) == 0)
                return s;
        return fehlt;
    }

    // Columns read by name; -1 refused.
    QVector<int> spalten(const QSqlQuery& q, const QString& tabelle, const QStringList& namen) const
    {
        QVector<int> out;
        for (const QString& n : namen) {
            const int i = q.record().indexOf(n);
            if (i < 0)
                throw Abweisung{QStringLiteral("Der Tabelle %1 des Servers fehlt die Spalte %2.").arg(tabelle, n)};
            out << i;
        }
        return out;
    }

    void lexikonLesen()
    {
        const QString name = QStringLiteral("lexikon");
        QSqlQuery q = lies(name);
        const QVector<int> i = spalten(q, name, {QStringLiteral("KapitelNr"), QStringLiteral("LetzteAenderung")});
        const Spalte nr{QStringLiteral("KapitelNr"), Spalte::Art::Ganzzahl, true};
        while (q.next()) {
            pruefeAbbruch();
            Kapiteltext k;
            k.nr = umgewandelt(q.value(i[0]), nr, name, q.value(i[0]).toString()).toLongLong();
            k.letzteAenderung = umgewandelt(q.value(i[1]), lokaleSpalte(QStringLiteral("Lexikon"), QStringLiteral("LetzteAenderung")),
                                            name, QString::number(k.nr));
            m_p.kapitel << k;
        }
        gelesen(q, name);
        QVector<QVariantList> nummern;
        for (const Kapiteltext& k : m_p.kapitel)
            nummern.push_back({k.nr});
        if (const auto w = doppelterWert(nummern, 0))
            throw Abweisung{doppeltText(name, *w, QStringLiteral("KapitelNr"))};
    }

    void bilderLesen()
    {
        const QString name = QStringLiteral("lexikonbilder");
        const QStringList namen{QStringLiteral("BilderNr"), QStringLiteral("BildDatei"), QStringLiteral("Quelle"),
                                QStringLiteral("Verweis"), QStringLiteral("Reihenfolge")};
        QSqlQuery q = lies(name);
        const QVector<int> i = spalten(q, name, namen);
        while (q.next()) {
            pruefeAbbruch();
            const QString datei = q.value(i[1]).toString();
            if (!einfacherDateiname(datei))
                throw Abweisung{QStringLiteral("Der Bildname %1 in der Tabelle %2 des Servers ist kein einfacher Dateiname.")
                                    .arg(zitat(datei), name)};
            Bildzeile z;
            for (int k = 0; k < namen.size(); ++k)
                z << umgewandelt(q.value(i[k]), lokaleSpalte(QStringLiteral("LexikonBilder"), namen[k]), name, datei);
            m_p.bilder << z;
        }
        gelesen(q, name);
        if (const auto w = doppelterWert(m_p.bilder, 0))
            throw Abweisung{doppeltText(name, *w, namen[0])};
        // the files as they are now, should the tables have changed since they were counted
        m_maximum += static_cast<int>(m_p.kapitel.size()) + 2 * static_cast<int>(bildDateien().size()) - m_dateienGezaehlt;
        m_dateienGezaehlt = 0;
    }

    // The files of the lexicon, counted before the first area, so that the progress bar has its
    // length from the start.
    int dateienZaehlen()
    {
        QSqlQuery q(m_db);
        q.setForwardOnly(true);
        if (q.exec(QStringLiteral("SELECT (SELECT COUNT(*) FROM lexikon) + 2 * (SELECT COUNT(DISTINCT BildDatei) FROM lexikonbilder)"))
            && q.next())
            m_dateienGezaehlt = q.value(0).toInt();
        return m_dateienGezaehlt; // a table that cannot be read is reported when it is read
    }

    // Each chapter the program opens needs its row and its text.
    void kapitelPruefen() const
    {
        QSet<qlonglong> texte;
        for (const Kapiteltext& k : m_p.kapitel)
            texte.insert(k.nr);
        const Tabellendaten& kapitel = m_p.tabellen[m_kapitel];
        for (const QString& schluessel : festeKapitel()) {
            bool gefunden = false;
            for (const QVariantList& z : kapitel.zeilen)
                gefunden = gefunden
                           || (z.value(0).toString().compare(schluessel, Qt::CaseInsensitive) == 0 && texte.contains(z.value(1).toLongLong()));
            if (!gefunden)
                throw Abweisung{QStringLiteral("Das Lexikonkapitel %1, das das Programm öffnet, fehlt auf dem Server.")
                                    .arg(zitat(schluessel))};
        }
    }

    // ------------------------------------------------------------ files

    QStringList bildDateien() const
    {
        QStringList out;
        QSet<QString> da;
        for (const Bildzeile& z : m_p.bilder) {
            const QString d = z.value(1).toString();
            if (!da.contains(d)) {
                da.insert(d);
                out << d;
            }
        }
        return out;
    }

    QString megabyte(qint64 bytes) const
    {
        return m_a.gebiet.zahlText(std::ceil(static_cast<double>(bytes) / (1024 * 1024) * 10) / 10) + QStringLiteral(" MB");
    }

    [[noreturn]] void ftpFehler(const FtpErgebnis& r, const QString& pfad, qint64 hoechstBytes = 0) const
    {
        switch (r.art) {
        case FtpErgebnis::Art::ZuGross:
            if (r.groesse > 0)
                throw Abweisung{QStringLiteral("Die Datei %1 ist %2 groß; erlaubt sind höchstens %3.")
                                    .arg(pfad, megabyte(r.groesse), megabyte(hoechstBytes))};
            throw Abweisung{QStringLiteral("Die Datei %1 ist größer als die erlaubten %2.").arg(pfad, megabyte(hoechstBytes))};
        case FtpErgebnis::Art::Abgebrochen:
            throw Abbruch{};
        case FtpErgebnis::Art::DateiFehlt:
            throw Abweisung{QStringLiteral("Die Datei %1 fehlt auf dem Server.").arg(pfad)};
        case FtpErgebnis::Art::AnmeldungAbgelehnt:
            throw Abweisung{QStringLiteral("Der Dateiserver hat die Anmeldung abgelehnt.")};
        case FtpErgebnis::Art::NichtGesichert:
            throw Abweisung{QStringLiteral("Der Dateiserver bietet keine verschlüsselte Verbindung an, oder sein "
                                           "Zertifikat passt nicht zur Zertifikatsdatei (SSLCA) in Server.ini.")};
        case FtpErgebnis::Art::NichtErreichbar:
            throw Abweisung{QStringLiteral("Der Dateiserver ist nicht erreichbar oder die Verbindung brach ab.")};
        case FtpErgebnis::Art::LokalerFehler:
            throw Abweisung{QStringLiteral("Die Datei %1 konnte nicht im Ordner Lexikon gespeichert werden.").arg(pfad)};
        default:
            throw Abweisung{QStringLiteral("Die Datei %1 konnte nicht geladen werden.").arg(pfad)};
        }
    }

    void dateienHolen()
    {
        FtpKonto konto;
        konto.host = m_a.server.host;
        konto.port = m_a.server.ftpPort;
        konto.user = m_a.server.ftpUser;
        konto.password = m_a.server.ftpPassword;
        konto.connectTimeoutS = m_a.server.connectTimeoutS;
        konto.caDatei = m_a.server.sslCa;
        FtpVerbindung ftp(konto);
        ftp.setAbbruch(&m_abbrechen);
        if (const FtpErgebnis r = ftp.FTPVerbinden(); !r.ok())
            ftpFehler(r, QString());

        const QDir arbeit(m_a.arbeitsordner);
        const QString lexikon = ftpOrdner(m_a.server.ftpVerzeichnis, QStringLiteral("Lexikon"));
        for (Kapiteltext& k : m_p.kapitel) {
            const QString name = QString::number(k.nr) + QStringLiteral(".txt");
            const QString lokal = arbeit.filePath(name);
            if (const FtpErgebnis r = ftp.FTPTextHolen(lexikon, name, lokal, kKapitelHoechstBytes); !r.ok())
                ftpFehler(r, lexikon + QLatin1Char('/') + name, kKapitelHoechstBytes);
            QFile f(lokal);
            if (!f.open(QIODevice::ReadOnly))
                throw Abweisung{QStringLiteral("Die Datei %1 konnte nicht gelesen werden.").arg(name)};
            QStringDecoder utf8(QStringDecoder::Utf8);
            k.text = utf8(f.readAll());
            f.close();
            QFile::remove(lokal);
            if (utf8.hasError())
                throw Abweisung{QStringLiteral("Der Text %1 ist kein UTF-8-Text.").arg(lexikon + QLatin1Char('/') + name)};
            schritt(name);
        }

        stufe(kStufeBilder);
        m_p.bilderOrdner = m_a.arbeitsordner;
        for (const QString& unter : {QStringLiteral("Vollbild"), QStringLiteral("Vorschau")})
            if (!arbeit.mkpath(unter))
                throw Abweisung{QStringLiteral("Im Ordner Lexikon kann kein Ordner angelegt werden.")};
        // Each picture is decoded whole while the next ones download.
        const QStringList dateien = bildDateien();
        QStringList namen;
        std::vector<unsigned char> gut(static_cast<size_t>(2 * dateien.size()), 0);
        QThreadPool pruefer;
        pruefer.setMaxThreadCount(2);
        const auto aufhoeren = qScopeGuard([&pruefer] {
            pruefer.clear();
            pruefer.waitForDone();
        });
        // folder by folder: a transfer in the folder of the one before needs no change of folder
        for (const QString& unter : {QStringLiteral("Vollbild"), QStringLiteral("Vorschau")}) {
            const QString ordner = ftpOrdner(m_a.server.ftpVerzeichnis, unter);
            for (const QString& datei : dateien) {
                const QString lokal = arbeit.filePath(unter + QLatin1Char('/') + datei);
                if (const FtpErgebnis r = ftp.FTPDateiHolen(ordner, datei, lokal, kBildHoechstBytes); !r.ok())
                    ftpFehler(r, ordner + QLatin1Char('/') + datei, kBildHoechstBytes);
                unsigned char* ergebnis = &gut[static_cast<size_t>(namen.size())];
                pruefer.start([lokal, ergebnis] { *ergebnis = vollstaendigesBild(lokal) ? 1 : 0; });
                namen << ordner + QLatin1Char('/') + datei;
                schritt(datei);
            }
        }
        pruefer.waitForDone();
        for (qsizetype i = 0; i < namen.size(); ++i)
            if (!gut[static_cast<size_t>(i)])
                throw Abweisung{QStringLiteral("Die Datei %1 ist kein lesbares Bild.").arg(namen[i])};
    }

    // ------------------------------------------------------------ progress

    void pruefeAbbruch() const
    {
        if (m_abbrechen.load())
            throw Abbruch{};
    }

    void melde(const QString& text)
    {
        if (m_melden)
            m_melden(HolFortschritt{text, m_wert, m_maximum});
    }

    // A stage text stays at least `pauseMs` before the next one replaces it; the work of the stage
    // goes on meanwhile.
    void stufe(const QString& text)
    {
        stufeAbwarten();
        melde(text);
        m_stufeSeit.start();
    }
    void stufeAbwarten()
    {
        while (m_stufeSeit.isValid() && m_stufeSeit.elapsed() < m_a.pauseMs) {
            pruefeAbbruch();
            QThread::msleep(static_cast<unsigned long>(qMin<qint64>(20, m_a.pauseMs - m_stufeSeit.elapsed() + 1)));
        }
        pruefeAbbruch();
    }

    void schritt(const QString& was)
    {
        ++m_wert;
        melde(QString());
        if (m_a.pruefpunkt)
            m_a.pruefpunkt(was);
        pruefeAbbruch();
    }

    const HolAuftrag& m_a;
    const std::atomic<bool>& m_abbrechen;
    const std::function<void(const HolFortschritt&)>& m_melden;
    QString m_name;
    QSqlDatabase m_db;
    UpdatePaket m_p;
    QElapsedTimer m_stufeSeit; // since the last stage text
    bool m_nichtsZuTun = false;
    int m_kapitel = -1; // the chapters' rows in the package
    int m_wert = 0, m_maximum = 0;
    int m_dateienGezaehlt = 0;
};

} // namespace

UpdatePaket UpdateHolen(const HolAuftrag& auftrag, const std::atomic<bool>& abbrechen,
                        const std::function<void(const HolFortschritt&)>& melden)
{
    Holer h(auftrag, abbrechen, melden);
    return h.lauf();
}

} // namespace kav::exchange
