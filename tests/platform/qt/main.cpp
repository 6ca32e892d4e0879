// SPDX-License-Identifier: MIT
// Host tests need a QApplication (widgets, styles, fonts) on the offscreen
// platform, and recording services so that nothing ever waits on a modal box.
#include "platform/testing/ScopedTestServices.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lumarin::platform::testing::ScopedTestServices services;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
