#pragma once

#include "WindowMessages.h"

#include <QDialog>

class CKeyboardMove;
class CMenu;
class CSystemMenuPopup;

// A dialog's window. It turns Qt's events into messages for the dialog that owns it, which
// it reaches only through the sink it is given.
class CDialogWidget : public QDialog
{
public:
    // The window pops up the system menu of those entries, and sends its messages to the
    // sink.
    CDialogWidget(MessageSink sendMessage, const CMenu& systemMenu, QWidget* pParent,
                  Qt::WindowType type);

    void accept() override;
    void reject() override;
    void done(int nResult) override;
    // What the window paints when no handler paints it.
    void DefaultPaint(QPaintEvent* pEvent) { QDialog::paintEvent(pEvent); }
    // The paint event being handled, while its WM_PAINT is sent; nullptr otherwise.
    QPaintEvent* PaintEvent() const { return m_pPaintEvent; }
    CSystemMenuPopup& SystemMenu() const { return *m_pSystemMenu; }
    // The system menu's Move: from the keyboard where the program may place its window;
    // elsewhere nothing.
    void StartMove();
    const CKeyboardMove& KeyboardMove() const { return *m_pKeyboardMove; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    MessageSink m_sendMessage;
    CSystemMenuPopup* m_pSystemMenu;
    CKeyboardMove* m_pKeyboardMove;
    QPaintEvent* m_pPaintEvent = nullptr;
    // Set once the dialog has ended its run: a close is then the window's own.
    bool m_bEnded = false;
};
