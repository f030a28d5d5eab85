// The dialog's own system menu on a desktop: the keys that pop it up under the title bar
// from any control, the right click that pops it up at the pointer, and its Move entry,
// which moves the window from the keyboard.
#include "CDialog.h"
#include "CDialogImpl.h"
#include "CKeyboardMove.h"
#include "Resource.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace
{
struct Keys
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

const Keys menuKeys[] = {
    {Qt::Key_F10, Qt::ShiftModifier, "Shift+F10"},
    {Qt::Key_Menu, Qt::NoModifier, "Menu"},
    {Qt::Key_Space, Qt::AltModifier, "Alt+Space"},
};

QMenu* OpenPopup()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

class SystemMenuPopupTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create());
        ASSERT_TRUE(WaitExposed(m_dialog));
    }

    QDialog* Window() const { return DialogWidget(m_dialog); }
    // The control that has the dialog's focus, which its keys reach.
    QWidget* Focus() const { return Window()->focusWidget(); }

    // Pops the menu up with Shift+F10 and chooses its Move entry by its letter.
    void StartMove()
    {
        QTest::keyClick(Focus(), Qt::Key_F10, Qt::ShiftModifier);
        QMenu* pPopup = OpenPopup();
        ASSERT_NE(pPopup, nullptr);
        QTest::keyClick(pPopup, Qt::Key_D);
        // The command arrives once the menu has closed.
        ASSERT_TRUE(QTest::qWaitFor([this] { return Moving(); }));
    }
    bool Moving() const { return m_dialog.GetImpl().pWidget->KeyboardMove().IsMoving(); }
    void Press(Qt::Key key, int nTimes = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        for (int i = 0; i < nTimes; ++i)
            QTest::keyClick(Focus(), key, modifiers);
    }

    CDialog m_dialog{IDD_PIVOLO_DIALOG};
};
} // namespace

TEST_F(SystemMenuPopupTest, KeysPopTheMenuUpUnderTheTitleBarFromAnyControl)
{
    for (const Keys& keys : menuKeys)
    {
        for (int nId : {IDC_TARGET, IDC_SOLUTION, IDC_ABOUT})
        {
            SCOPED_TRACE(std::string(keys.name) + " in " + std::to_string(nId));
            QWidget* pControl = ControlWidget(m_dialog, nId);
            pControl->setFocus();
            QTest::keyClick(pControl, keys.key, keys.modifiers);
            QMenu* pPopup = OpenPopup();
            ASSERT_NE(pPopup, nullptr);
            EXPECT_EQ(pPopup->actions().size(), 2);
            EXPECT_EQ(pPopup->pos(), Window()->mapToGlobal(QPoint(0, 0)));
            QTest::keyClick(pPopup, Qt::Key_Escape);
            EXPECT_EQ(OpenPopup(), nullptr);
        }
    }
}

TEST_F(SystemMenuPopupTest, TheMenuIsInTheDialogsFontWithEveryEntryOffered)
{
    // The desktop's menu font differs from the dialog's, as under a window manager's theme.
    const QFont previousMenuFont = QApplication::font("QMenu");
    QFont desktopMenuFont(QStringLiteral("Nimbus Roman"));
    desktopMenuFont.setPixelSize(Window()->font().pixelSize() * 2 + 7);
    QApplication::setFont(desktopMenuFont, "QMenu");
    for (const Keys& keys : menuKeys)
    {
        SCOPED_TRACE(keys.name);
        QTest::keyClick(Focus(), keys.key, keys.modifiers);
        QMenu* pPopup = OpenPopup();
        ASSERT_NE(pPopup, nullptr);
        EXPECT_EQ(pPopup->font(), Window()->font());
        EXPECT_EQ(QFontInfo(pPopup->font()).pixelSize(), QFontInfo(Window()->font()).pixelSize());
        // Here the program places its windows: Move is offered with Close.
        ASSERT_EQ(pPopup->actions().size(), 2);
        for (const QAction* pAction : pPopup->actions())
            EXPECT_TRUE(pAction->isEnabled()) << pAction->text().toStdString();
        QTest::keyClick(pPopup, Qt::Key_Escape);
    }
    QApplication::setFont(previousMenuFont, "QMenu");
}

