#include "CKeyboardMove.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace
{
// Pixels per arrow key, and with Ctrl.
constexpr int MOVE_STEP = 8;
constexpr int FINE_MOVE_STEP = 1;
} // namespace

CKeyboardMove::CKeyboardMove(QWidget& window) : QObject(&window), m_window(window) {}

bool CKeyboardMove::CanPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void CKeyboardMove::Start()
{
    if (m_bMoving)
        return;
    m_bMoving = true;
    m_startPos = m_window.pos();
    // Every key goes to the move until it ends, whichever control has the focus.
    qApp->installEventFilter(this);
}

bool CKeyboardMove::eventFilter(QObject*, QEvent* pEvent)
{
    switch (pEvent->type())
    {
    case QEvent::ShortcutOverride:
        // No mnemonic or shortcut acts during the move: the key comes as a key press.
        pEvent->accept();
        return true;
    case QEvent::KeyPress:
        OnKey(static_cast<const QKeyEvent&>(*pEvent));
        return true;
    case QEvent::KeyRelease:
        return true;
    case QEvent::MouseButtonPress:
        End(true);
        return true;
    default:
        return false;
    }
}

void CKeyboardMove::OnKey(const QKeyEvent& event)
{
    static const std::pair<int, QPoint> directions[] = {{Qt::Key_Left, {-1, 0}},
                                                        {Qt::Key_Right, {1, 0}},
                                                        {Qt::Key_Up, {0, -1}},
                                                        {Qt::Key_Down, {0, 1}}};
    const int nStep = (event.modifiers() & Qt::ControlModifier) ? FINE_MOVE_STEP : MOVE_STEP;
    for (const auto& [nKey, direction] : directions)
    {
        if (event.key() == nKey)
            m_window.move(m_window.pos() + direction * nStep);
    }
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        End(true);
    else if (event.key() == Qt::Key_Escape)
        End(false);
}

void CKeyboardMove::End(bool bKeep)
{
    qApp->removeEventFilter(this);
    m_bMoving = false;
    if (!bKeep)
        m_window.move(m_startPos);
}
