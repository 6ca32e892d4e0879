// SPDX-License-Identifier: MIT
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/source/BookFiles.h"
#include "listview/ListView.h"
#include "main/RowColours.h"
#include "main/frmAbout.h"
#include "main/frmTessel.h"
#include "main/modTessel.h"
#include "platform/DataObject.h"
#include "platform/WinTypes.h"
#include "platform/Window.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowHostWidget.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTextCursor>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <string>

namespace lumarin::app {

using platform::qt::qs;

namespace {

// The books among dropped files: each .txt file (any letter case) and the .txt files of each
// folder, in order.
std::vector<std::u16string> DroppedBooks(const std::vector<std::u16string>& files) {
    std::vector<std::u16string> books;
    for (const std::u16string& file : files) {
        std::error_code ignored;
        if (std::filesystem::is_directory(file, ignored)) {
            for (const auto& book : engine::ListBooks(file, false).books)
                books.push_back(book.u16string());
        } else if (engine::HasTextExtension(std::filesystem::path(file).filename())) {
            books.push_back(file);
        }
    }
    return books;
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

} // namespace

// ---- drops ----------------------------------------------------------------------------

bool frmTessel::takeDroppedFile(platform::DataObject& Data) {
    if (!Data.GetFormat(platform::vbCFFiles) || Data.Files().empty()) return false;
    const std::vector<std::u16string> books = DroppedBooks(Data.Files());
    const std::filesystem::path first(books.empty() ? Data.Files().front() : books.front());
    std::error_code error;
    // A link counts as there: reading it says what is wrong with it.
    if (!std::filesystem::exists(std::filesystem::symlink_status(first, error))) {
        warn(engine::EngineError::noSuchFile().message());
        return false;
    }
    if (books.empty()) {
        if (!std::filesystem::is_directory(first, error)) return true;
        warn(u"一次只打开一本书：请拖入一个文本文件，而不是文件夹。");
        return false;
    }
    showSourcePath(books.front());
    // One book at a time is the window's way; the rest are said, not lost silently.
    if (books.size() > 1) {
        m_strDropNote = u"另有" + engine::FromUtf8(std::to_string(books.size() - 1)) +
                        u"本未打开；多本请用命令行 lumarin-split";
        setStatusText(qs(m_strDropNote));
    }
    return true;
}

void frmTessel::showSourcePath(const std::u16string& path) {
    m_strDropNote.clear();
    m_txtFile->setPlainText(qs(path));
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
    dropOnList(Data);
}

void frmTessel::dropOnList(platform::DataObject& Data) {
    runGuarded(CommandSide::Reading, [&] {
        if (m_blnOutputRunning) return;
        // A drop on the list analyses whatever the path now is, unless it was refused.
        if (takeDroppedFile(Data)) cmdAnalyze_Click();
    });
}

void frmTessel::OpenFromCommandLine(const std::u16string& path) {
    runGuarded(CommandSide::Reading, [&] {
        // Any name is taken: the chooser's "所有文件" allows them too.
        showSourcePath(path);
        analyseSource();
    });
}

void frmTessel::runGuarded(CommandSide side, const std::function<void()>& command) {
    try {
        command();
    } catch (...) {
        const std::u16string subject = side == CommandSide::Writing
                                           ? m_cboFolderOut->currentText().toStdU16String()
                                           : m_strSource;
        warn(engine::ReportFailure(std::current_exception(), side, subject).message);
    }
}

bool frmTessel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* choice = qobject_cast<QComboBox*>(watched);
        if (choice != nullptr && !choice->hasFocus()) {
            if (auto* scroll = findChild<QScrollArea*>(QStringLiteral("leftScroll")))
                QCoreApplication::sendEvent(scroll->viewport(), event);
            return true;
        }
    }
    if (watched == m_txtTitleEditor && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        finishTitleEditor(false);
        return true;
    }
    // Files dropped on the source box name the source; on the words in the
    // list's place they do what a drop on the list does.
    if (watched == m_txtFile->viewport() || watched == m_lblEmpty) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            runGuarded(CommandSide::Reading, [&] {
                platform::DataObject dropped = DataFromMime(*drop->mimeData());
                if (watched == m_lblEmpty) {
                    dropOnList(dropped);
                } else {
                    txtFile_OLEDragDrop(dropped);
                }
            });
            drop->acceptProposedAction();
            return true;
        }
    }
    if (watched == m_lstMemoHost && event->type() == QEvent::Resize) {
        // Once the list has taken its new size, its last column takes the free width.
        QTimer::singleShot(0, this, [this] { fitTextColumns(); });
        return false;
    }
    if (watched == m_lblState && event->type() == QEvent::Resize) {
        fitStatusLine();
        return false;
    }
    if (watched == m_imgAbout && event->type() == QEvent::MouseButtonRelease) {
        runGuarded(CommandSide::Other, [this] { imgAbout_Click(); });
        return true;
    }
    if (watched == m_imgAbout && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            runGuarded(CommandSide::Other, [this] { imgAbout_Click(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the chapter list ---------------------------------------------------------------------

void frmTessel::ItemCheck(std::int32_t ItemIndex) {
    runGuarded(CommandSide::Other, [&] { lstMemo_ItemCheck(ItemIndex); });
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
    if (KeyAscii != ' ') return;
    runGuarded(CommandSide::Other, [this] { lstMemo_ItemCheck(m_lstMemo->SelectedItem()); });
}

void frmTessel::Click(std::int32_t /*ItemIndex*/) {
    showSelectedRow();
}

// A divider dragged in the list's header: the other text column takes up the difference.
void frmTessel::MouseUp(std::int32_t /*ItemIndex*/, std::int16_t /*MouseButton*/,
                        std::int16_t /*Shift*/, float /*X*/, float /*Y*/) {
    fitTextColumns();
}

void frmTessel::KeyUp(std::int16_t& /*KeyCode*/, std::int16_t& /*Shift*/) {
    showSelectedRow();
}

// The list says this after every paint: what an output wrote stays said until
// another book is loaded, and progress until the output ends.
void frmTessel::RedrawingDone() {
    if (m_blnOutputRunning || !m_strOutputFolder.empty()) return;
    if (m_lstMemo && m_lstMemo->ItemCount() > 0)
        setStatusText(m_strDropNote.empty() ? QStringLiteral("准备就绪") : qs(m_strDropNote));
}

bool frmTessel::CustomDraw(std::int32_t ItemIndex, std::int32_t /*ColumnIndex*/,
                           std::int32_t& BackColor, std::int32_t& ForeColor) {
    RowState state = RowState::Plain;
    if (m_lstMemo->ItemSelected(ItemIndex))
        state = RowState::Selected;
    else if (m_lstMemo->ItemChecked(ItemIndex))
        state = RowState::Checked;
    else if (ItemIndex >= 0 && static_cast<std::size_t>(ItemIndex) < m_flags.size() &&
             m_flags[ItemIndex] != 0)
        state = RowState::Doubted;
    // The desktop's text colour as it is now: a palette changed while the program runs shows.
    const RowColours colours = ColoursOfRow(
        state, static_cast<std::int32_t>(platform::GetSysColor(platform::COLOR_WINDOWTEXT)));
    BackColor = colours.back;
    ForeColor = colours.fore;
    return true;
}

// ---- choosers and the about window --------------------------------------------------------

void frmTessel::cmdOpenFile_Click() {
    const std::u16string source = m_txtFile->toPlainText().toStdU16String();
    const std::u16string path =
        ShowOpenDialog(m_lstMemo->hWnd(), FirstExistingFolder({FolderOf(source), m_strLastFolder}));
    m_txtFile->setFocus(Qt::OtherFocusReason);
    if (path.empty()) return;
    rememberFolder(FolderOf(path));
    m_txtFile->setPlainText(qs(path));
    cmdAnalyze_Click(); // the list belongs to the file just chosen, as after a drop
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
