// The paths of the build for a test program started directly from its folder (ctest sets them).
#include <QByteArray>
#include <QtGlobal>

namespace {

void setzen(const char* name, const char* wert)
{
    if (qEnvironmentVariableIsEmpty(name))
        qputenv(name, QByteArray(wert));
}

const bool kGesetzt = [] {
    setzen("KAV_SOURCE_DIR", KAV_TEST_SOURCE_DIR);
    setzen("KAV_GENERATED_DIR", KAV_TEST_GENERATED_DIR);
    setzen("KAV_PROGRAM_DIR", KAV_TEST_PROGRAM_DIR);
    return true;
}();

} // namespace
