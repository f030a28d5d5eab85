#include "CQtPlatform.h"

#include "CMessageBoxWidget.h"
#include "SafeOwner.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QPushButton>

#include <cstdio>
#include <ctime>

int CQtPlatform::MessageBox(const std::string& text, unsigned nType)
{
    CMessageBoxWidget box(QCoreApplication::applicationName(),
                          QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                          SafeOwner());
    // The texts are set here: the program reads no translation catalogue.
    if (nType == MB_YESNO)
    {
        QPushButton* pYes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
        box.setDefaultButton(pYes);
        box.exec();
        return box.clickedButton() == pYes ? IDYES : IDNO;
    }
    QPushButton* pOk = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(pOk);
    box.setEscapeButton(pOk);
    box.exec();
    return IDOK;
}

std::int64_t CQtPlatform::CalendarTime()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

void CQtPlatform::WriteOutput(std::string_view text)
{
    // Written where it can be, lost where it cannot: a closed pipe or a full disk are no
    // concern of the game's, and a failed write must not keep the next line from trying.
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    std::clearerr(stdout);
}

void CQtPlatform::SetCursor(ECursor cursor)
{
    if (cursor == ECursor::Wait)
    {
        if (QApplication::overrideCursor())
            QApplication::changeOverrideCursor(Qt::WaitCursor);
        else
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
