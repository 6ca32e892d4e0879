// SPDX-License-Identifier: MIT
#include "platform/testing/ScopedTestServices.h"

namespace lumarin::platform::testing {

ScopedTestServices::ScopedTestServices()
    : m_previous(CurrentServices()), m_messageBox(std::make_shared<RecordingMessageBox>()),
      m_eventLog(std::make_shared<RecordingEventLog>()),
      m_clipboard(std::make_shared<MemoryClipboard>()), m_shell(std::make_shared<RecordingShell>()),
      m_fileDialogs(std::make_shared<ScriptedFileDialogs>()),
      m_eventPump(std::make_shared<CountingEventPump>()) {
    InstallServices(
        Services{m_messageBox, m_eventLog, m_clipboard, m_shell, m_fileDialogs, m_eventPump});
}

ScopedTestServices::~ScopedTestServices() {
    InstallServices(std::move(m_previous));
}

} // namespace lumarin::platform::testing
