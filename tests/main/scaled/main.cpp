// The window at the screen scale named by QT_SCALE_FACTOR (ctest runs these
// tests at 1, 1.25, 1.5 and 2), on the offscreen platform.
#include "platform/qt/QtServices.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    const lumarin::test::TempDir config;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
    QApplication app(argc, argv);
    lumarin::platform::qt::ApplyDesktopSettings(); // the device scale among them
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
