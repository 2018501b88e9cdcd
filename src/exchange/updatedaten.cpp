#include "exchange/updatedaten.h"

#include "services/sql.h"

#include <QLocale>
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
