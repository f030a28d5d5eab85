#pragma once

#include <QMessageBox>

// A message box of the program, with the exclamation icon, centred over the window it
// belongs to once its size is known.
class CMessageBoxWidget : public QMessageBox
{
public:
    CMessageBoxWidget(const QString& title, const QString& text, QWidget* pOwner);

protected:
    void showEvent(QShowEvent* pEvent) override;
};
