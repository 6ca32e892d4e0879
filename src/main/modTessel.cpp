#include "main/modTessel.h"

#include "platform/Services.h"

#include <QCoreApplication>

namespace lumarin::app {

std::u16string ProgramFolder() {
    return QCoreApplication::applicationDirPath().toStdU16String();
}

std::u16string ShowOpenDialog(platform::HWND owner) {
    auto& dialogs = platform::CurrentServices().fileDialogs;
    if (!dialogs) return {};
    return dialogs->OpenFile(owner, u"打开文件", ProgramFolder(),
                             {{u"文本文件(*.txt)", u"*.txt"}, {u"所有文件", u"*"}});
}

std::u16string BrowseFolder(platform::HWND owner, std::u16string& strInitialFolder) {
    if (strInitialFolder.size() > 1 && strInitialFolder.back() == u'/') strInitialFolder.pop_back();
    auto& dialogs = platform::CurrentServices().fileDialogs;
    if (!dialogs) return {};
    std::u16string folder = dialogs->BrowseFolder(owner, u"浏览文件夹", strInitialFolder);
    if (folder.size() > 1 && folder.back() == u'/') folder.pop_back();
    return folder;
}

} // namespace lumarin::app
