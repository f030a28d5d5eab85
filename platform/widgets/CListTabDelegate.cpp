#include "CListTabDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextOption>

CListTabDelegate::CListTabDelegate(int nTabStopPixels, QObject* pParent)
    : QStyledItemDelegate(pParent), m_nTabStopPixels(nTabStopPixels)
{
}

void CListTabDelegate::paint(QPainter* pPainter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem itemOption = option;
    initStyleOption(&itemOption, index);
    const QString text = itemOption.text;
    // The style draws the entry's background and focus; the text is drawn here.
    itemOption.text.clear();
    const QWidget* pWidget = itemOption.widget;
    QStyle* pStyle = pWidget ? pWidget->style() : QApplication::style();
    pStyle->drawControl(QStyle::CE_ItemViewItem, &itemOption, pPainter, pWidget);

    const QRect textRect =
        pStyle->subElementRect(QStyle::SE_ItemViewItemText, &itemOption, pWidget);
    QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
    textOption.setWrapMode(QTextOption::NoWrap);
    textOption.setTabStopDistance(m_nTabStopPixels);
    pPainter->save();
    pPainter->setFont(itemOption.font);
    const bool bSelected = (itemOption.state & QStyle::State_Selected) != 0;
    pPainter->setPen(
        itemOption.palette.color(bSelected ? QPalette::HighlightedText : QPalette::Text));
    pPainter->drawText(QRectF(textRect), text, textOption);
    pPainter->restore();
}

QSize CListTabDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // One line of the list's font, whatever the tabs do to the width.
    size.setHeight(option.fontMetrics.height());
    return size;
}
