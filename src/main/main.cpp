// SPDX-License-Identifier: MIT
// Lumarin: the window. With a file name it opens that file and analyses it.
#include "main/QtTranslations.h"
#include "main/frmTessel.h"
#include "platform/qt/QtServices.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumarin"));
    lumarin::app::InstallQtTranslations(app);
    lumarin::platform::qt::InstallQtServices();

    lumarin::app::frmTessel window;
    window.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) window.OpenFromCommandLine(args.at(1).toStdU16String());
    return QApplication::exec();
}
