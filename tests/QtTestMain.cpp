// The widget suites' main: the toolkit's application must exist before the first widget.
#include "CQtLook.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pivolo"));
    // The program's own look, so that sizes and colours are those the player sees.
    ApplyThreeDimensionalLook();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
