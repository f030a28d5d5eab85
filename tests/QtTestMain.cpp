// The widget suites' main: the toolkit's application must exist before the first widget.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pivolo"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
