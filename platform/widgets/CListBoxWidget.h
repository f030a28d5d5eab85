#pragma once

#include <QListWidget>

// A list box's window. With the focus it shows the focus mark on its caret line, as a list
// box does, even when it holds no entry or none is current yet.
class CListBoxWidget : public QListWidget
{
public:
    explicit CListBoxWidget(QWidget* pParent);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
};
