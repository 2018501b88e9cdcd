#pragma once
// The folders of the build as defaults, so that the test programs also run directly from their
// build folder; ctest's environment still decides where it is set.
#include <QByteArray>
#include <QtGlobal>

namespace kav::test {

inline const bool kBuildPfade = [] {
    const std::pair<const char*, const char*> pfade[] = {{"KAV_SOURCE_DIR", KAV_BUILD_SOURCE_DIR},
                                                         {"KAV_GENERATED_DIR", KAV_BUILD_GENERATED_DIR},
                                                         {"KAV_PROGRAM_DIR", KAV_BUILD_PROGRAM_DIR}};
    for (const auto& [name, wert] : pfade)
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, QByteArray(wert));
    return true;
}();

} // namespace kav::test
