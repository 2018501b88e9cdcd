#pragma once
// Opening files, web addresses and mail links on the desktop; starting scripts.
#include <QString>
#include <QUrl>

namespace kav::shell {

bool openFile(const QString& path);
bool openUrl(const QUrl& url);
// Starts a script detached and without a window; false when it could not be started.
bool startDetachedHidden(const QString& scriptPath);

} // namespace kav::shell
