// SPDX-License-Identifier: MIT
#include "main/frmAbout.h"

#include "main/AboutText.h"
#include "main/AppIcon.h"
#include "main/ProductInfo.h"
#include "platform/Services.h"
#include "platform/qt/QtText.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumarin::app {

using platform::qt::qs;

namespace {

// A grey line with a white one right under it: the etched separator.
QFrame* EtchedSeparator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setLineWidth(1);
    return line;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildControls();
    Form_Load();
    // The close box and "关闭" both end here.
    connect(this, &QDialog::finished, this, [this] { Form_Unload(); });
}

frmAbout::~frmAbout() = default;

void frmAbout::buildControls() {
    setFont(QFont(QStringLiteral("Tahoma"), 9));

    m_imgIcon = new QLabel(this);
    m_imgIcon->setPixmap(AppIcon().pixmap(32, 32));
    m_lbl[0] = new QLabel(QStringLiteral("程序标题 Title"), this);
    QFont titleFont = m_lbl[0]->font();
    titleFont.setBold(true);
    m_lbl[0]->setFont(titleFont);

    m_txtMemo = new QPlainTextEdit(this);
    m_txtMemo->setReadOnly(true);
    m_txtMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The widget keeps its own line breaks; the copy below uses the text itself.
    m_txtMemo->setPlainText(QString::fromStdU16String(AboutMemoText()));

    m_lbl[1] = new QLabel(QStringLiteral("主页：<a href=\"%1\">%1</a>").arg(qs(kWebAddress)), this);
    m_lbl[1]->setTextFormat(Qt::RichText);
    m_lbl[1]->setCursor(Qt::PointingHandCursor);
    m_lbl[2] = new QLabel(QStringLiteral("即时消息：10086 2048"), this);
    m_lbl[3] = new QLabel(QStringLiteral("邮箱：lumarin@example.org"), this);
    for (int i = 0; i < 4; ++i)
        m_lbl[i]->installEventFilter(this);

    m_cmdCopy = new QPushButton(QStringLiteral("复制到剪贴板(&P)"), this);
    m_cmdOK = new QPushButton(QStringLiteral("关闭(&C)"), this);
    connect(m_cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    auto* title = new QHBoxLayout;
    title->addWidget(m_imgIcon);
    title->addWidget(m_lbl[0], 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdCopy);
    buttons->addWidget(m_cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title);
    layout->addWidget(EtchedSeparator(this));
    layout->addWidget(m_txtMemo, 1);
    layout->addWidget(m_lbl[1]);
    layout->addWidget(m_lbl[2]);
    layout->addWidget(m_lbl[3]);
    layout->addLayout(buttons);
    resize(440, 420);
}

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("关于 ") + qs(kProductCaption));
    m_lbl[0]->setText(qs(kProductCaption));
    setWindowIcon(AppIcon());
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void frmAbout::Form_Unload() {
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

void frmAbout::cmdCopy_Click() {
    auto& clipboard = platform::CurrentServices().clipboard;
    if (clipboard) {
        clipboard->Clear();
        clipboard->SetText(AboutMemoText());
    }
    m_txtMemo->setFocus(Qt::OtherFocusReason);
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::lbl_Click(int index) {
    if (index != 1) return;
    if (auto& shell = platform::CurrentServices().shell) shell->OpenUrl(kWebAddress);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 4; ++i) {
            if (watched == m_lbl[i]) {
                lbl_Click(i);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace lumarin::app
