// SPDX-License-Identifier: MIT
#pragma once

#include <QStyle>
#include <QToolButton>

namespace lumarin::app {

// A tool button that opens its menu on a click. Styles draw the menu's arrow
// in the button's lower right corner, over the text unless the button is
// widened for it, so its size makes that room.
class MenuButton : public QToolButton {
public:
    explicit MenuButton(const QString& text, QWidget* parent) : QToolButton(parent) {
        setText(text);
        setPopupMode(QToolButton::InstantPopup);
    }

    QSize sizeHint() const override {
        QSize size = QToolButton::sizeHint();
        size.rwidth() += style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, this);
        return size;
    }
};

} // namespace lumarin::app
