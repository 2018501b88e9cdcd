#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace kav::shell {

bool openFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool openUrl(const QUrl& url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool startDetachedHidden(const QString& scriptPath)
{
    if (!QFileInfo::exists(scriptPath))
        return false;
    QProcess p;
    p.setProgram(QStringLiteral("/bin/sh"));
    p.setArguments({scriptPath});
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    return p.startDetached();
}

} // namespace kav::shell
