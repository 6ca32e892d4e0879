// SPDX-License-Identifier: MIT
#include "platform/qt/QtServices.h"

#include "platform/Services.h"
#include "platform/Window.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtEventLog.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtShell.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QPalette>
#include <QScreen>
#include <array>
#include <utility>

namespace lumarin::platform::qt {

namespace {

struct PaletteRole {
    int sysColor;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Classic 3-D edges take the palette's light-to-shadow ramp.
constexpr std::array<PaletteRole, 14> kSysColors{{
    {COLOR_SCROLLBAR, QPalette::Active, QPalette::Mid},
    {COLOR_BACKGROUND, QPalette::Active, QPalette::Window},
    {COLOR_WINDOW, QPalette::Active, QPalette::Base},
    {COLOR_WINDOWFRAME, QPalette::Active, QPalette::Shadow},
    {COLOR_WINDOWTEXT, QPalette::Active, QPalette::Text},
    {COLOR_HIGHLIGHT, QPalette::Active, QPalette::Highlight},
    {COLOR_HIGHLIGHTTEXT, QPalette::Active, QPalette::HighlightedText},
    {COLOR_BTNFACE, QPalette::Active, QPalette::Button},
    {COLOR_BTNSHADOW, QPalette::Active, QPalette::Dark},
    {COLOR_GRAYTEXT, QPalette::Disabled, QPalette::Text},
    {COLOR_BTNTEXT, QPalette::Active, QPalette::ButtonText},
    {COLOR_BTNHIGHLIGHT, QPalette::Active, QPalette::Light},
    {COLOR_3DDKSHADOW, QPalette::Active, QPalette::Shadow},
    {COLOR_3DLIGHT, QPalette::Active, QPalette::Midlight},
}};

// Follows the desktop when its palette changes while the program runs.
class PaletteWatcher final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == qApp && e->type() == QEvent::ApplicationPaletteChange)
            ApplyDesktopSettings();
        return QObject::eventFilter(watched, e);
    }
};

} // namespace

void ApplyDesktopSettings() {
    const QPalette palette = QApplication::palette();
    for (const PaletteRole& entry : kSysColors) {
        const QColor c = palette.color(entry.group, entry.role);
        SetSystemColor(entry.sysColor, RGB(c.red(), c.green(), c.blue()));
    }
    SetWheelScrollLines(static_cast<UINT>(QApplication::wheelScrollLines()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        SetDeviceScale(screen->devicePixelRatio());
}

void InstallQtServices() {
    Services services;
    services.messageBox = std::make_shared<QtMessageBox>();
    services.eventLog = std::make_shared<QtEventLog>();
    services.clipboard = std::make_shared<QtClipboard>();
    services.shell = std::make_shared<QtShell>();
    services.fileDialogs = std::make_shared<QtFileDialogs>();
    services.eventPump = std::make_shared<QtEventPump>();
    InstallServices(std::move(services));

    ApplyDesktopSettings();
    static PaletteWatcher* watcher = nullptr;
    if (watcher == nullptr) {
        watcher = new PaletteWatcher(qApp);
        qApp->installEventFilter(watcher);
    }
}

} // namespace lumarin::platform::qt
