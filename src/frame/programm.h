#pragma once
// The program's run, as its main starts it.
#include <QString>

#include <functional>

class QApplication;

namespace kav {

class mdiZentral;

// Sets up what the program needs before its main window (the Fusion style, Qt's own texts in
// German, the locale, message boxes), starts the main window from `programmOrdner` with the
// settings file `iniPfad`, shows it and runs until the program ends. `gezeigt` is called once the
// main window is shown (a measurement of the start-up uses it). Returns the exit code.
int ProgrammAusfuehren(QApplication& qapp, const QString& programmOrdner, const QString& iniPfad,
                       const std::function<void(mdiZentral&)>& gezeigt = {});

} // namespace kav
