#include "exchange/updateanwenden.h"

#include "services/bildertausch.h"
#include "services/recordids.h"
#include "services/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <exception>

namespace kav::exchange {

namespace {

struct Fehlschlag {
    QString grund;
};

QString bezeichner(const QString& name)
{
    if (!sql::isPlainIdentifier(name))
        throw sql::Error(QStringLiteral("Ungültiger Name ") + name);
    return QLatin1Char('"') + name + QLatin1Char('"');
}

void einfuegen(const QSqlDatabase& cn, const QString& tabelle, const QStringList& spalten, const QVector<QVariantList>& zeilen)
{
    QStringList namen, marken;
    for (const QString& s : spalten) {
        namen << bezeichner(s);
        marken << QStringLiteral("?");
    }
    QSqlQuery q(cn);
    const QString anweisung = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(bezeichner(tabelle), namen.join(QStringLiteral(", ")), marken.join(QStringLiteral(", ")));
    if (!q.prepare(anweisung))
        throw sql::Error(q.lastError().text());
    for (const QVariantList& z : zeilen) {
        for (int i = 0; i < z.size(); ++i)
            q.bindValue(i, z[i]);
        if (!q.exec())
            throw sql::Error(q.lastError().text());
    }
}

bool katalog(const QString& tabelle) { return tabelle == kDuenger.ziel || tabelle == kKalk.ziel; }

// A user's row whose key a catalogue row now has gets the next free number.
void nutzerzeilenUmnummerieren(const QSqlDatabase& cn, const QString& tabelle, const QString& schluessel)
{
    const QString t = bezeichner(tabelle), k = bezeichner(schluessel);
    QSqlQuery q = sql::exec(cn, QStringLiteral("SELECT rowid FROM %1 WHERE Eingabe IS NOT 'KRN' AND %2 IN "
                                               "(SELECT %2 FROM %1 WHERE Eingabe = 'KRN')")
                                    .arg(t, k));
    QVector<qlonglong> zeilen;
    while (q.next())
        zeilen << q.value(0).toLongLong();
    const QString praefix = tabelle == kDuenger.ziel ? QStringLiteral("Du") : QStringLiteral("Ka");
    for (const qlonglong z : zeilen)
        sql::exec(cn, QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(t, k),
                  {naechsteNummer(cn, tabelle, schluessel, praefix), z});
}

void tabelleSchreiben(const QSqlDatabase& cn, const Tabellendaten& d, const Tabellenbild& bild)
{
    if (katalog(d.ziel))
        sql::exec(cn, QStringLiteral("DELETE FROM %1 WHERE Eingabe = 'KRN'").arg(bezeichner(d.ziel)));
    else
        sql::exec(cn, QStringLiteral("DELETE FROM %1").arg(bezeichner(d.ziel)));
    QStringList spalten;
    for (int i = d.ab; i < bild.size(); ++i)
        spalten << bild[i].name;
    einfuegen(cn, d.ziel, spalten, d.zeilen);
    if (katalog(d.ziel))
        nutzerzeilenUmnummerieren(cn, d.ziel, bild.first().name);
}

const QString kBilderNichtErsetzt = QStringLiteral("Die Bilder des Lexikons konnten nicht ersetzt werden.");
const QString kKeinPlatz = QStringLiteral("Die Bilder des Lexikons konnten nicht ersetzt werden, weil im Ordner "
                                          "Lexikon nichts mehr gespeichert werden kann; vermutlich ist der Datenträger voll.");

// A placeholder that the server does not bring is kept: the lexicon shows it where a picture is missing.
void platzhalterBehalten(const Programmordner& ordner, const QString& arbeit)
{
    for (const QString& ziel : {ordner.lexikonVorschau(), ordner.lexikonVollbild()}) {
        const QString platzhalter = ziel + QLatin1Char('/') + kKeinBild;
        const QString neu = arbeit + QLatin1Char('/') + QFileInfo(ziel).fileName() + QLatin1Char('/') + kKeinBild;
        if (QFileInfo::exists(platzhalter) && !QFileInfo::exists(neu) && !QFile::copy(platzhalter, neu))
            throw Fehlschlag{kBilderNichtErsetzt};
    }
}

} // namespace

AnwendenErgebnis UpdateAnwenden(const QSqlDatabase& cnKav, const UpdatePaket& paket, const Programmordner& ordner,
                                const QDateTime& jetzt, const Umbenennen& umbenennen,
                                const std::function<void(QStringView)>& pruefpunkt)
{
    AnwendenErgebnis r;
    try {
        const QHash<QString, Tabellenbild> lokal = lokaleTabellen(cnKav);
        sql::Transaction t(cnKav);
        for (const Tabellendaten& d : paket.tabellen)
            tabelleSchreiben(cnKav, d, lokal.value(d.ziel));
        std::optional<Bildertausch> tausch;
        if (paket.lexikon) {
            sql::exec(cnKav, QStringLiteral("DELETE FROM Lexikon"));
            QVector<QVariantList> texte;
            for (const Kapiteltext& k : paket.kapitel)
                texte.push_back({k.nr, k.text, k.letzteAenderung});
            einfuegen(cnKav, QStringLiteral("Lexikon"),
                      {QStringLiteral("KapitelNr"), QStringLiteral("Kapitel"), QStringLiteral("LetzteAenderung")}, texte);
            sql::exec(cnKav, QStringLiteral("DELETE FROM LexikonBilder"));
            QVector<QVariantList> bilder;
            for (const Bildzeile& b : paket.bilder)
                bilder.push_back(b + QVariantList{jetzt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))});
            einfuegen(cnKav, QStringLiteral("LexikonBilder"),
                      {QStringLiteral("BilderNr"), QStringLiteral("BildDatei"), QStringLiteral("Quelle"), QStringLiteral("Verweis"),
                       QStringLiteral("Reihenfolge"), QStringLiteral("LetzteAenderung")},
                      bilder);
            platzhalterBehalten(ordner, paket.bilderOrdner);
            tausch.emplace(ordner, paket.bilderOrdner, umbenennen, pruefpunkt);
            switch (tausch->tauschen(cnKav)) {
            case Bildertausch::Ergebnis::Getauscht:
                break;
            case Bildertausch::Ergebnis::MarkeNichtGeschrieben:
                throw Fehlschlag{kKeinPlatz};
            case Bildertausch::Ergebnis::NichtUmbenannt:
                throw Fehlschlag{kBilderNichtErsetzt};
            }
        }
        if (pruefpunkt)
            pruefpunkt(u"Commit");
        t.commit();
        if (tausch)
            tausch->fertig();
        r.ok = true;
    } catch (const Fehlschlag& f) {
        r.grund = f.grund;
    } catch (const std::exception&) {
        r.grund = QStringLiteral("Die Daten konnten nicht in die Datenbank Kav.KRN geschrieben werden.");
    }
    return r;
}

} // namespace kav::exchange
