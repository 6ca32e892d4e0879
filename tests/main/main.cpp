// SPDX-License-Identifier: MIT
// The window tests need a QApplication; they run on the offscreen platform.
#include "WindowTestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const lumarin::app::test::WindowTestEnvironment environment;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
