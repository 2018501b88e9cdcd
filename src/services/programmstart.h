#pragma once
// The parts of the start-up and shutdown that need no window.
#include <QString>

#include <functional>

namespace kav {

struct AppContext;

// The data folder locked for this program, settings, paths, program id, both databases and, when
// asked for, the data-collection server. False when another program runs with the data folder, the
// data folder may not be read, so that it cannot be locked, or is a file, or its files may not be
// reached (said, nothing opened), or a database can be neither opened nor restored: the program must
// not go on. A data folder that cannot be locked on its file system is said, and the start goes on.
bool DiensteStarten(AppContext& a, const QString& programmOrdner, const QString& iniPfad);

// The window-independent steps of the shutdown, in their order: program folder and version,
// periodic backup (a failure is reported and does not stop the rest), settings saved,
// `fensterEntladen` (the windows go while the connections are still open), connections closed,
// temporary documents deleted, the stop script started.
void DiensteBeenden(AppContext& a, const std::function<void()>& fensterEntladen = {});

// "major.minor.revision" of this program.
QString programmVersion();

} // namespace kav
