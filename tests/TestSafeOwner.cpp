// The program's secondary windows (a dialog opened without a parent, a message box) belong
// to the window they are opened from: transient for it, centred over it, with its icon. The
// main dialog is an application window of its own, and the application names its desktop
// entry.
#include "CDialog.h"
#include "CDialogImpl.h"
#include "CIcon.h"
#include "CPlatform.h"
#include "CQtPlatform.h"
#include "CWinApp.h"
#include "Resource.h"
#include "SafeOwner.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace
{
// What a secondary window was like when it opened.
struct Opened
{
    QWidget* pOwner = nullptr;
    Qt::WindowType type = Qt::Widget;
    QPoint centre;
    QImage icon;
};

Opened Describe(QWidget& window)
{
    return {window.parentWidget(), window.windowType(), window.geometry().center(),
            window.windowIcon().pixmap(32).toImage()};
}

class SafeOwnerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pPrevious = CPlatform::Install(&m_platform);
        ASSERT_TRUE(m_main.Create());
        m_main.SetIcon(CIcon::Load(IDR_MAINFRAME), true);
        ASSERT_TRUE(WaitExposed(m_main));
    }
    void TearDown() override { CPlatform::Install(m_pPrevious); }

    QDialog* Main() const { return DialogWidget(m_main); }

    // Opens the About box as the About command does, and describes it.
    static Opened OpenAbout(const std::function<void(QWidget*)>& whileOpen = {})
    {
        Opened opened;
        WhenModalOpens(
            [&](QWidget* pModal)
            {
                opened = Describe(*pModal);
                if (whileOpen)
                    whileOpen(pModal);
                QTest::keyClick(pModal, Qt::Key_Escape);
            });
        CDialog about(IDD_ABOUTBOX);
        about.DoModal();
        return opened;
    }

    // Shows a message box, over the modal window given if any, and describes it.
    static Opened ShowMessageBox(const QWidget* pOver = nullptr)
    {
        Opened opened;
        WhenModalOpens(
            [&](QWidget* pModal)
            {
                opened = Describe(*pModal);
                QTest::keyClick(pModal, Qt::Key_Return);
            },
            pOver);
        EXPECT_EQ(AfxMessageBox("Valeur à trouver incorrecte"), IDOK);
        return opened;
    }

    void ExpectOwnedBy(const Opened& opened, QWidget* pOwner) const
    {
        EXPECT_EQ(opened.pOwner, pOwner);
        EXPECT_EQ(opened.type, Qt::Dialog);
        EXPECT_LE((opened.centre - pOwner->geometry().center()).manhattanLength(), 1);
        EXPECT_EQ(opened.icon, pOwner->windowIcon().pixmap(32).toImage());
    }

    CQtPlatform m_platform;
    CPlatform* m_pPrevious = nullptr;
    CDialog m_main{IDD_PIVOLO_DIALOG};
};
} // namespace

TEST_F(SafeOwnerTest, MainDialogIsAnApplicationWindowOfItsOwn)
{
    EXPECT_EQ(Main()->parentWidget(), nullptr);
    EXPECT_EQ(Main()->windowType(), Qt::Window);
    // Even when another window of the program is open.
    CDialog second(IDD_PIVOLO_DIALOG);
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(DialogWidget(second)->parentWidget(), nullptr);
}

TEST_F(SafeOwnerTest, AboutBoxBelongsToTheWindowItIsOpenedFromWithItsIcon)
{
    ASSERT_FALSE(Main()->windowIcon().isNull());
    ExpectOwnedBy(OpenAbout(), Main());
}

TEST_F(SafeOwnerTest, MessageBoxBelongsToTheWindowItIsOpenedFromWithItsIcon)
{
    ExpectOwnedBy(ShowMessageBox(), Main());
}

TEST_F(SafeOwnerTest, MessageBoxFromTheAboutBoxBelongsToTheAboutBox)
{
    Opened box;
    QWidget* pAbout = nullptr;
    OpenAbout(
        [&](QWidget* pModal)
        {
            pAbout = pModal;
            box = ShowMessageBox(pModal);
        });
    ASSERT_NE(pAbout, nullptr);
    EXPECT_EQ(box.pOwner, pAbout);
}

TEST_F(SafeOwnerTest, ApplicationsMainWindowOwnsWhenNoWindowOfTheProgramIsActive)
{
    CWinApp app;
    app.m_pMainWnd = &m_main;
    // Another window takes the focus: the About box still belongs to the main window.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(SafeOwner(), Main());
    EXPECT_EQ(OpenAbout().pOwner, Main());
}

TEST(WinAppTest, NamesTheProgramsDesktopEntry)
{
    CWinApp app;
    app.SetAppID("org.pivolo.pivolo");
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.pivolo.pivolo"));
}
