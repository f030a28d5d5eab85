#include "CMessageBoxWidget.h"

#include "SafeOwner.h"

CMessageBoxWidget::CMessageBoxWidget(const QString& title, const QString& text, QWidget* pOwner)
    : QMessageBox(QMessageBox::Warning, title, text, QMessageBox::NoButton, pOwner)
{
}

void CMessageBoxWidget::showEvent(QShowEvent* pEvent)
{
    // The box takes its size here, before the window appears.
    QMessageBox::showEvent(pEvent);
    CentreOverOwner(*this);
}
