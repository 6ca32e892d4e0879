// After an output the status line names the folder the files went to; one
// click on it shows that folder in the desktop's file manager.
#include "main/frmTessel.h"
#include "platform/Services.h"
#include "platform/qt/QtText.h"

#include <QFontMetrics>
#include <QPushButton>

namespace lumarin::app {

using platform::qt::qs;

namespace {

const QString kOpenFolderLabel = QStringLiteral("打开输出文件夹：");

} // namespace

void frmTessel::showOutputFolder(const std::filesystem::path& folder) {
    m_strOutputFolder = folder.lexically_normal().u16string();
    if (m_strOutputFolder.size() > 1 && m_strOutputFolder.back() == u'/')
        m_strOutputFolder.pop_back();
    m_cmdOpenOut->setToolTip(kOpenFolderLabel + qs(m_strOutputFolder));
    m_cmdOpenOut->setEnabled(true);
    fitOutputFolder();
}

void frmTessel::fitOutputFolder() {
    if (m_strOutputFolder.empty()) return;
    // A long path keeps both ends: the novel's folder name is at the end.
    const QFontMetrics metrics = m_cmdOpenOut->fontMetrics();
    const int room = m_cmdOpenOut->contentsRect().width() -
                     metrics.horizontalAdvance(kOpenFolderLabel) - 2 * metrics.averageCharWidth();
    m_cmdOpenOut->setText(kOpenFolderLabel +
                          metrics.elidedText(qs(m_strOutputFolder), Qt::ElideMiddle, room));
}

void frmTessel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitOutputFolder();
}

void frmTessel::cmdOpenOut_Click() {
    if (m_strOutputFolder.empty()) return;
    const std::shared_ptr<platform::IShell> shell = platform::CurrentServices().shell;
    if (!shell->OpenFolder(m_strOutputFolder)) warn(u"无法打开文件夹: " + m_strOutputFolder);
}

} // namespace lumarin::app