TEST_F(SystemMenuPopupTest, ContextMenuAskedForFromTheKeyboardIsTheSystemMenuOnce)
{
    // As the window system sends the Menu key to the control with the focus, after the key.
    QWidget* pEdit = ControlWidget(m_dialog, IDC_TILE3);
    pEdit->setFocus();
    QTest::keyClick(pEdit, Qt::Key_Menu);
    QMenu* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    QContextMenuEvent request(QContextMenuEvent::Keyboard, pEdit->rect().center(),
                              pEdit->mapToGlobal(pEdit->rect().center()));
    QApplication::sendEvent(pEdit, &request);
    EXPECT_EQ(OpenPopup(), pPopup);
    QTest::keyClick(pPopup, Qt::Key_Escape);
    // Alone, it opens the system menu rather than the edit's own menu.
    QApplication::sendEvent(pEdit, &request);
    pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->actions().size(), 2);
    EXPECT_EQ(pPopup->pos(), Window()->mapToGlobal(QPoint(0, 0)));
    QTest::keyClick(pPopup, Qt::Key_Escape);
}

TEST_F(SystemMenuPopupTest, RightClickOnTheBackgroundPopsTheMenuUpAtThePointer)
{
    const QPoint click(5, 290);
    QTest::mouseClick(Window()->windowHandle(), Qt::RightButton, {}, click);
    QMenu* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->pos(), Window()->mapToGlobal(click));
    QTest::keyClick(pPopup, Qt::Key_Escape);
}

TEST_F(SystemMenuPopupTest, MoveFollowsTheArrowsUntilEnterAndTakesNoOtherKey)
{
    const QPoint start = Window()->pos();
    QWidget* pEdit = ControlWidget(m_dialog, IDC_TARGET);
    pEdit->setFocus();
    StartMove();
    Press(Qt::Key_Right, 3);
    Press(Qt::Key_Down, 2);
    Press(Qt::Key_Left, 1, Qt::ControlModifier);
    EXPECT_EQ(Window()->pos(), start + QPoint(3 * 8 - 1, 2 * 8));
    // Digits, mnemonics and the system menu's keys do nothing while the window moves.
    Press(Qt::Key_5);
    Press(Qt::Key_C, 1, Qt::AltModifier);
    Press(Qt::Key_F10, 1, Qt::ShiftModifier);
    EXPECT_EQ(OpenPopup(), nullptr);
    // Enter ends the move rather than running the default button.
    Press(Qt::Key_Return);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(Window()->pos(), start + QPoint(23, 16));
    EXPECT_EQ(qobject_cast<QLineEdit*>(pEdit)->text(), QString());
    // The keys are the controls' again.
    Press(Qt::Key_Right);
    Press(Qt::Key_7);
    EXPECT_EQ(Window()->pos(), start + QPoint(23, 16));
    EXPECT_EQ(qobject_cast<QLineEdit*>(pEdit)->text(), QStringLiteral("7"));
}

TEST_F(SystemMenuPopupTest, EscapePutsTheWindowBackAndLeavesTheDialogOpen)
{
    const QPoint start = Window()->pos();
    StartMove();
    Press(Qt::Key_Up, 4);
    EXPECT_NE(Window()->pos(), start);
    Press(Qt::Key_Escape);
    EXPECT_EQ(Window()->pos(), start);
    EXPECT_TRUE(Window()->isVisible());
    // Escape is the dialog's again.
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Window()->isVisible());
}

TEST_F(SystemMenuPopupTest, ClickEndsTheMoveWhereTheWindowIs)
{
    const QPoint start = Window()->pos();
    StartMove();
    Press(Qt::Key_Left, 2);
    QTest::mouseClick(Window()->windowHandle(), Qt::LeftButton, {}, QPoint(5, 290));
    Press(Qt::Key_Left);
    EXPECT_EQ(Window()->pos(), start - QPoint(16, 0));
}
