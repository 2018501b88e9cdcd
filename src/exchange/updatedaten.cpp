#include "exchange/updatedaten.h"

#include "services/gebietsschema.h"
#include "services/referenzbereiche.h"
#include "services/sql.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <QSet>
#include <QSqlQuery>

#include <cmath>

namespace kav::exchange {

QString fehlschlagText(const QString& grund)
{
    return QStringLiteral("Die Daten konnten nicht aktualisiert werden: ") + grund
           + QStringLiteral(" Es wurde nichts geändert.");
}

bool aelter(const QDateTime& datum, const QDateTime& datLetztesUpdate)
{
    return datum.isValid() && datLetztesUpdate.isValid() && datum < datLetztesUpdate;
}

bool hoehereVersion(const QVariant& major, const QVariant& minor, const QVariant& revision, const QString& programmVersion)
{
    const QStringList teile = programmVersion.split(QLatin1Char('.'));
    const QVariant server[3] = {major, minor, revision};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const qlonglong s = server[i].isNull() ? 0 : server[i].toLongLong(&ok);
        if (!ok)
            return false;
        const qlonglong eigen = i < teile.size() ? teile[i].toLongLong() : 0;
        if (s != eigen)
            return s > eigen;
    }
    return false;
}

QString versionsHinweis(const UpdateStand& s, const QString& programmVersion, const QString& text,
                        const QString& downloadSeite)
{
    if (!hoehereVersion(s.major, s.minor, s.revision, programmVersion))
        return QStringLiteral(" ");
    return text + downloadSeite + QStringLiteral(" bereit.");
}

QHash<QString, Tabellenbild> lokaleTabellen(const QSqlDatabase& cnKav)
{
    static const QStringList tabellen{QStringLiteral("DuengerID"), QStringLiteral("KalkID"), QStringLiteral("KulturID"),
                                      QStringLiteral("Reihenabstand"), QStringLiteral("MKFarben"), QStringLiteral("OrgSubID"),
                                      QStringLiteral("LexikonKapitel"), QStringLiteral("LexikonSuchbegriff"),
                                      QStringLiteral("Lexikon"), QStringLiteral("LexikonBilder")};
    QHash<QString, Tabellenbild> out;
    for (const QString& t : tabellen) {
        QSqlQuery q = sql::exec(cnKav, QStringLiteral("PRAGMA table_info(\"%1\")").arg(t));
        Tabellenbild bild;
        while (q.next()) {
            Spalte s;
            s.name = q.value(1).toString();
            const QString typ = q.value(2).toString().toUpper();
            if (typ.contains(QLatin1String("INT")))
                s.art = Spalte::Art::Ganzzahl;
            else if (typ.contains(QLatin1String("REAL")) || typ.contains(QLatin1String("FLOA"))
                     || typ.contains(QLatin1String("DOUB")) || typ.contains(QLatin1String("NUM")))
                s.art = Spalte::Art::Zahl;
            s.pflicht = q.value(3).toInt() != 0;
            bild.push_back(s);
        }
        if (bild.isEmpty())
            throw sql::Error(QStringLiteral("Tabelle %1 fehlt").arg(t));
        out.insert(t, bild);
    }
    return out;
}

