// SPDX-License-Identifier: MIT
#pragma once
// Intercepts the messages of windows of this process, per window and per
// message, before or after the window's own procedure. Misuse is reported in
// the event log and a warning box and the call returns false or 0; nothing
// is thrown.

#include "platform/WinTypes.h"
#include "winplumb/ISubclass.h"
#include "winplumb/MessageTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumarin::winplumb {

struct HookRecord;

// Which tables AddMsg and DelMsg work on: a bit set.
enum eMsgWhen : int {
    MSG_BEFORE = 1,
    MSG_AFTER = 2,
    MSG_BEFORE_AND_AFTER = 3,
};

class Subclasser {
public:
    Subclasser() = default;
    ~Subclasser();
    Subclasser(const Subclasser&) = delete;
    Subclasser& operator=(const Subclasser&) = delete;

    // oCallback is not owned; it must unhook before it goes away.
    bool Subclass(platform::HWND lng_hWnd, ISubclass* oCallback, platform::LONG lParamUser = 0);
    void Terminate();
    void UnSubclass(platform::HWND lng_hWnd);
    void AddMsg(platform::HWND lng_hWnd, platform::UINT uMsg, int When);
    void DelMsg(platform::HWND lng_hWnd, platform::UINT uMsg, int When);
    platform::LRESULT CallOrigWndProc(platform::HWND lng_hWnd, platform::UINT uMsg,
                                      platform::WPARAM wParam, platform::LPARAM lParam);
    platform::LONG lParamUser(platform::HWND lng_hWnd);
    void lParamUser(platform::HWND lng_hWnd, platform::LONG NewValue);

private:
    struct MapEntry {
        std::string key; // "h" + handle in decimal
        platform::HWND hwnd = 0;
        std::uint64_t serial = 0;
    };

    // The window's entry, reporting "zMap_hWnd" failures; null when missing.
    MapEntry* zMap_hWnd(platform::HWND lng_hWnd);
    // The record behind a found entry, or null once it has been released.
    static HookRecord* LiveRecord(const MapEntry& entry);
    HookRecord* LiveRecordOf(platform::HWND lng_hWnd);
    void ChangeTables(HookRecord& record, platform::UINT uMsg, int When, bool add);
    static void ReportError(const char* routine, const std::string& message);

    std::optional<std::vector<MapEntry>> m_colWindows; // exists while started
};

} // namespace lumarin::winplumb
