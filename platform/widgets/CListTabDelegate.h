#pragma once

#include <QStyledItemDelegate>

// Draws a list box's entries with their tab characters expanded to fixed tab positions:
// the solution lines put a tab between a step's result and its equals sign.
class CListTabDelegate : public QStyledItemDelegate
{
public:
    CListTabDelegate(int nTabStopPixels, QObject* pParent);

    int TabStopPixels() const { return m_nTabStopPixels; }
    void paint(QPainter* pPainter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_nTabStopPixels;
};
