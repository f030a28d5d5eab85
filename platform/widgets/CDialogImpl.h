#pragma once

#include "CDialog.h"
#include "CDialogWidget.h"
#include "CQtPeer.h"

#include <QDialog>
#include <QPainter>

#include <map>
#include <memory>
#include <vector>

// What a dialog holds behind its interface, for the platform layer and the tests.
struct CDialog::Impl
{
    unsigned nTemplateId = 0;
    CDialog* pParent = nullptr;
    // Before the window, which shows these entries, so that it goes first.
    CMenu systemMenu;
    std::unique_ptr<CDialogWidget> pWidget;
    // The template's controls, in tab order, and the peers of those with an id.
    std::vector<QWidget*> controls;
    std::vector<std::uint32_t> controlStyles;
    std::map<int, std::unique_ptr<CQtPeer>> peers;
    std::vector<CWnd*> bound;
    HICON hBigIcon = nullptr;
    HICON hSmallIcon = nullptr;
    bool bModal = false;
    bool bEnded = false;
    int nResult = 0;
    // Set while a paint context is open in a paint request.
    QPainter* pPainter = nullptr;
};

// The window of a dialog, for the platform layer and the tests; nullptr before it exists.
QDialog* DialogWidget(const CDialog& dialog);
