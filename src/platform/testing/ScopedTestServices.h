// SPDX-License-Identifier: MIT
#pragma once
// Installs recording doubles of every service for the life of the object and
// puts the previous services back afterwards.

#include "platform/Services.h"
#include "platform/testing/CountingEventPump.h"
#include "platform/testing/MemoryClipboard.h"
#include "platform/testing/RecordingEventLog.h"
#include "platform/testing/RecordingMessageBox.h"
#include "platform/testing/RecordingShell.h"
#include "platform/testing/ScriptedFileDialogs.h"

namespace lumarin::platform::testing {

class ScopedTestServices {
public:
    ScopedTestServices();
    ~ScopedTestServices();
    ScopedTestServices(const ScopedTestServices&) = delete;
    ScopedTestServices& operator=(const ScopedTestServices&) = delete;

    RecordingMessageBox& messageBox() { return *m_messageBox; }
    RecordingEventLog& eventLog() { return *m_eventLog; }
    MemoryClipboard& clipboard() { return *m_clipboard; }
    RecordingShell& shell() { return *m_shell; }
    ScriptedFileDialogs& fileDialogs() { return *m_fileDialogs; }
    CountingEventPump& eventPump() { return *m_eventPump; }

private:
    Services m_previous;
    std::shared_ptr<RecordingMessageBox> m_messageBox;
    std::shared_ptr<RecordingEventLog> m_eventLog;
    std::shared_ptr<MemoryClipboard> m_clipboard;
    std::shared_ptr<RecordingShell> m_shell;
    std::shared_ptr<ScriptedFileDialogs> m_fileDialogs;
    std::shared_ptr<CountingEventPump> m_eventPump;
};

} // namespace lumarin::platform::testing
