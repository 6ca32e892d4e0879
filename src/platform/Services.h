// SPDX-License-Identifier: MIT
#pragma once
// Services of the desktop that the window code calls, each a small interface.
// The Qt host installs real ones; tests install recording doubles so that no
// test ever blocks on a modal box.

#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lumarin::platform {

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // flags: MB_OK ... | MB_ICON*; returns IDOK, IDCANCEL, ...
    virtual int Show(HWND owner, const std::u16string& text, const std::u16string& title,
                     UINT flags) = 0;
};

class IEventLog {
public:
    virtual ~IEventLog() = default;
    virtual void LogError(const std::u16string& entry) = 0; // stderr and the system log
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual void Clear() = 0;
    virtual void SetText(const std::u16string& text) = 0;
    virtual std::u16string GetText() const = 0;
};

class IShell {
public:
    virtual ~IShell() = default;
    virtual bool OpenUrl(const std::u16string& url) = 0; // the default browser
    // Shows an existing folder (an absolute path) in the file manager.
    virtual bool OpenFolder(const std::u16string& folder) = 0;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // Empty result when cancelled. filter: pairs of (caption, pattern) as "文本文件(*.txt)",
    // "*.txt".
    virtual std::u16string
    OpenFile(HWND owner, const std::u16string& title, const std::u16string& startFolder,
             const std::vector<std::pair<std::u16string, std::u16string>>& filter) = 0;
    virtual std::u16string BrowseFolder(HWND owner, const std::u16string& title,
                                        const std::u16string& startFolder) = 0;
    // The path to write, asked with `startPath` proposed; empty when cancelled.
    virtual std::u16string
    SaveFile(HWND owner, const std::u16string& title, const std::u16string& startPath,
             const std::vector<std::pair<std::u16string, std::u16string>>& filter) = 0;
};

class IEventPump {
public:
    virtual ~IEventPump() = default;
    virtual void DoEvents() = 0; // let pending window events run
};

struct Services {
    std::shared_ptr<IMessageBox> messageBox;
    std::shared_ptr<IEventLog> eventLog;
    std::shared_ptr<IClipboard> clipboard;
    std::shared_ptr<IShell> shell;
    std::shared_ptr<IFileDialogs> fileDialogs;
    std::shared_ptr<IEventPump> eventPump;
};

// The services in force. Until something is installed, a headless default is
// used: message boxes and log entries go to standard error, the clipboard is
// in-process, nothing opens, dialogs return empty, DoEvents does nothing.
Services& CurrentServices();
void InstallServices(Services services);

int MessageBox(HWND owner, const std::u16string& text, const std::u16string& title, UINT flags);
void DoEvents();

} // namespace lumarin::platform
