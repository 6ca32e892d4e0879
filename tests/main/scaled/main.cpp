// SPDX-License-Identifier: MIT
// The window at the screen scale named by QT_SCALE_FACTOR (ctest runs these
// tests at 1, 1.25, 1.5 and 2).
#include "../WindowTestSupport.h"
#include "platform/qt/QtServices.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const lumarin::app::test::WindowTestEnvironment environment;
    QApplication app(argc, argv);
    lumarin::platform::qt::ApplyDesktopSettings(); // the device scale among them
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
