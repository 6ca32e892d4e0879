#pragma once
// Shared by the hook and scroll bar tests: windows whose own procedure
// records what reaches it, recording message boxes and event log, and a
// receiver that records its calls.

#include "platform/Services.h"
#include "platform/Window.h"
#include "winplumb/ISubclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lumarin::winplumb::test {

using namespace platform;

struct Shown {
    std::u16string text;
    std::u16string title;
    UINT flags;
};

class RecordingMessageBox final : public IMessageBox {
public:
    int Show(HWND, const std::u16string& text, const std::u16string& title, UINT flags) override {
        shown.push_back({text, title, flags});
        return IDOK;
    }
    std::vector<Shown> shown;
};

class RecordingEventLog final : public IEventLog {
public:
    void LogError(const std::u16string& entry) override { entries.push_back(entry); }
    std::vector<std::u16string> entries;
};

// One call of ISubclass::WndProc as the receiver saw it.
struct Call {
    bool bBefore;
    UINT uMsg;
    LRESULT lReturnOnEntry;
    LONG lParamUserOnEntry;
};

class RecordingReceiver : public ISubclass {
public:
    void WndProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND lng_hWnd, UINT uMsg,
                 WPARAM wParam, LPARAM lParam, LONG& lParamUser) override;

    std::vector<Call> calls;
    // Optional reaction, run after the call is recorded.
    std::function<void(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND, UINT, LONG&)> react;
};

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND CreateTestWindow(LONG style = 0);
    // Messages that reached the window's own procedure, in order.
    std::vector<UINT> OwnProcedureSaw(HWND hwnd) const;
    bool OwnProcedureSaw(HWND hwnd, UINT uMsg) const;
    // What the window's own procedure returns for a message (0 otherwise).
    static void OwnResult(UINT uMsg, LRESULT result);
    // Run by the window's own procedure for each message it receives.
    static void OnOwnMessage(std::function<void(HWND, UINT)> reaction);

    std::u16string LastBoxText() const;
    std::u16string LastBoxTitle() const;

    std::shared_ptr<RecordingMessageBox> m_boxes;
    std::shared_ptr<RecordingEventLog> m_log;

private:
    Services m_saved;
    std::vector<HWND> m_windows;
};

} // namespace lumarin::winplumb::test
