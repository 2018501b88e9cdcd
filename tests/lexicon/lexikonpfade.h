#pragma once
// The paths of the build for a test program started by hand, outside CTest, and the lexicon's
// pictures for a program folder of a test.
#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace kav::test {

inline bool lexikonPfadeSetzen()
{
    const auto setzen = [](const char* name, const char* wert) {
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, QByteArray(wert));
    };
    setzen("KAV_SOURCE_DIR", KAV_TEST_SOURCE_DIR);
    setzen("KAV_GENERATED_DIR", KAV_TEST_GENERATED_DIR);
    setzen("KAV_PROGRAM_DIR", KAV_TEST_PROGRAM_DIR);
    return true;
}

// Copies the Lexikon folder of the built program into the program folder `basis`.
inline void lexikonOrdnerKopieren(const QString& basis)
{
    const QString von = qEnvironmentVariable("KAV_PROGRAM_DIR") + "/Lexikon";
    for (QDirIterator it(von, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString datei = it.next();
        const QString ziel = basis + "/Lexikon" + datei.mid(von.size());
        QDir().mkpath(QFileInfo(ziel).path());
        QFile::copy(datei, ziel);
    }
}

} // namespace kav::test
