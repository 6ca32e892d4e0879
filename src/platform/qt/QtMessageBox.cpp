// SPDX-License-Identifier: MIT
#include "platform/qt/QtMessageBox.h"

#include "platform/qt/QtText.h"
#include "platform/qt/WindowHostWidget.h"

namespace lumarin::platform::qt {

namespace {

constexpr UINT kIconMask = 0x00F0;
constexpr UINT kButtonMask = 0x000F;
constexpr UINT kAbortRetryIgnore = 0x0002;
constexpr UINT kRetryCancel = 0x0005;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;

} // namespace

QMessageBox::Icon QtMessageBox::IconFor(UINT flags) {
    switch (flags & kIconMask) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons QtMessageBox::ButtonsFor(UINT flags) {
    switch (flags & kButtonMask) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case kAbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    case kRetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

int QtMessageBox::ResultFor(QMessageBox::StandardButton clicked) {
    switch (clicked) {
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Abort:
        return kIdAbort;
    case QMessageBox::Retry:
        return kIdRetry;
    case QMessageBox::Ignore:
        return kIdIgnore;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDOK;
    }
}

int QtMessageBox::Show(HWND owner, const std::u16string& text, const std::u16string& title,
                       UINT flags) {
    QMessageBox box(IconFor(flags), qs(title), qs(text), ButtonsFor(flags), HostWidgetOf(owner));
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    if (clicked != QMessageBox::NoButton) return ResultFor(clicked);
    // Closed by Escape or the title bar: the cautious answer.
    switch (flags & kButtonMask) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

} // namespace lumarin::platform::qt
