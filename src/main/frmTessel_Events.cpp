#include "listview/ListView.h"
#include "main/QtText.h"
#include "main/frmAbout.h"
#include "main/frmTessel.h"
#include "main/modTessel.h"
#include "platform/DataObject.h"
#include "platform/WinTypes.h"
#include "platform/qt/WindowHostWidget.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <QUrl>

namespace lumarin::app {

namespace {

bool EndsWithTxt(const std::u16string& name) {
    // Case-sensitive on purpose: "BOOK.TXT" is not taken.
    return name.size() >= 4 && name.compare(name.size() - 4, 4, u".txt") == 0;
}

platform::DataObject DataFromMime(const QMimeData& mime) {
    platform::DataObject dropped;
    std::vector<std::u16string> files;
    for (const QUrl& url : mime.urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdU16String());
    dropped.SetFiles(std::move(files));
    if (mime.hasText()) dropped.SetText(mime.text().toStdU16String());
    return dropped;
}

constexpr std::int32_t kSelectedBack = 0xB99D7F; // RGB(127, 157, 185)
constexpr std::int32_t kCheckedBack = 0xC0E0FF;  // RGB(255, 224, 192)
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kBlack = 0x000000;

} // namespace

// ---- drops ----------------------------------------------------------------------------

void frmTessel::takeDroppedFile(platform::DataObject& Data) {
    if (!Data.GetFormat(platform::vbCFFiles) || Data.Files().empty()) return;
    const std::u16string& name = Data.Files().front();
    if (!EndsWithTxt(name)) return;
    m_txtFile->setPlainText(qs(name));
    QTextCursor all = m_txtFile->textCursor();
    all.select(QTextCursor::Document);
    m_txtFile->setTextCursor(all);
}

void frmTessel::txtFile_OLEDragDrop(platform::DataObject& Data) {
    if (m_blnOutputRunning) return;
    takeDroppedFile(Data);
}

void frmTessel::OLEDragDrop(platform::DataObject& Data, std::int32_t& /*Effect*/,
                            std::int16_t& /*MouseButton*/, std::int16_t& /*Shift*/, float& /*X*/,
                            float& /*Y*/) {
    if (m_blnOutputRunning) return;
    takeDroppedFile(Data);
    cmdAnalyze_Click(); // a drop on the list analyses whatever the path now is
}

void frmTessel::OpenFromCommandLine(const std::u16string& path) {
    platform::DataObject dropped({path});
    std::int32_t effect = platform::vbDropEffectCopy;
    std::int16_t button = 1, shift = 0;
    float x = 0, y = 0;
    if (EndsWithTxt(path)) {
        OLEDragDrop(dropped, effect, button, shift, x, y);
        return;
    }
    // Any other name (the chooser's "所有文件" allows them too) is opened as it is.
    m_txtFile->setPlainText(qs(path));
    cmdAnalyze_Click();
}

bool frmTessel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtFile->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            platform::DataObject dropped = DataFromMime(*drop->mimeData());
            txtFile_OLEDragDrop(dropped);
            drop->acceptProposedAction();
            return true;
        }
    }
    if (watched == m_lstMemoHost && event->type() == QEvent::Resize) {
        // Once the list has taken its new size, its last column takes the free width.
        QTimer::singleShot(0, this, [this] { fitLastColumn(); });
        return false;
    }
    if (watched == m_imgAbout && event->type() == QEvent::MouseButtonRelease) {
        imgAbout_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the chapter list ---------------------------------------------------------------------

void frmTessel::ItemCheck(std::int32_t ItemIndex) {
    lstMemo_ItemCheck(ItemIndex);
}

// Home and End (with or without Ctrl) make the first or last row the only
// selected, current row and scroll it into view; the list itself knows no
// such keys, so it goes on to handle the key as before.
void frmTessel::KeyDown(std::int16_t& KeyCode, std::int16_t& /*Shift*/) {
    if (KeyCode != platform::VK_HOME && KeyCode != platform::VK_END) return;
    const std::int32_t count = m_lstMemo->ItemCount();
    if (count == 0) return;
    const std::int32_t row = KeyCode == platform::VK_HOME ? 0 : count - 1;
    m_lstMemo->UnSelectAll();
    m_lstMemo->ItemSelected(row, true);
    m_lstMemo->SelectedItem(row);
    m_lstMemo->MakeSureVisible(row);
}

void frmTessel::KeyPress(std::int16_t& KeyAscii) {
    if (KeyAscii == 32) lstMemo_ItemCheck(m_lstMemo->SelectedItem());
}

void frmTessel::RedrawingDone() {
    if (m_lstMemo && m_lstMemo->ItemCount() > 0) m_lblState->setText(QStringLiteral("准备就绪"));
}

bool frmTessel::CustomDraw(std::int32_t ItemIndex, std::int32_t /*ColumnIndex*/,
                           std::int32_t& BackColor, std::int32_t& ForeColor) {
    if (m_lstMemo->ItemSelected(ItemIndex)) {
        BackColor = kSelectedBack;
        ForeColor = kWhite;
    } else if (m_lstMemo->ItemChecked(ItemIndex)) {
        BackColor = kCheckedBack;
        ForeColor = kBlack;
    } else {
        BackColor = kWhite;
        ForeColor = kBlack;
    }
    return true;
}

// ---- choosers and the about window --------------------------------------------------------

void frmTessel::cmdOpenFile_Click() {
    const std::u16string source = m_txtFile->toPlainText().toStdU16String();
    const std::u16string path =
        ShowOpenDialog(m_lstMemo->hWnd(), FirstExistingFolder({FolderOf(source), m_strLastFolder}));
    if (!path.empty()) {
        m_txtFile->setPlainText(qs(path));
        rememberFolder(FolderOf(path));
    }
    m_txtFile->setFocus(Qt::OtherFocusReason);
}

void frmTessel::cmdOpenFolder_Click() {
    const std::u16string source = m_txtFile->toPlainText().toStdU16String();
    std::u16string start = FirstExistingFolder(
        {m_cboFolderOut->currentText().toStdU16String(), FolderOf(source), m_strLastFolder});
    const std::u16string folder = BrowseFolder(m_lstMemo->hWnd(), start);
    if (!folder.empty()) {
        rememberFolder(folder);
        m_cboFolderOut->addItem(qs(folder));
        m_cboFolderOut->setCurrentIndex(m_cboFolderOut->count() - 1);
        m_cboFolderOut->setEditText(qs(folder));
    }
    m_cboFolderOut->setFocus(Qt::OtherFocusReason);
}

void frmTessel::imgAbout_Click() {
    {
        frmAbout about(this);
        about.exec();
    }
    setTopMost(m_blnTopMost);
}

} // namespace lumarin::app
