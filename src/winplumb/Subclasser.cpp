// SPDX-License-Identifier: MIT
#include "winplumb/Subclasser.h"

#include "platform/Services.h"
#include "platform/Utf8.h"
#include "platform/Window.h"
#include "winplumb/HookRegistry.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>

namespace lumarin::winplumb {

using namespace platform;

namespace {

std::string MapKey(HWND hwnd) {
    return "h" + std::to_string(hwnd);
}

std::string Hex(UINT value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

} // namespace

Subclasser::~Subclasser() {
    Terminate();
}

bool Subclasser::Subclass(HWND lng_hWnd, ISubclass* oCallback, LONG lParamUser) {
    if (!IsWindow(lng_hWnd)) {
        ReportError("sc_Subclass", "Invalid window handle");
        return false;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(lng_hWnd, &processId);
    if (processId != GetCurrentProcessId()) {
        ReportError("sc_Subclass", "Window handle belongs to another process");
        return false;
    }
    if (!m_colWindows) m_colWindows.emplace();

    const std::string key = MapKey(lng_hWnd);
    const bool inMap = std::any_of(m_colWindows->begin(), m_colWindows->end(),
                                   [&](const MapEntry& e) { return e.key == key; });
    HookRegistry& registry = HookRegistry::Instance();
    // One hook per window in the whole process, so that the dispatch can find
    // it by handle alone; another Subclasser's hook counts too.
    if (inMap || registry.Active(lng_hWnd)) {
        ReportError("sc_Subclass", "Window handle is already subclassed");
        return false;
    }

    HookRecord* record = nullptr;
    if (HookRecord* waiting = registry.ShuttingDown(lng_hWnd)) {
        record = registry.Revive(*waiting, oCallback, lParamUser);
    } else {
        std::unique_ptr<HookRecord> fresh(new (std::nothrow) HookRecord);
        if (!fresh) {
            ReportError("sc_Subclass",
                        "VirtualAlloc failed, error: " + std::to_string(ERROR_NOT_ENOUGH_MEMORY));
            return false;
        }
        fresh->hwnd = lng_hWnd;
        fresh->receiver = oCallback;
        fresh->lParamUser = lParamUser;
        record = registry.Install(std::move(fresh));
        if (!record) {
            ReportError("sc_Subclass",
                        "SetWindowLong failed, error #" + std::to_string(GetLastError()));
            return false;
        }
    }
    m_colWindows->push_back({key, lng_hWnd, record->serial});
    return true;
}

void Subclasser::Terminate() {
    if (!m_colWindows) return;
    // Last hooked first. UnSubclass takes each entry out of the map.
    for (std::size_t i = m_colWindows->size(); i-- > 0;) {
        if (i >= m_colWindows->size()) continue;
        const MapEntry entry = (*m_colWindows)[i];
        if (LiveRecord(entry)) UnSubclass(entry.hwnd);
    }
    m_colWindows.reset();
}

void Subclasser::UnSubclass(HWND lng_hWnd) {
    if (!m_colWindows) {
        ReportError("UnSubclass", "Window handle isn't subclassed");
        return;
    }
    MapEntry* entry = zMap_hWnd(lng_hWnd);
    if (!entry) return;
    // The hook stays installed and passes everything on until the window's
    // next message has been through it; then it puts the old procedure back.
    if (HookRecord* record = LiveRecord(*entry)) {
        record->shuttingDown = true;
        record->before.Clear();
        record->after.Clear();
    }
    const std::string key = entry->key;
    std::erase_if(*m_colWindows, [&](const MapEntry& e) { return e.key == key; });
}

void Subclasser::AddMsg(HWND lng_hWnd, UINT uMsg, int When) {
    if (HookRecord* record = LiveRecordOf(lng_hWnd)) ChangeTables(*record, uMsg, When, true);
}

void Subclasser::DelMsg(HWND lng_hWnd, UINT uMsg, int When) {
    if (HookRecord* record = LiveRecordOf(lng_hWnd)) ChangeTables(*record, uMsg, When, false);
}

LRESULT Subclasser::CallOrigWndProc(HWND lng_hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    HookRecord* record = LiveRecordOf(lng_hWnd);
    return record ? HookRegistry::Instance().CallPrevious(*record, uMsg, wParam, lParam) : 0;
}

LONG Subclasser::lParamUser(HWND lng_hWnd) {
    const HookRecord* record = LiveRecordOf(lng_hWnd);
    return record ? record->lParamUser : 0;
}

void Subclasser::lParamUser(HWND lng_hWnd, LONG NewValue) {
    if (HookRecord* record = LiveRecordOf(lng_hWnd)) record->lParamUser = NewValue;
}

Subclasser::MapEntry* Subclasser::zMap_hWnd(HWND lng_hWnd) {
    if (!m_colWindows) {
        ReportError("zMap_hWnd", "Subclassing hasn't been started");
        return nullptr;
    }
    const std::string key = MapKey(lng_hWnd);
    const auto it = std::find_if(m_colWindows->begin(), m_colWindows->end(),
                                 [&](const MapEntry& e) { return e.key == key; });
    if (it == m_colWindows->end()) {
        ReportError("zMap_hWnd", "Window handle isn't subclassed");
        return nullptr;
    }
    return &*it;
}

HookRecord* Subclasser::LiveRecord(const MapEntry& entry) {
    return HookRegistry::Instance().Find(entry.hwnd, entry.serial);
}

HookRecord* Subclasser::LiveRecordOf(HWND lng_hWnd) {
    const MapEntry* entry = zMap_hWnd(lng_hWnd);
    return entry ? LiveRecord(*entry) : nullptr;
}

void Subclasser::ChangeTables(HookRecord& record, UINT uMsg, int When, bool add) {
    for (MessageTable* table : {&record.before, &record.after}) {
        const int bit = table == &record.before ? MSG_BEFORE : MSG_AFTER;
        if ((When & bit) == 0) continue;
        if (add) {
            if (table->Add(uMsg) == MessageTable::Result::Overflow)
                ReportError("zAddMsg",
                            "Message table overflow. Either increase the value of Const "
                            "MSG_ENTRIES or use ALL_MESSAGES instead of specific message values");
        } else if (table->Remove(uMsg) == MessageTable::Result::NotFound) {
            ReportError("zDelMsg", "Message &H" + Hex(uMsg) + " not found in table");
        }
    }
}

void Subclasser::ReportError(const char* routine, const std::string& message) {
    const std::string where = std::string("Subclasser.") + routine;
    if (const auto& log = CurrentServices().eventLog) log->LogError(Utf16(where + ": " + message));
    MessageBox(0, Utf16(message + "."), Utf16("Error in " + where), MB_OK | MB_ICONEXCLAMATION);
}

} // namespace lumarin::winplumb
