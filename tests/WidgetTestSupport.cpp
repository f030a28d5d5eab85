#include "WidgetTestSupport.h"

#include "CDialogImpl.h"
#include "CDialogTemplate.h"
#include "CQtPeer.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <memory>

QWidget* ControlWidget(const CDialog& dialog, int nId)
{
    auto* pPeer = dynamic_cast<CQtPeer*>(dialog.GetDlgItem(nId));
    return pPeer ? pPeer->Widget() : nullptr;
}

int ControlId(const CDialog& dialog, const QWidget* pWidget)
{
    for (const auto& [nId, pPeer] : dialog.GetImpl().peers)
    {
        if (pPeer->Widget() == pWidget)
            return nId;
    }
    return IDC_STATIC;
}

bool WaitExposed(const CDialog& dialog)
{
    QDialog* pWidget = DialogWidget(dialog);
    if (!pWidget)
        return false;
    pWidget->activateWindow();
    return QTest::qWaitForWindowExposed(pWidget) && QTest::qWaitForWindowActive(pWidget);
}

void WhenModalOpens(std::function<void(QWidget*)> action, const QWidget* pAlreadyOpen)
{
    // Polls from the event loop that the modal window runs.
    auto* pTimer = new QTimer;
    pTimer->setInterval(5);
    QObject::connect(pTimer, &QTimer::timeout,
                     [pTimer, pAlreadyOpen, action = std::move(action)]
                     {
                         QWidget* pModal = QApplication::activeModalWidget();
                         if (!pModal || !pModal->isVisible() || pModal == pAlreadyOpen)
                             return;
                         pTimer->stop();
                         pTimer->deleteLater();
                         action(pModal);
                     });
    pTimer->start();
}
