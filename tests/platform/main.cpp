#include <gtest/gtest.h>
#include <QApplication>

#include "PrivaterDruckdienst.h"

// libcups 2.4 loses a few strings of every PPD cache it builds when Qt asks
// about a printer: a leak of the library, not of ours. LeakSanitizer reads
// this list in the sanitizer builds; elsewhere nothing calls it.
// The name is the sanitizer runtime's hook, reserved on purpose.
extern "C" __attribute__((used)) const char*
__lsan_default_suppressions() {  // NOLINT(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
    return "leak:_ppdCacheCreateWithPPD\n";
}

// The print tests need a QApplication for fonts; without a display they
// draw off screen. Before anything asks the print service, the process is
// pointed at a scheduler of its own, so that no test sees or uses the
// printers of the machine it runs on.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    lohnwippe::test::PrivaterDruckdienst::DiesenProzessUmleiten();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