namespace {

bool istZahlTyp(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

QString alsText(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QByteArray:
        return QString::fromUtf8(v.toByteArray());
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

} // namespace

std::optional<QVariant> wertFuer(const QVariant& wert, const Spalte& spalte)
{
    const auto leer = [&]() -> std::optional<QVariant> {
        if (spalte.pflicht)
            return std::nullopt;
        return QVariant();
    };
    if (wert.isNull() || !wert.isValid())
        return leer();
    const bool datum = wert.typeId() == QMetaType::QDateTime || wert.typeId() == QMetaType::QDate;
    if (datum && !wert.toDateTime().isValid() && !wert.toDate().isValid())
        return leer();
    if (spalte.art == Spalte::Art::Text) {
        const QString t = alsText(wert);
        if (t.isEmpty())
            return leer();
        return QVariant(t);
    }
    if (datum)
        return std::nullopt;

    double zahl = 0;
    if (istZahlTyp(wert)) {
        if (spalte.art == Spalte::Art::Ganzzahl && wert.typeId() != QMetaType::Double && wert.typeId() != QMetaType::Float)
            return QVariant(wert.toLongLong());
        zahl = wert.toDouble();
    } else {
        const QString t = alsText(wert).trimmed();
        if (t.isEmpty())
            return leer();
        bool ok = false;
        zahl = QLocale::c().toDouble(t, &ok);
        if (!ok)
            return std::nullopt;
    }
    if (!std::isfinite(zahl))
        return std::nullopt;
    if (spalte.art == Spalte::Art::Zahl)
        return QVariant(zahl);
    if (zahl != std::floor(zahl) || std::fabs(zahl) > 9.0e15)
        return std::nullopt;
    return QVariant(static_cast<qlonglong>(zahl));
}

bool einfacherDateiname(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    return true;
}

bool vollstaendigesBild(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray daten = f.readAll();
    f.close();
    QBuffer puffer(&daten);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer);
    const QByteArray format = leser.format().toLower(); // known only before the read
    QImage bild;
    if (!leser.read(&bild) || bild.isNull())
        return false;
    while (daten.endsWith('\0') || daten.endsWith('\n') || daten.endsWith('\r'))
        daten.chop(1);
    if (format == "jpeg" || format == "jpg")
        return daten.endsWith("\xFF\xD9");
    if (format == "gif")
        return daten.endsWith(';');
    return true;
}

Zuordnung spaltenZuordnen(const QStringList& serverSpalten, const Tabellenbild& bild, const Kopie& k)
{
    const auto gleich = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; };
    Zuordnung z;
    for (int i = k.ab; i < bild.size(); ++i) {
        int quelle = -1;
        for (int j = k.ab; j < serverSpalten.size() && quelle < 0; ++j)
            if (gleich(serverSpalten[j], bild[i].name))
                quelle = j;
        if (quelle < 0) {
            z.fehler = QStringLiteral("Der Tabelle %1 des Servers fehlt die Spalte %2.").arg(k.quelle, bild[i].name);
            return z;
        }
        z.quelle << quelle;
    }
    for (int j = k.ab; j < serverSpalten.size(); ++j) {
        bool bekannt = false;
        for (int i = k.ab; i < bild.size() && !bekannt; ++i)
            bekannt = gleich(serverSpalten[j], bild[i].name);
        if (!bekannt) {
            z.fehler = QStringLiteral("Die Tabelle %1 des Servers hat die Spalte %2, die die Tabelle %3 nicht kennt.")
                           .arg(k.quelle, serverSpalten[j], k.ziel);
            return z;
        }
    }
    return z;
}

std::optional<QString> doppelterWert(const QVector<QVariantList>& zeilen, int spalte)
{
    QSet<QString> da;
    for (const QVariantList& z : zeilen) {
        const QVariant& v = z.value(spalte);
        if (v.isNull())
            continue;
        const QString w = v.toString();
        if (da.contains(w.toLower()))
            return w;
        da.insert(w.toLower());
    }
    return std::nullopt;
}

QString doppeltText(const QString& quelle, const QString& wert, const QString& spalte)
{
    return QStringLiteral("In der Tabelle %1 des Servers kommt der Wert „%2“ der Spalte %3 mehrfach vor.").arg(quelle, wert, spalte);
}

namespace {

// Columns whose values name one row each.
QStringList schluesselSpalten(const QString& ziel)
{
    if (ziel == kDuenger.ziel)
        return {QStringLiteral("DuengerNr")};
    if (ziel == kKalk.ziel)
        return {QStringLiteral("KalkNr")};
    if (ziel == kOrgSub.ziel)
        return {QStringLiteral("OrgSubNr")};
    if (ziel == kKulturen[0].ziel)
        return {QStringLiteral("KulturNr")};
    if (ziel == kKulturen[1].ziel || ziel == kKulturen[2].ziel)
        return {QStringLiteral("KulturID")};
    if (ziel == kKapitel.ziel)
        return {QStringLiteral("Kapitel"), QStringLiteral("KapitelNr")};
    return {};
}

// Tables without which the program cannot advise: no fertiliser, lime, crop or row spacing to choose.
bool unentbehrlich(const QString& ziel)
{
    return ziel == kDuenger.ziel || ziel == kKalk.ziel || ziel == kKulturen[0].ziel || ziel == kKulturen[1].ziel;
}

QString zahlText(double v, const Gebietsschema& g)
{
    QLocale l = g.locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', QLocale::FloatingPointShortest);
}

} // namespace

