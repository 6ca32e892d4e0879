// SPDX-License-Identifier: MIT
#pragma once
// The process-wide table of hook records, one per hooked window, and the one
// window procedure installed on every hooked window. That procedure finds the
// record by window handle, so no executable code is generated per window.

#include "platform/WinTypes.h"
#include "winplumb/HookRecord.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace lumarin::winplumb {

class HookRegistry {
public:
    static HookRegistry& Instance();

    // The record of hwnd if it is still the one with this serial.
    HookRecord* Find(platform::HWND hwnd, std::uint64_t serial);
    // The record of hwnd that is live and not shutting down, if any.
    HookRecord* Active(platform::HWND hwnd);
    // A record unhooked but still installed, waiting for the window's next message.
    HookRecord* ShuttingDown(platform::HWND hwnd);

    // Installs the dispatch procedure on the window and takes the record.
    // Returns null (the last error set by the window layer) when the window's
    // procedure cannot be replaced; the record is then dropped.
    HookRecord* Install(std::unique_ptr<HookRecord> record);
    // Gives a shutting-down record a new life for a new receiver, keeping the
    // procedure it replaced: the same as removing it and hooking anew.
    HookRecord* Revive(HookRecord& record, ISubclass* receiver, platform::LONG lParamUser);

    platform::LRESULT CallPrevious(HookRecord& record, platform::UINT uMsg, platform::WPARAM wParam,
                                   platform::LPARAM lParam);

    static platform::LRESULT Dispatch(platform::HWND hwnd, platform::UINT uMsg,
                                      platform::WPARAM wParam, platform::LPARAM lParam);

private:
    platform::LRESULT Run(HookRecord& record, platform::UINT uMsg, platform::WPARAM wParam,
                          platform::LPARAM lParam);
    void Remove(HookRecord& record);

    std::unordered_map<platform::HWND, std::unique_ptr<HookRecord>> m_records;
    std::uint64_t m_lngNextSerial = 1;
};

} // namespace lumarin::winplumb
