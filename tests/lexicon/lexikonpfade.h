#pragma once
// The paths of the build for a test program started by hand, outside CTest.
#include <QByteArray>
#include <QtGlobal>

namespace kav::test {

inline void lexikonPfadeSetzen()
{
    const auto setzen = [](const char* name, const char* wert) {
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, QByteArray(wert));
    };
    setzen("KAV_SOURCE_DIR", KAV_TEST_SOURCE_DIR);
    setzen("KAV_GENERATED_DIR", KAV_TEST_GENERATED_DIR);
    setzen("KAV_PROGRAM_DIR", KAV_TEST_PROGRAM_DIR);
}

} // namespace kav::test

#include <gtest/gtest.h>

namespace kav::test {

// Sets the paths before the first test.
class LexikonPfade : public ::testing::Environment {
public:
    void SetUp() override { lexikonPfadeSetzen(); }
};

} // namespace kav::test
