#include "CQtLook.h"

#include "CThreeDimensionalStyle.h"

#include <QApplication>
#include <QPalette>

void ApplyThreeDimensionalLook()
{
    QApplication::setStyle(new CThreeDimensionalStyle);
    // The palette made from the button face colour gives grey faces, white edit and list
    // backgrounds and the shadows of raised and sunken edges.
    QPalette palette(QColor(192, 192, 192));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    QApplication::setPalette(palette);
}
