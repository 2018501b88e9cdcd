#include "services/dateioperationen.h"

#include "platform/localdatabase.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace kav {

bool DateiOperationen::echtSchreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(inhalt) != inhalt.size() || !f.flush())
        return false;
    return ::fsync(f.handle()) == 0;
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

void journalEntfernen(const QString& pfad)
{
    for (const QString& b : LocalDatabase::companions(pfad))
        QFile::remove(b);
}

void aufDieDisk(const QString& pfad)
{
    const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString dateiname(const QString& pfad) { return QFileInfo(pfad).fileName(); }

QString freierName(const QString& basis)
{
    const auto belegt = [](const QString& name) {
        if (QFileInfo::exists(name))
            return true;
        for (const QString& b : LocalDatabase::companions(name))
            if (QFileInfo::exists(b))
                return true;
        return false;
    };
    QString name = basis;
    for (int i = 2; belegt(name); ++i)
        name = basis + QStringLiteral("-%1").arg(i);
    return name;
}

} // namespace kav
