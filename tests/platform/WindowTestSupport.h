// SPDX-License-Identifier: MIT
#pragma once
// Shared by the window tests: a class whose procedure records every message,
// and a fixture that destroys whatever a test left behind.

#include "platform/Window.h"
#include "platform/WindowHost.h"

#include <gtest/gtest.h>
#include <vector>

namespace lumarin::platform::test {

struct Message {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

inline constexpr char16_t kRecordingClass[] = u"Test.Recording";

std::vector<Message>& MessageLog();
// Messages (numbers only) that reached hwnd, in order.
std::vector<UINT> MessagesTo(HWND hwnd);
std::vector<Message> MessagesOf(HWND hwnd, UINT msg);
LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A host that only counts what it is told.
class RecordingHost final : public IWindowHost {
public:
    void invalidated() override { ++invalidations; }
    void surfaceChanged() override { ++surfaceChanges; }
    void scrollBarsChanged() override { ++scrollBarChanges; }
    void frameChanged() override { ++frameChanges; }
    void focusRequested() override { ++focusRequests; }
    void captureChanged(bool captured) override { captures.push_back(captured); }
    void cursorChanged(HCURSOR cursor) override { cursors.push_back(cursor); }
    void topMostChanged(bool topMost) override { topMosts.push_back(topMost); }
    void timerStarted(UINT_PTR id, UINT elapseMs) override { started.emplace_back(id, elapseMs); }
    void timerStopped(UINT_PTR id) override { stopped.push_back(id); }
    POINT screenOrigin() const override { return origin; }
    void windowDestroyed() override { ++destroyed; }

    int invalidations = 0;
    int surfaceChanges = 0;
    int scrollBarChanges = 0;
    int frameChanges = 0;
    int focusRequests = 0;
    int destroyed = 0;
    std::vector<bool> captures;
    std::vector<HCURSOR> cursors;
    std::vector<bool> topMosts;
    std::vector<std::pair<UINT_PTR, UINT>> started;
    std::vector<UINT_PTR> stopped;
    POINT origin;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    HWND Create(LONG style = 0, DWORD exStyle = 0, int width = 200, int height = 100,
                HWND parent = 0);
};

} // namespace lumarin::platform::test
