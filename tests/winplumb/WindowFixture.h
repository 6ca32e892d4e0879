// SPDX-License-Identifier: MIT
#pragma once
// Shared by the hook and scroll bar tests: windows whose own procedure
// records what reaches it, the recording services, and a receiver that
// records its calls.

#include "platform/Window.h"
#include "platform/testing/ScopedTestServices.h"
#include "winplumb/ISubclass.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumarin::winplumb::test {

using namespace platform;

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

    platform::testing::RecordingMessageBox& Boxes() { return m_services->messageBox(); }
    platform::testing::RecordingEventLog& Log() { return m_services->eventLog(); }
    std::u16string LastBoxText();

private:
    std::optional<platform::testing::ScopedTestServices> m_services;
    std::vector<HWND> m_windows;
};

} // namespace lumarin::winplumb::test
