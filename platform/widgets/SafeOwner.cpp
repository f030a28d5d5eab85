#include "SafeOwner.h"

#include "CDialogImpl.h"
#include "CWinApp.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QWidget* SafeOwner()
{
    if (QWidget* pModal = QApplication::activeModalWidget())
        return pModal;
    if (const CWinApp* pApp = AfxGetApp(); pApp && pApp->m_pMainWnd)
    {
        if (QWidget* pMain = DialogWidget(*pApp->m_pMainWnd); pMain && pMain->isVisible())
            return pMain;
    }
    return QApplication::activeWindow();
}

void CentreOverOwner(QWidget& window)
{
    const QWidget* pOwner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (!pOwner)
        return;
    QRect rect(QPoint(), window.size());
    rect.moveCenter(pOwner->mapToGlobal(pOwner->rect().center()));
    if (const QScreen* pScreen = pOwner->screen())
    {
        const QRect available = pScreen->availableGeometry();
        const QPoint last = available.topLeft() + QPoint(available.width() - rect.width(),
                                                         available.height() - rect.height());
        rect.moveTopLeft(
            QPoint(std::clamp(rect.left(), available.left(), std::max(available.left(), last.x())),
                   std::clamp(rect.top(), available.top(), std::max(available.top(), last.y()))));
    }
    // The client area's geometry, which window managers keep as it is asked for.
    window.setGeometry(rect);
}
