#pragma once

#include "CDialog.h"
#include "CDialogTemplate.h"
#include "CKeyboardMove.h"
#include "CQtPeer.h"
#include "CSystemMenuPopup.h"

#include <QDialog>
#include <QPainter>

#include <map>
#include <memory>
#include <vector>

// The dialog's window. It turns Qt's events into the dialog's messages.
class CDialogWidget : public QDialog
{
public:
    CDialogWidget(CDialog& owner, QWidget* pParent, Qt::WindowType type);

    void accept() override;
    void reject() override;
    // What the window paints when no handler paints it.
    void DefaultPaint(QPaintEvent* pEvent) { QDialog::paintEvent(pEvent); }
    CSystemMenuPopup& SystemMenu() const { return *m_pSystemMenu; }
    // The system menu's Move: from the keyboard where the program may place its window,
    // else by the window manager.
    void StartMove();
    const CKeyboardMove& KeyboardMove() const { return *m_pKeyboardMove; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    CDialog& m_owner;
    CSystemMenuPopup* m_pSystemMenu;
    CKeyboardMove* m_pKeyboardMove;
};

struct CDialog::Impl
{
    unsigned nTemplateId = 0;
    CDialog* pParent = nullptr;
    std::unique_ptr<CDialogWidget> pWidget;
    // The template's controls, in tab order, and the peers of those with an id.
    std::vector<QWidget*> controls;
    std::vector<std::uint32_t> controlStyles;
    std::map<int, std::unique_ptr<CQtPeer>> peers;
    std::vector<CWnd*> bound;
    CMenu systemMenu;
    HICON hBigIcon = nullptr;
    HICON hSmallIcon = nullptr;
    bool bModal = false;
    bool bEnded = false;
    int nResult = 0;
    // Set while a paint request runs, and while a paint context is open in it.
    QPaintEvent* pPaintEvent = nullptr;
    QPainter* pPainter = nullptr;
};

// The window of a dialog, for the platform layer and the tests; nullptr before it exists.
QDialog* DialogWidget(const CDialog& dialog);