std::optional<QString> unplausibel(const Tabellendaten& t, const Tabellenbild& bild, const Gebietsschema& g)
{
    if (t.zeilen.isEmpty() && unentbehrlich(t.ziel))
        return QStringLiteral("Die Tabelle %1 des Servers ist leer; ohne ihre Daten kann das Programm nicht arbeiten.").arg(t.quelle);
    const auto spalte = [&](const QString& name) {
        for (int i = t.ab; i < bild.size(); ++i)
            if (bild[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i - t.ab;
        return -1;
    };
    for (const QString& s : schluesselSpalten(t.ziel))
        if (const int i = spalte(s); i >= 0)
            if (const auto w = doppelterWert(t.zeilen, i))
                return doppeltText(t.quelle, *w, bild[i + t.ab].name);

    QVector<const Referenzbereich*> bereiche;
    for (int i = t.ab; i < bild.size(); ++i)
        bereiche << referenzbereich(t.ziel, bild[i].name);
    QVector<int> gehalte;
    for (const QString& s : gehaltSpalten(t.ziel))
        if (const int i = spalte(s); i >= 0)
            gehalte << i;
    for (const QVariantList& z : t.zeilen) {
        const QString zeile = QStringLiteral("„") + z.value(0).toString() + QStringLiteral("“");
        for (int i = 0; i < z.size() && i < bereiche.size(); ++i) {
            if (!bereiche[i] || z[i].isNull() || imBereich(*bereiche[i], z[i].toDouble()))
                continue;
            return QStringLiteral("In der Tabelle %1 des Servers liegt der Wert %2 der Spalte %3 (Zeile %4) außerhalb des "
                                  "möglichen Bereichs %5.")
                .arg(t.quelle, zahlText(z[i].toDouble(), g), bild[i + t.ab].name, zeile, bereichText(*bereiche[i], g));
        }
        double summe = 0;
        for (const int i : gehalte)
            summe += z.value(i).toDouble();
        if (summe > kGehaltSummeBis)
            return QStringLiteral("In der Tabelle %1 des Servers ergeben die Gehalte der Zeile %2 zusammen %3 %, mehr als 100 %.")
                .arg(t.quelle, zeile, zahlText(summe, g));
    }
    return std::nullopt;
}

QStringList festeSchluessel(const QString& quelle)
{
    if (quelle == kDuenger.quelle)
        return {QStringLiteral("Du1001"), QStringLiteral("Du1003"), QStringLiteral("Du1004"), QStringLiteral("Du1020")};
    if (quelle == kOrgSub.quelle)
        return {QStringLiteral("OS1001")};
    if (quelle == kKulturen.first().quelle)
        return {QStringLiteral("Ku1001"), QStringLiteral("Ku1003"), QStringLiteral("Ku1004"), QStringLiteral("Ku1005"),
                QStringLiteral("Ku1006"), QStringLiteral("Ku1007"), QStringLiteral("Ku1008"), QStringLiteral("Ku1009"),
                QStringLiteral("Ku1089"), QStringLiteral("Ku1090")};
    return {};
}

const QStringList& festeKapitel()
{
    static const QStringList k{
        QStringLiteral("Einleitung"), QStringLiteral("Bodenuntersuchung"), QStringLiteral("NaehrstoffbedarfAllgemein"),
        QStringLiteral("Bodenart"), QStringLiteral("organischeSubstanz"), QStringLiteral("GehaltsklassenPhosphat"),
        QStringLiteral("GehaltsklassenKalium"), QStringLiteral("GehaltsklassenMagnesium"), QStringLiteral("pHundKalk"),
        QStringLiteral("Nitratschnelltest"), QStringLiteral("Gruenduengung"), QStringLiteral("WirtschaftsduengerAllgemein"),
        QStringLiteral("Horn"), QStringLiteral("EinteilungDuengerNaehrstoffe"), QStringLiteral("AuswahlDuenger"),
        QStringLiteral("Mischkultur")};
    return k;
}

QString ftpOrdner(const QString& praefix, const QString& unterordner)
{
    QString p = praefix.trimmed();
    while (p.endsWith(QLatin1Char('/')))
        p.chop(1);
    while (p.startsWith(QLatin1Char('/')))
        p.remove(0, 1);
    return (p.isEmpty() ? QString() : QStringLiteral("/") + p) + QStringLiteral("/Kav/") + unterordner;
}

} // namespace kav::exchange
