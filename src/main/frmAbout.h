// SPDX-License-Identifier: MIT
#pragma once
// The about window: title, icon, usage notes with the change log, contact lines.
// Created anew for every opening and shown modally by the main window.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lumarin::app {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    static constexpr const char16_t* kWebAddress = u"https://lumarin.example.org/";

    // The controls, for the main window's tests.
    QLabel* lbl(int index) const { return m_lbl[index]; }
    QPlainTextEdit* txtMemo() const { return m_txtMemo; }
    QPushButton* cmdCopy() const { return m_cmdCopy; }
    QPushButton* cmdOK() const { return m_cmdOK; }

    void cmdCopy_Click();
    void cmdOK_Click();
    void lbl_Click(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();
    void buildControls();

    QLabel* m_lbl[4] = {};
    QLabel* m_imgIcon = nullptr;
    QPlainTextEdit* m_txtMemo = nullptr;
    QPushButton* m_cmdCopy = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

} // namespace lumarin::app
