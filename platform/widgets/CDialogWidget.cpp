#include "CDialogWidget.h"

#include "CKeyboardMove.h"
#include "CPlatform.h"
#include "CSystemMenuPopup.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>

CDialogWidget::CDialogWidget(MessageSink sendMessage, const CMenu& systemMenu, QWidget* pParent,
                             Qt::WindowType type)
    : QDialog(pParent, type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_sendMessage(std::move(sendMessage)),
      m_pSystemMenu(new CSystemMenuPopup(systemMenu, m_sendMessage, *this)),
      m_pKeyboardMove(new CKeyboardMove(*this))
{
}

void CDialogWidget::StartMove()
{
    // Elsewhere (Wayland) the compositor ignores a move that does not come from a pointer
    // press, and a move that never starts must not let its Escape reach the dialog: none
    // starts, and the menu offers none.
    if (CKeyboardMove::CanPlaceWindows())
        m_pKeyboardMove->Start();
}

void CDialogWidget::accept()
{
    m_sendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CDialogWidget::reject()
{
    m_sendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CDialogWidget::done(int nResult)
{
    m_bEnded = true;
    QDialog::done(nResult);
}

void CDialogWidget::paintEvent(QPaintEvent* pEvent)
{
    m_pPaintEvent = pEvent;
    m_sendMessage(WM_PAINT, 0, 0);
    m_pPaintEvent = nullptr;
}

void CDialogWidget::contextMenuEvent(QContextMenuEvent* pEvent)
{
    // Only the background's own clicks: the controls keep their context menus. The keyboard's
    // requests never come here: they open the system menu from any control.
    if (childAt(pEvent->pos()) != nullptr)
        return QDialog::contextMenuEvent(pEvent);
    m_pSystemMenu->PopupAt(pEvent->globalPos());
}

void CDialogWidget::closeEvent(QCloseEvent* pEvent)
{
    if (m_bEnded)
        return QDialog::closeEvent(pEvent);
    // The close box is the system menu's Close.
    pEvent->ignore();
    m_sendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void CDialogWidget::keyPressEvent(QKeyEvent* pEvent)
{
    // Without a window manager nobody else reads Alt+F4.
    if (pEvent->key() == Qt::Key_F4 && pEvent->modifiers() == Qt::AltModifier)
    {
        m_sendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    QDialog::keyPressEvent(pEvent);
}
