// SPDX-License-Identifier: MIT
#pragma once
// The near misses of an analysis in a tool window of the main window: above
// it, beside the chapter list or over it, never over the preview, closed by
// Esc. A double click (or Enter) on a line hands its line number to the main
// window, which shows it in the preview; the line stays selected here.

#include "engine/headings/Analyzer.h"

#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace lumarin::app {

class frmNearMisses final : public QWidget {
public:
    using LineChosen = std::function<void(engine::LineNumber)>;

    frmNearMisses(QWidget* owner, LineChosen onLineChosen);

    void setNearMisses(const std::vector<engine::NearMiss>& misses);
    // Shows the window beside `list` (the owner's chapter list, in global
    // coordinates) where the screen has room, else over it, and gives it the focus.
    void showBesideList(const QRect& list);

    QPlainTextEdit* txtList() const { return m_txtList; }
    // The line number of the near miss on text line `block`, or 0.
    engine::LineNumber lineOf(int block) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseBlock(int block);
    QRect placeBesideList(const QRect& list) const;

    QPlainTextEdit* m_txtList = nullptr;
    QLabel* m_lblHint = nullptr;
    std::vector<engine::LineNumber> m_lines;
    LineChosen m_onLineChosen;
    QSize m_wantedSize; // before a small screen or list makes it smaller
};

} // namespace lumarin::app
