// SPDX-License-Identifier: MIT
// platform-demo: one hosted window with a grid of 500 x 40 cells and both
// scroll bars, painted by its window procedure through a memory back buffer.

#include "GridWindow.h"
#include "platform/Window.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/WindowHostWidget.h"

#include <QApplication>

int main(int argc, char** argv) {
    using namespace lumarin::platform;
    QApplication app(argc, argv);
    qt::InstallQtServices();

    lumarin::demo::RegisterGridClass();
    const HWND hwnd =
        CreateWindowEx(WS_EX_CLIENTEDGE, lumarin::demo::kGridClassName, u"",
                       WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 0, 640, 480, 0, 0);
    if (hwnd == 0) return 1;
    qt::WindowHostWidget host(hwnd);
    host.setWindowTitle(QStringLiteral("platform-demo"));
    host.show();
    const int status = QApplication::exec();
    DestroyWindow(hwnd);
    return status;
}
