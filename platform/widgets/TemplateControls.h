#pragma once

#include "CDialogTemplate.h"

#include <QFont>

class QWidget;

// The toolkit's widgets for a dialog template: what the dialog layer makes its windows of.

// The template font at the pixel height the system gives the point size at 96 dots per inch.
QFont TemplateFont(const DLGTEMPLATE& dlgTemplate);
// The control of a template item, in the item's rectangle of the parent, with the item's
// styles, extended styles, caption and accessible name.
QWidget* MakeControl(const DLGITEMTEMPLATE& item, QWidget* pParent);
