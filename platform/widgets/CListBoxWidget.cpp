#include "CListBoxWidget.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

CListBoxWidget::CListBoxWidget(QWidget* pParent) : QListWidget(pParent) {}

void CListBoxWidget::paintEvent(QPaintEvent* pEvent)
{
    QListWidget::paintEvent(pEvent);
    // A current entry draws its own mark.
    if (!hasFocus() || currentIndex().isValid())
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.state |= QStyle::State_KeyboardFocusChange;
    option.backgroundColor = palette().color(QPalette::Base);
    // The caret is on the first line: the first entry, or a line of the list's font.
    option.rect = count() > 0 ? visualItemRect(item(0))
                              : QRect(0, 0, viewport()->width(), fontMetrics().height());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
