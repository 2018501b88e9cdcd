#pragma once
// The lexicon's pictures for a program folder of a test.
#include "testhelpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace kav::test {

// Copies the Lexikon folder of the built program into the program folder `basis`.
inline void lexikonOrdnerKopieren(const QString& basis)
{
    const QString von = programmOrdner() + "/Lexikon";
    for (QDirIterator it(von, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString datei = it.next();
        const QString ziel = basis + "/Lexikon" + datei.mid(von.size());
        QDir().mkpath(QFileInfo(ziel).path());
        QFile::copy(datei, ziel);
    }
}

} // namespace kav::test
