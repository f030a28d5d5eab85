#pragma once

#include "CDialog.h"

#include <QDialog>
#include <QWidget>

#include <functional>

// Helpers of the widget suites: the widget behind a control id, and a way to answer a
// modal window that a call is about to open.
QWidget* ControlWidget(const CDialog& dialog, int nId);
// The control id of a widget of the dialog; IDC_STATIC when it has none.
int ControlId(const CDialog& dialog, const QWidget* pWidget);
// Shows and waits until the window is exposed, so that keys reach it.
bool WaitExposed(const CDialog& dialog);
// Runs the action on the next modal window to open, from the event loop; a window already
// open may be named, so that only one opened over it counts.
void WhenModalOpens(std::function<void(QWidget*)> action, const QWidget* pAlreadyOpen = nullptr);
