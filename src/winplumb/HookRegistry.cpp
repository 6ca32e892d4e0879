// SPDX-License-Identifier: MIT
#include "winplumb/HookRegistry.h"

#include "platform/Window.h"
#include "winplumb/ISubclass.h"

namespace lumarin::winplumb {

using namespace platform;

HookRegistry& HookRegistry::Instance() {
    // Never destroyed: windows torn down during exit may still send messages here.
    static HookRegistry& registry = *new HookRegistry;
    return registry;
}

HookRecord* HookRegistry::Find(HWND hwnd, std::uint64_t serial) {
    const auto it = m_records.find(hwnd);
    if (it == m_records.end() || it->second->serial != serial) return nullptr;
    return it->second.get();
}

HookRecord* HookRegistry::Active(HWND hwnd) {
    const auto it = m_records.find(hwnd);
    if (it == m_records.end() || it->second->PendingRemoval()) return nullptr;
    return it->second.get();
}

HookRecord* HookRegistry::ShuttingDown(HWND hwnd) {
    const auto it = m_records.find(hwnd);
    if (it == m_records.end() || !it->second->shuttingDown || it->second->windowGone)
        return nullptr;
    return it->second.get();
}

HookRecord* HookRegistry::Install(std::unique_ptr<HookRecord> record) {
    const HWND hwnd = record->hwnd;
    const LONG_PTR current = GetWindowLongPtr(hwnd, GWLP_WNDPROC);
    // Filled in before the swap, so that no message can reach a half-made hook.
    record->previous = ToWndProc(current);
    record->serial = m_lngNextSerial++;
    HookRecord* installed = record.get();
    m_records[hwnd] = std::move(record);

    const LONG_PTR previous = SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(&Dispatch));
    if (previous == 0) {
        const DWORD error = GetLastError();
        if (GetWindowLongPtr(hwnd, GWLP_WNDPROC) == FromWndProc(&Dispatch))
            SetWindowLongPtr(hwnd, GWLP_WNDPROC, current);
        m_records.erase(hwnd);
        SetLastError(error);
        return nullptr;
    }
    installed->previous = ToWndProc(previous);
    return installed;
}

HookRecord* HookRegistry::Revive(HookRecord& record, ISubclass* receiver, LONG lParamUser) {
    record.shuttingDown = false;
    record.serial = m_lngNextSerial++;
    record.receiver = receiver;
    record.before.Clear();
    record.after.Clear();
    record.lParamUser = lParamUser;
    return &record;
}

LRESULT HookRegistry::CallPrevious(HookRecord& record, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProc(record.previous, record.hwnd, uMsg, wParam, lParam);
}

LRESULT HookRegistry::Dispatch(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    HookRegistry& registry = Instance();
    const auto it = registry.m_records.find(hwnd);
    // Only reachable through a party that kept this procedure after the hook
    // was removed and cut it out.
    if (it == registry.m_records.end()) return DefWindowProc(hwnd, uMsg, wParam, lParam);
    return registry.Run(*it->second, uMsg, wParam, lParam);
}

// The depth counts every activation, not only the call of the previous
// procedure: a receiver may send nested messages too, and the record must
// outlive every activation that still uses it. An unhooked record goes once
// the previous procedure has returned at the outermost activation; a record
// whose window is gone goes as soon as nothing uses it any more.
LRESULT HookRegistry::Run(HookRecord& record, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    ++record.callDepth;
    bool bHandled = false;
    LRESULT lReturn = 0;
    if (record.receiver && record.before.Matches(uMsg))
        record.receiver->WndProc(true, bHandled, lReturn, record.hwnd, uMsg, wParam, lParam,
                                 record.lParamUser);
    if (!bHandled) lReturn = CallPrevious(record, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) record.windowGone = true;
    if (record.callDepth == 1 && record.PendingRemoval()) {
        Remove(record);
        return lReturn;
    }
    if (!bHandled && !record.windowGone && record.receiver && record.after.Matches(uMsg)) {
        bool bAfterHandled = false;
        record.receiver->WndProc(false, bAfterHandled, lReturn, record.hwnd, uMsg, wParam, lParam,
                                 record.lParamUser);
    }
    if (--record.callDepth == 0 && record.windowGone) Remove(record);
    return lReturn;
}

void HookRegistry::Remove(HookRecord& record) {
    const HWND hwnd = record.hwnd;
    if (!record.windowGone) SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(record.previous));
    m_records.erase(hwnd);
}

} // namespace lumarin::winplumb
