// SPDX-License-Identifier: MIT
// The control draws text through the platform layer, which renders it with
// Qt: every test runs inside a QGuiApplication (offscreen in the test runs).

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
