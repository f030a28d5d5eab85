#pragma once

#include <QObject>
#include <QPoint>

class QKeyEvent;
class QWidget;

// Moves a window from the keyboard, as the system menu's Move does: each arrow key moves
// it by a step (by one pixel with Ctrl), Enter or a click leaves it there, and Escape puts
// it back. Other keys do nothing until then.
class CKeyboardMove : public QObject
{
public:
    explicit CKeyboardMove(QWidget& window);

    // Whether the platform lets the program place its own windows: Wayland does not.
    static bool CanPlaceWindows();

    void Start();
    bool IsMoving() const { return m_bMoving; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnKey(const QKeyEvent& event);
    void End(bool bKeep);

    QWidget& m_window;
    QPoint m_startPos;
    bool m_bMoving = false;
};
