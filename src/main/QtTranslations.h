// SPDX-License-Identifier: MIT
#pragma once
// Qt's own texts (standard buttons, the text boxes' menus, the file and folder
// choosers) in Chinese, like the program's own texts, whatever the desktop's
// language: a window half in English reads as broken.

class QCoreApplication;
class QTranslator;

namespace lumarin::app {

// Installs Qt's simplified Chinese translations and returns them (owned by
// app), or returns nullptr, changing nothing, when the system holds none.
QTranslator* InstallQtTranslations(QCoreApplication& app);

} // namespace lumarin::app
