#pragma once

#include "WindowMessages.h"

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>

class CMenu;
class QWidget;

// Pops a dialog's own system menu up: under the title bar from the keyboard, at the pointer
// for a right click on the dialog's background. The keys are Alt+Space, which window
// managers mostly keep for their own menu, and Shift+F10 and the Menu key, the desktops'
// keys for a context menu, which open it from any control: a context menu asked for from
// the keyboard is the system menu. The entry chosen comes back to the dialog as a system
// command once the menu has closed.
class CSystemMenuPopup : public QObject
{
public:
    // The menu's entries, which the dialog may change, the sink of the dialog's messages,
    // and the dialog's window.
    CSystemMenuPopup(const CMenu& menu, MessageSink sendMessage, QWidget& window);

    // Makes the menu hold the entries a window manager's own menu would offer and the dialog
    // can honour, and only those.
    static void SetStandardEntries(CMenu& menu);

    void PopupUnderTitleBar();
    void PopupAt(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    const CMenu& m_menu;
    MessageSink m_sendMessage;
    QWidget& m_window;
    // The menu while it is open: a key and the context menu request it also makes open one
    // menu only.
    QPointer<QMenu> m_pMenu;
};
