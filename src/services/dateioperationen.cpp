#include "services/dateioperationen.h"

#include "platform/dateisystem.h"
#include "platform/localdatabase.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <filesystem>


namespace kav {

bool DateiOperationen::echtSchreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(inhalt) != inhalt.size() || !f.flush())
        return false;
    return Dateisystem::flush(f.handle());
}

bool DateiOperationen::echtEntfernen(const QString& pfad) { return QFile::remove(pfad); }

bool DateiOperationen::echtUmbenennen(const QString& von, const QString& nach)
{
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(von).toStdString(), QFile::encodeName(nach).toStdString(), ec);
    if (ec)
        qWarning().noquote() << von << "->" << nach << QString::fromStdString(ec.message());
    return !ec;
}

bool DateiOperationen::echtAufDieDisk(const QString& pfad) { return Dateisystem::flush(pfad); }

DateiOperationen DateiOperationen::echte()
{
    DateiOperationen o;
    o.umbenennen = &echtUmbenennen;
    o.kopieren = [](const QString& von, const QString& nach) { return QFile::copy(von, nach); };
    return o;
}

bool DateiOperationen::umbenennenMitGrund(const QString& von, const QString& nach, QString* why) const
{
    if (umbenennen(von, nach))
        return true;
    if (why)
        *why = QStringLiteral("%1 konnte nicht in %2 umbenannt werden").arg(dateiname(von), dateiname(nach));
    return false;
}

bool DateiOperationen::mitJournalUmbenennen(const QString& von, const QString& nach, QString* why) const
{
    if (!umbenennenMitGrund(von, nach, why))
        return false;
    const QStringList alt = LocalDatabase::companions(von), neu = LocalDatabase::companions(nach);
    for (int i = 0; i < alt.size(); ++i) {
        if (QFileInfo::exists(alt[i]) && !umbenennenMitGrund(alt[i], neu[i], why)) {
            // the file alone must not go: both back to where they were
            for (int j = i - 1; j >= 0; --j)
                if (QFileInfo::exists(neu[j]))
                    umbenennen(neu[j], alt[j]);
            umbenennen(nach, von);
            return false;
        }
    }
    return true;
}

bool DateiOperationen::kopieAnlegen(const QString& von, const QString& nach) const
{
    if (!entfernenFallsDa(nach) || !kopieren(von, nach))
        return false;
    QFile(nach).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return aufDieDisk(nach);
}

bool DateiOperationen::entfernenFallsDa(const QString& pfad) const
{
    return !QFileInfo::exists(pfad) || entfernen(pfad);
}

bool DateiOperationen::journalEntfernen(const QString& pfad) const
{
    bool ok = true;
    for (const QString& b : LocalDatabase::companions(pfad))
        ok = entfernenFallsDa(b) && ok;
    return ok;
}

bool DateiOperationen::verwaistesJournalNachziehen(const QString& pfad, const QString& zu) const
{
    if (QFileInfo::exists(pfad))
        return true; // it belongs to its file
    const QStringList hier = LocalDatabase::companions(pfad), dort = LocalDatabase::companions(zu);
    const bool zuDa = !zu.isEmpty() && QFileInfo::exists(zu);
    for (int i = 0; i < hier.size(); ++i) {
        if (!QFileInfo::exists(hier[i]))
            continue;
        const bool ok = zuDa && !QFileInfo::exists(dort[i]) ? umbenennen(hier[i], dort[i]) : entfernen(hier[i]);
        if (!ok)
            return false;
    }
    return true;
}

QString dateiname(const QString& pfad) { return QFileInfo(pfad).fileName(); }

QString wasDortLiegt(const QString& pfad)
{
    switch (Dateisystem::art(pfad)) {
    case Dateisystem::Art::Ordner:
        return QStringLiteral("ein Ordner");
    case Dateisystem::Art::Verknuepfung:
        return QStringLiteral("eine Verknüpfung");
    default:
        return QStringLiteral("etwas, das keine Datei ist");
    }
}

QString freierName(const QString& basis, const QStringList& endungen)
{
    const auto belegt = [&endungen](const QString& name) {
        for (const QString& n : LocalDatabase::companions(name) + QStringList{name})
            if (QFileInfo::exists(n))
                return true;
        for (const QString& e : endungen)
            if (QFileInfo::exists(name + e))
                return true;
        return false;
    };
    QString name = basis;
    for (int i = 2; belegt(name); ++i)
        name = basis + QStringLiteral("-%1").arg(i);
    return name;
}

} // namespace kav
