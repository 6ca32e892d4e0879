// SPDX-License-Identifier: MIT
// The services in force and the headless ones used until a host installs its
// own: nothing here ever waits for a person.

#include "platform/Services.h"

#include "platform/Utf8.h"

#include <cstdio>
#include <syslog.h>

namespace lumarin::platform {

namespace {

class HeadlessMessageBox final : public IMessageBox {
public:
    // Nobody can answer: the box is printed and the cautious button is taken.
    int Show(HWND, const std::u16string& text, const std::u16string& title, UINT flags) override {
        std::fprintf(stderr, "%s: %s\n", Utf8(title).c_str(), Utf8(text).c_str());
        switch (flags & 0x0F) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
            return IDCANCEL;
        case MB_YESNO:
            return IDNO;
        default:
            return IDOK;
        }
    }
};

class HeadlessEventLog final : public IEventLog {
public:
    void LogError(const std::u16string& entry) override {
        const std::string text = Utf8(entry);
        std::fprintf(stderr, "%s\n", text.c_str());
        syslog(LOG_USER | LOG_ERR, "%s", text.c_str());
    }
};

class InProcessClipboard final : public IClipboard {
public:
    void Clear() override { m_text.clear(); }
    void SetText(const std::u16string& text) override { m_text = text; }
    std::u16string GetText() const override { return m_text; }

private:
    std::u16string m_text;
};

class HeadlessShell final : public IShell {
public:
    bool OpenUrl(const std::u16string&) override { return false; }
    bool OpenFolder(const std::u16string&) override { return false; }
};

class HeadlessFileDialogs final : public IFileDialogs {
public:
    std::u16string
    OpenFile(HWND, const std::u16string&, const std::u16string&,
             const std::vector<std::pair<std::u16string, std::u16string>>&) override {
        return {};
    }
    std::u16string BrowseFolder(HWND, const std::u16string&, const std::u16string&) override {
        return {};
    }
    std::u16string
    SaveFile(HWND, const std::u16string&, const std::u16string&,
             const std::vector<std::pair<std::u16string, std::u16string>>&) override {
        return {};
    }
};

class IdleEventPump final : public IEventPump {
public:
    void DoEvents() override {}
};

// Any service left empty falls back to its headless stand-in, so callers
// never meet a null pointer.
void FillGaps(Services& services) {
    if (!services.messageBox) services.messageBox = std::make_shared<HeadlessMessageBox>();
    if (!services.eventLog) services.eventLog = std::make_shared<HeadlessEventLog>();
    if (!services.clipboard) services.clipboard = std::make_shared<InProcessClipboard>();
    if (!services.shell) services.shell = std::make_shared<HeadlessShell>();
    if (!services.fileDialogs) services.fileDialogs = std::make_shared<HeadlessFileDialogs>();
    if (!services.eventPump) services.eventPump = std::make_shared<IdleEventPump>();
}

Services& Installed() {
    static Services services = [] {
        Services headless;
        FillGaps(headless);
        return headless;
    }();
    return services;
}

} // namespace

Services& CurrentServices() {
    Services& services = Installed();
    FillGaps(services); // a caller may have emptied a member through the reference
    return services;
}

void InstallServices(Services services) {
    FillGaps(services);
    Installed() = std::move(services);
}

int MessageBox(HWND owner, const std::u16string& text, const std::u16string& title, UINT flags) {
    // Hold the service while it runs: a box may install other services.
    const std::shared_ptr<IMessageBox> box = CurrentServices().messageBox;
    return box->Show(owner, text, title, flags);
}

void DoEvents() {
    const std::shared_ptr<IEventPump> pump = CurrentServices().eventPump;
    pump->DoEvents();
}

} // namespace lumarin::platform
