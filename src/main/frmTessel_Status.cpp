// SPDX-License-Identifier: MIT
// The status line: progress while an output runs, then what this run wrote
// and where, with a link that shows that folder in the desktop's file manager
// (the book folder, or the folder an EPUB file went into). The whole message
// shows while there is room; a narrow window shortens the path in its middle,
// and the tool tip keeps the whole text. Loading another book clears it.
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "platform/Services.h"
#include "platform/qt/QtText.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace lumarin::app {

using platform::qt::qs;

namespace {

std::u16string WithoutTrailingSlash(const std::filesystem::path& path) {
    std::u16string text = path.lexically_normal().u16string();
    if (text.size() > 1 && text.back() == u'/') text.pop_back();
    return text;
}

} // namespace

void frmTessel::showOutputDone(const QString& message, const std::filesystem::path& written,
                               Written what) {
    const std::filesystem::path folder =
        what == Written::Folder ? written : written.lexically_normal().parent_path();
    m_strOutputFolder = WithoutTrailingSlash(folder);
    m_cmdOpenOut->setText(what == Written::Folder ? QStringLiteral("打开输出文件夹")
                                                  : QStringLiteral("打开所在文件夹"));
    m_cmdOpenOut->setToolTip(qs(m_strOutputFolder));
    m_cmdOpenOut->setEnabled(true);
    m_cmdOpenOut->show();
    setStatusText(message);
}

void frmTessel::clearOutputDone() {
    m_strOutputFolder.clear();
    m_cmdOpenOut->setText(QString());
    m_cmdOpenOut->setToolTip(QString());
    m_cmdOpenOut->setEnabled(false);
    m_cmdOpenOut->hide();
    setStatusText(QString());
}

void frmTessel::setStatusText(const QString& text, bool rich) {
    if (text == m_strStatus && rich == m_blnStatusRich) return;
    m_strStatus = text;
    m_blnStatusRich = rich;
    fitStatusLine();
}

void frmTessel::fitStatusLine() {
    const QFontMetrics metrics = m_lblState->fontMetrics();
    const int room = m_lblState->contentsRect().width();
    QString shown = m_strStatus;
    m_lblState->setTextFormat(m_blnStatusRich ? Qt::RichText : Qt::PlainText);
    if (!m_blnStatusRich && metrics.horizontalAdvance(shown) > room) {
        // The path is what runs long: shorten it in its middle, where the
        // folder and the book's own name at its ends stay readable.
        const qsizetype path = m_strStatus.indexOf(QLatin1Char('/'));
        const QString head = path < 0 ? QString() : m_strStatus.left(path);
        const QString tail = path < 0 ? m_strStatus : m_strStatus.mid(path);
        shown = head + metrics.elidedText(tail, Qt::ElideMiddle,
                                          std::max(0, room - metrics.horizontalAdvance(head)));
    }
    // The tool tip first: readers, told of the new text, read the whole one from it.
    m_lblState->setToolTip(shown == m_strStatus ? QString() : m_strStatus);
    m_lblState->setText(shown);
}

void frmTessel::cmdOpenOut_Click() {
    if (m_strOutputFolder.empty()) return;
    const platform::Services& services = platform::CurrentServices();
    if (services.shell->OpenFolder(m_strOutputFolder)) return;
    // Without a file manager the path is what the reader needs to get there.
    const std::u16string question = u"无法打开文件夹: " + m_strOutputFolder +
                                    u"\n没有可用的文件管理器。要复制文件夹的路径吗？";
    if (platform::MessageBox(m_lstMemo->hWnd(), question, kAppTitle,
                             platform::MB_YESNO | platform::MB_ICONWARNING) == platform::IDYES)
        services.clipboard->SetText(m_strOutputFolder);
}

} // namespace lumarin::app
