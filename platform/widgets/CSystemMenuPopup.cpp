#include "CSystemMenuPopup.h"

#include "CKeyboardMove.h"
#include "CMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QShortcut>
#include <QWidget>

CSystemMenuPopup::CSystemMenuPopup(const CMenu& menu, MessageSink sendMessage, QWidget& window)
    : QObject(&window), m_menu(menu), m_sendMessage(std::move(sendMessage)), m_window(window)
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

void CSystemMenuPopup::SetStandardEntries(CMenu& menu)
{
    menu.RemoveAll();
    menu.AppendMenu(MF_STRING, SC_MOVE, "&Déplacer");
    menu.AppendMenu(MF_STRING, SC_CLOSE, "&Fermer\tAlt+F4");
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
    if (m_pMenu && m_pMenu->isVisible())
        return;
    auto* pMenu = new QMenu(&m_window);
    m_pMenu = pMenu;
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    // A window of its own, which would take the desktop's menu font: the dialog's, as the
    // menu belongs to it.
    pMenu->setFont(m_window.font());
    for (const CMenu::Entry& entry : m_menu.Entries())
    {
        if (entry.bSeparator)
        {
            pMenu->addSeparator();
            continue;
        }
        QAction* pAction = pMenu->addAction(
            QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size())));
        const unsigned nId = entry.nId;
        // Where the program cannot place its window, Move could only be ignored: it is
        // shown greyed, and its letter and Enter pass it by.
        if ((nId & 0xFFF0) == SC_MOVE && !CKeyboardMove::CanPlaceWindows())
            pAction->setEnabled(false);
        // Sent once the menu has closed, as a command that may open a modal window.
        connect(
            pAction, &QAction::triggered, this,
            [this, nId] { m_sendMessage(WM_SYSCOMMAND, nId, 0); }, Qt::QueuedConnection);
    }
    pMenu->popup(globalPos);
}
