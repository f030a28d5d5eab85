#pragma once

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>

class CDialog;
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
    CSystemMenuPopup(CDialog& dialog, QWidget& window);

    void PopupUnderTitleBar();
    void PopupAt(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    CDialog& m_dialog;
    QWidget& m_window;
    // The menu while it is open: a key and the context menu request it also makes open one
    // menu only.
    QPointer<QMenu> m_pMenu;
};
