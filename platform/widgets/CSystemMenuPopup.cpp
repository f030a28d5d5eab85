#include "CSystemMenuPopup.h"

#include "CDialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QShortcut>
#include <QWidget>

CSystemMenuPopup::CSystemMenuPopup(CDialog& dialog, QWidget& window)
    : QObject(&window), m_dialog(dialog), m_window(window)
{
    for (const QKeySequence& keys :
         {QKeySequence(Qt::ALT | Qt::Key_Space), QKeySequence(Qt::SHIFT | Qt::Key_F10),
          QKeySequence(Qt::Key_Menu)})
    {
        auto* pShortcut = new QShortcut(keys, &window);
        connect(pShortcut, &QShortcut::activated, this, [this] { PopupUnderTitleBar(); });
    }
    // The window system may turn the Menu key into a context menu request to the control
    // that has the focus, as well as or instead of a key press.
    qApp->installEventFilter(this);
}

bool CSystemMenuPopup::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() != QEvent::ContextMenu ||
        static_cast<QContextMenuEvent*>(pEvent)->reason() != QContextMenuEvent::Keyboard)
        return false;
    const auto* pWidget = qobject_cast<const QWidget*>(pWatched);
    if (!pWidget || pWidget->window() != &m_window)
        return false;
    PopupUnderTitleBar();
    return true;
}

void CSystemMenuPopup::PopupUnderTitleBar()
{
    PopupAt(m_window.mapToGlobal(QPoint(0, 0)));
}

void CSystemMenuPopup::PopupAt(const QPoint& globalPos)
{
    const CMenu* pSystemMenu = m_dialog.GetSystemMenu(false);
    if (!pSystemMenu || (m_pMenu && m_pMenu->isVisible()))
        return;
    auto* pMenu = new QMenu(&m_window);
    m_pMenu = pMenu;
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    for (const CMenu::Entry& entry : pSystemMenu->Entries())
    {
        if (entry.bSeparator)
        {
            pMenu->addSeparator();
            continue;
        }
        QAction* pAction = pMenu->addAction(
            QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size())));
        const unsigned nId = entry.nId;
        // Sent once the menu has closed, as a command that may open a modal window.
        connect(
            pAction, &QAction::triggered, this,
            [this, nId] { m_dialog.SendMessage(WM_SYSCOMMAND, nId); }, Qt::QueuedConnection);
    }
    pMenu->popup(globalPos);
}
