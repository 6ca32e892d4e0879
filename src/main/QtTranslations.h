// SPDX-License-Identifier: MIT
#pragma once
// Qt's own texts (standard buttons, the file and folder choosers) in the
// user's language; the program's own texts are Chinese already.

class QCoreApplication;
class QLocale;
class QTranslator;

namespace lumarin::app {

// Installs Qt's translations for the locale and returns them (owned by app),
// or returns nullptr, changing nothing, when the system holds none for it.
QTranslator* InstallQtTranslations(QCoreApplication& app, const QLocale& locale);

} // namespace lumarin::app
