#include "platform/instanzsperre.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace kav {

namespace {

// The lock file `datei` held, or nullptr; `belegt` when a running program holds it.
std::unique_ptr<QLockFile> sperren(const QString& datei, bool& belegt)
{
    auto s = std::make_unique<QLockFile>(datei);
    // held for the whole run: only the lock of a program that no longer runs is stale, never an old one
    s->setStaleLockTime(0);
    if (s->tryLock(0))
        return s;
    belegt = s->error() == QLockFile::LockFailedError;
    return nullptr;
}

QString laufzeitDatei(const QString& ordner, const QString& name)
{
    QString ort = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (ort.isEmpty() || !QDir().mkpath(ort))
        ort = QDir::tempPath();
    const QFileInfo fi(ordner);
    const QString schluessel = fi.canonicalFilePath().isEmpty() ? fi.absoluteFilePath() : fi.canonicalFilePath();
    const QByteArray kennung = QCryptographicHash::hash(schluessel.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return ort + QLatin1Char('/') + QFileInfo(name).completeBaseName() + QLatin1Char('-') + QString::fromLatin1(kennung)
           + QLatin1Char('.') + QFileInfo(name).suffix();
}

} // namespace

InstanzSperre::InstanzSperre(const QString& ordner, const QString& name)
{
    const QFileInfo fi(ordner);
    if (fi.isDir() && fi.isWritable()) {
        m_sperre = sperren(QDir(ordner).filePath(name), m_belegt);
        if (m_sperre || m_belegt)
            return;
    }
    // a lock left in a folder that can no longer be written cannot be taken over: it is not looked at
    m_sperre = sperren(laufzeitDatei(ordner, name), m_belegt);
}

InstanzSperre::~InstanzSperre() = default;

} // namespace kav
