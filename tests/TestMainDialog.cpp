// The main dialog: its window from the template, its initialisation, its painting while
// minimised, and its sound operations with the recording audio output.
#include "CBitmap.h"
#include "CDialogImpl.h"
#include "CIconImpl.h"
#include "CMainDialog.h"
#include "CRecordingAudioOutput.h"
#include "CRecordingPlatform.h"
#include "Resource.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

using namespace std::chrono_literals;

// Reaches the dialog's private state and operations.
struct CMainDialogAccess
{
    static BOOL& SoundOn(CMainDialog& dialog) { return dialog.m_bSoundOn; }
    static const HTHREAD& SoundThread(CMainDialog& dialog) { return dialog.m_hSoundThread; }
    static int SuccessCount(CMainDialog& dialog) { return dialog.m_nSuccessCount; }
    static HICON DialogIcon(CMainDialog& dialog) { return dialog.m_hDialogIcon; }
    static std::size_t WorkerCount(CMainDialog& dialog) { return dialog.m_soundWorkers.Count(); }
    static void StartSound(CMainDialog& dialog, unsigned nClip) { dialog.StartSound(nClip); }
    static void SuspendSound(CMainDialog& dialog) { dialog.SuspendSound(); }
    static void ResumeSound(CMainDialog& dialog) { dialog.ResumeSound(); }
    static void ToggleSound(CMainDialog& dialog) { dialog.OnSoundToggle(); }
    static bool TileFontMade(CMainDialog& dialog) { return dialog.m_fontTile.IsCreated(); }
};

using Access = CMainDialogAccess;

namespace
{
constexpr const char* szSoundQuestion =
    "Il ne faut pas avoir peur, le pivolo n'est qu'un jeu\nVoulez-vous stopper/activer le son ?";
constexpr auto WAIT = 5s;

class MainDialogTest : public testing::Test
{
protected:
    void Open()
    {
        m_pDialog = std::make_unique<CMainDialog>();
        ASSERT_TRUE(m_pDialog->Create());
        ASSERT_TRUE(WaitExposed(*m_pDialog));
    }
    void SetUp() override
    {
        if (!m_bHold)
            Open();
    }

    CMainDialog& Dialog() { return *m_pDialog; }
    QDialog* Window() const { return DialogWidget(*m_pDialog); }
    QWidget* Control(int nId) const { return ControlWidget(*m_pDialog, nId); }
    QLineEdit* Edit(int nId) const { return qobject_cast<QLineEdit*>(Control(nId)); }
    // The start-up clip has reached the output.
    bool StartupClipPlayed() { return m_audio.WaitForClips(1, WAIT); }

    bool m_bHold = false;
    CRecordingPlatform m_platform;
    // Declared before the dialog, whose destructor still cuts off what it plays.
    CRecordingAudioOutput m_audio;
    std::unique_ptr<CMainDialog> m_pDialog;
};

// The tests that need clips to play until they are cut off.
class MainDialogHoldTest : public MainDialogTest
{
protected:
    void SetUp() override
    {
        m_audio.SetHoldPlayback(true);
        Open();
    }
};

const int allEdits[] = {IDC_TARGET, IDC_TILE1, IDC_TILE2, IDC_TILE3,
                        IDC_TILE4,  IDC_TILE5, IDC_TILE6};
const int tileEdits[] = {IDC_TILE1, IDC_TILE2, IDC_TILE3, IDC_TILE4, IDC_TILE5, IDC_TILE6};
} // namespace

TEST_F(MainDialogTest, OpensWithTheTemplatesControlsAndCaptions)
{
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Le pivolo"));
    EXPECT_EQ(Window()->size(), QSize(477, 301));
    struct Caption
    {
        int nId;
        const char* text;
    };
    const Caption captions[] = {
        {IDC_SOUND_TOGGLE, "Je n'ai jamais joué au \"pivolo\" et j'ai peur"},
        {IDC_RANDOM_DRAW, "&Tirage aléatoire"},
        {IDOK_COMPUTE, "&Calculer"},
        {IDCANCEL_BUTTON, "Annuler"},
        {IDC_SHOW_TILES, "&Voir les plaques"},
        {IDC_TIME, "Temps écoulé :"},
        {IDC_ABOUT, "A &propos..."},
    };
    for (const Caption& caption : captions)
        EXPECT_EQ(Dialog().GetDlgItem(caption.nId)->GetText(), caption.text) << caption.nId;
    for (int nId : allEdits)
        EXPECT_EQ(Edit(nId)->text(), QString()) << nId;
    EXPECT_EQ(qobject_cast<QListWidget*>(Control(IDC_SOLUTION))->count(), 0);
    EXPECT_TRUE(qobject_cast<QPushButton*>(Control(IDOK_COMPUTE))->isDefault());
    EXPECT_EQ(Control(IDC_TIME)->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(Dialog().GetImpl().controls.front()->focusPolicy(), Qt::NoFocus);
}

TEST_F(MainDialogTest, ControlsStandWhereTheTemplatePutsThem)
{
    struct Place
    {
        int nId;
        QRect rect;
    };
    // Dialog units at 1.5 pixels across and 1.625 down, each edge rounded.
    const Place places[] = {
        {IDC_TARGET, QRect(QPoint(194, 5), QPoint(281, 61))},
        {IDC_TILE1, QRect(QPoint(48, 72), QPoint(100, 101))},
        {IDC_TILE6, QRect(QPoint(372, 72), QPoint(424, 101))},
        {IDC_SOLUTION, QRect(QPoint(71, 112), QPoint(370, 217))},
        {IDC_SOUND_TOGGLE, QRect(QPoint(378, 120), QPoint(457, 212))},
        {IDC_RANDOM_DRAW, QRect(QPoint(311, 234), QPoint(469, 256))},
        {IDOK_COMPUTE, QRect(QPoint(308, 263), QPoint(382, 285))},
        {IDCANCEL_BUTTON, QRect(QPoint(395, 263), QPoint(469, 285))},
        {IDC_SHOW_TILES, QRect(QPoint(5, 254), QPoint(104, 285))},
        {IDC_TIME, QRect(QPoint(5, 231), QPoint(193, 246))},
        {IDC_ABOUT, QRect(QPoint(119, 260), QPoint(193, 282))},
    };
    for (const Place& place : places)
        EXPECT_EQ(Control(place.nId)->geometry(), place.rect) << place.nId;
}

TEST_F(MainDialogTest, FocusStartsInTheTargetAndTabGoesRoundTheTemplateOrder)
{
    ASSERT_EQ(QApplication::focusWidget(), Control(IDC_TARGET));
    const std::vector<int> expected = {
        IDC_TILE1,       IDC_TILE2,      IDC_TILE3,        IDC_TILE4,       IDC_TILE5,
        IDC_TILE6,       IDC_SOLUTION,   IDC_SOUND_TOGGLE, IDC_RANDOM_DRAW, IDOK_COMPUTE,
        IDCANCEL_BUTTON, IDC_SHOW_TILES, IDC_ABOUT,        IDC_TARGET};
    std::vector<int> visited;
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(ControlId(Dialog(), QApplication::focusWidget()));
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(MainDialogTest, EachEditTakesThreeCentredDigitsAndRefusesTheRest)
{
    for (int nId : allEdits)
    {
        QLineEdit* pEdit = Edit(nId);
        EXPECT_EQ(pEdit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QApplication::clipboard()->setText(QStringLiteral("1a"));
        pEdit->paste();
        EXPECT_EQ(pEdit->text(), QString()) << nId;
        QTest::keyClicks(pEdit, "7x 8-9.0");
        EXPECT_EQ(pEdit->text(), QStringLiteral("789")) << nId;
    }
}

TEST_F(MainDialogTest, TileDigitsAreBoldAndTenPixelsTallerAndTheTargetsTwiceThat)
{
    const QFontInfo dialogFont(Control(IDC_TIME)->font());
    EXPECT_EQ(dialogFont.pixelSize(), 11);
    for (int nId : tileEdits)
    {
        const QFontInfo font(Control(nId)->font());
        EXPECT_EQ(font.pixelSize(), 21) << nId;
        EXPECT_EQ(font.weight(), 800) << nId;
        EXPECT_EQ(font.family(), dialogFont.family());
    }
    const QFontInfo target(Control(IDC_TARGET)->font());
    EXPECT_EQ(target.pixelSize(), 42);
    EXPECT_EQ(target.weight(), 800);
}

TEST_F(MainDialogTest, ThreeBoldDigitsFitInsideEachEdit)
{
    for (int nId : allEdits)
    {
        QLineEdit* pEdit = Edit(nId);
        // The edit's own frame, edges included.
        const int nFrame =
            pEdit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, pEdit);
        // The edit keeps a margin of two pixels on either side of its text.
        const QMargins margins = pEdit->textMargins();
        const int nRoom = pEdit->width() - 2 * nFrame - 4 - margins.left() - margins.right();
        EXPECT_LE(pEdit->fontMetrics().horizontalAdvance(QStringLiteral("888")), nRoom) << nId;
        EXPECT_LE(pEdit->fontMetrics().height(), pEdit->height()) << nId;
    }
}

TEST_F(MainDialogTest, SystemMenuEndsWithASeparatorAndTheAboutEntry)
{
    CMenu* pMenu = Dialog().GetSystemMenu(false);
    ASSERT_NE(pMenu, nullptr);
    const int nCount = pMenu->GetMenuItemCount();
    ASSERT_EQ(nCount, 4);
    EXPECT_EQ(pMenu->GetMenuString(0), "&Déplacer");
    EXPECT_EQ(pMenu->GetMenuString(1), "&Fermer\tAlt+F4");
    EXPECT_TRUE(pMenu->Entries()[2].bSeparator);
    EXPECT_EQ(pMenu->GetMenuString(3), "&A propos du pivolo...");
    EXPECT_EQ(pMenu->GetMenuItemID(3), 16);
}

TEST_F(MainDialogTest, SystemCommandsOtherThanAboutGetTheDefaultHandling)
{
    // The About entry opens the About box (closed here at once) and leaves the dialog open.
    for (unsigned nId : {IDM_ABOUTBOX, IDM_ABOUTBOX | 0x3})
    {
        WhenModalOpens([](QWidget* pModal) { QTest::keyClick(pModal, Qt::Key_Escape); });
        Dialog().SendMessage(WM_SYSCOMMAND, nId);
    }
    EXPECT_TRUE(Window()->isVisible());
    Dialog().SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_EQ(Window()->result(), IDCANCEL);
}

TEST_F(MainDialogTest, EnterRunsTheComputeCommandAndLeavesTheDialogOpen)
{
    QTest::keyClick(Edit(IDC_TILE2), Qt::Key_Return);
    EXPECT_TRUE(Window()->isVisible());
    QTest::keyClick(Edit(IDC_TILE2), Qt::Key_Escape);
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_EQ(Window()->result(), IDCANCEL);
}

TEST_F(MainDialogTest, ConstructionLoadsTheIconAndInitialisationSetsItLargeAndSmall)
{
    const HICON hIcon = Access::DialogIcon(Dialog());
    ASSERT_NE(hIcon, nullptr);
    EXPECT_EQ(hIcon, CIcon::Load(IDR_MAINFRAME));
    EXPECT_EQ(Dialog().GetIcon(true), hIcon);
    EXPECT_EQ(Dialog().GetIcon(false), hIcon);
    EXPECT_FALSE(Window()->windowIcon().isNull());
    EXPECT_EQ(reinterpret_cast<HICON>(Dialog().SendMessage(WM_QUERYDRAGICON)), hIcon);
}

TEST(MainDialogConstructionTest, StartsWithSoundOnNoSuccessAndNoWindow)
{
    CMainDialog dialog;
    EXPECT_EQ(Access::SoundOn(dialog), 1);
    EXPECT_EQ(Access::SuccessCount(dialog), 0);
    EXPECT_EQ(Access::SoundThread(dialog), nullptr);
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_FALSE(Access::TileFontMade(dialog));
}

TEST(CentredIconOffsetTest, GivesTheWiderMarginBeforeTheIcon)
{
    struct Case
    {
        int nClient, nIcon, nExpected;
    };
    const Case cases[] = {
        {477, 32, 223},              // margins 223 and 222
        {301, 32, 135},              // margins 135 and 134
        {476, 32, 222},              // even: equal margins
        {32, 32, 0},    {31, 32, 0}, // (0) / 2
        {20, 32, -5},                // -11 / 2 rounds toward zero
        {16, 32, -7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CMainDialog::CentredIconOffset(c.nClient, c.nIcon), c.nExpected)
            << c.nClient << " " << c.nIcon;
}

TEST_F(MainDialogTest, MinimisedItPaintsItsIconCentredOnAnErasedBackground)
{
    Window()->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(Dialog().IsIconic());
    QImage painted(Window()->size(), QImage::Format_ARGB32);
    painted.fill(Qt::magenta);
    // The window alone, as the icon's paint request draws it.
    Window()->render(&painted, QPoint(), QRegion(), QWidget::DrawWindowBackground);

    const QImage icon =
        Access::DialogIcon(Dialog())->GetImpl().icon.pixmap(32, 32).toImage().convertToFormat(
            QImage::Format_ARGB32);
    const QColor background = Window()->palette().window().color();
    const int x0 = CMainDialog::CentredIconOffset(477, 32);
    const int y0 = CMainDialog::CentredIconOffset(301, 32);
    int nOpaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
        {
            const QColor source = icon.pixelColor(x, y);
            if (source.alpha() != 255)
                continue;
            ++nOpaque;
            EXPECT_EQ(painted.pixelColor(x0 + x, y0 + y), source) << x << "," << y;
        }
    EXPECT_GT(nOpaque, 0);
    EXPECT_EQ(painted.pixelColor(0, 0), background);
    EXPECT_EQ(painted.pixelColor(476, 300), background);
    EXPECT_EQ(painted.pixelColor(x0 - 1, y0 + 16), background);
    EXPECT_EQ(painted.pixelColor(x0 + 32, y0 + 16), background);
}

TEST_F(MainDialogTest, NotMinimisedThePictureCoversTheClientArea)
{
    ASSERT_FALSE(Dialog().IsIconic());
    auto* pPicture = qobject_cast<QLabel*>(Dialog().GetImpl().controls.front());
    ASSERT_NE(pPicture, nullptr);
    EXPECT_TRUE(pPicture->geometry().contains(Window()->rect()));
    EXPECT_EQ(pPicture->pixmap().size(), QSize(483, 303));
    // Painted as a whole, the corners show the picture, not the dialog's grey.
    const QImage shot = Window()->grab().toImage();
    const QImage picture = pPicture->pixmap().toImage();
    for (const QPoint& corner : {QPoint(0, 0), QPoint(476, 0), QPoint(0, 300), QPoint(476, 300)})
        EXPECT_EQ(shot.pixelColor(corner), picture.pixelColor(corner))
            << corner.x() << "," << corner.y();
}

TEST(BackgroundBitmapTest, HasTheHeaderAndSizeOfA483By303TrueColourPicture)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_BACKGROUND));
    EXPECT_EQ(bitmap.Size(), 439996u);
    const auto header = bitmap.InfoHeader();
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->biSize, 40u);
    EXPECT_EQ(header->biWidth, 483);
    EXPECT_EQ(header->biHeight, 303);
    EXPECT_EQ(header->biPlanes, 1);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(header->biCompression, BI_RGB);
    EXPECT_EQ(header->biSizeImage, 439956u);
    EXPECT_EQ(header->biXPelsPerMeter, 3780);
    EXPECT_EQ(header->biYPelsPerMeter, 3780);
    EXPECT_EQ(header->biClrUsed, 0u);
    EXPECT_EQ(header->biClrImportant, 0u);
    EXPECT_EQ(CBitmap::Stride(483, 24), 1452u);
    EXPECT_NE(bitmap.Pixels24(), nullptr);
}

TEST_F(MainDialogTest, OpeningPlaysTheStartupClipOnTheRecordedWorker)
{
    ASSERT_TRUE(StartupClipPlayed());
    EXPECT_EQ(m_audio.PlayedClips(), std::vector<unsigned>{IDW_STARTUP});
    EXPECT_NE(Access::SoundThread(Dialog()), nullptr);
}

TEST_F(MainDialogTest, ToggleAsksTheQuestionAndYesTurnsTheSoundOff)
{
    ASSERT_TRUE(StartupClipPlayed());
    m_platform.QueueAnswer(IDYES);
    QTest::mouseClick(Control(IDC_SOUND_TOGGLE), Qt::LeftButton);
    ASSERT_EQ(m_platform.Messages().size(), 1u);
    EXPECT_EQ(m_platform.Messages()[0].text, szSoundQuestion);
    EXPECT_EQ(m_platform.Messages()[0].nType, MB_YESNO);
    EXPECT_EQ(Access::SoundOn(Dialog()), 0);
    ASSERT_TRUE(m_audio.WaitForClips(2, WAIT));
    EXPECT_EQ(m_audio.PlayedClips(), (std::vector<unsigned>{IDW_STARTUP, IDW_TOGGLE}));
}

TEST_F(MainDialogTest, NoLeavesTheSwitchAsItWas)
{
    m_platform.QueueAnswer(IDNO);
    Access::ToggleSound(Dialog());
    EXPECT_EQ(Access::SoundOn(Dialog()), 1);
    Access::SoundOn(Dialog()) = 0;
    m_platform.QueueAnswer(IDNO);
    Access::ToggleSound(Dialog());
    EXPECT_EQ(Access::SoundOn(Dialog()), 0);
    EXPECT_EQ(m_platform.Messages().size(), 2u);
}

TEST_F(MainDialogTest, WithSoundOffTheToggleStillAsksAndYesTurnsItOnWithoutAClip)
{
    ASSERT_TRUE(StartupClipPlayed());
    Access::SoundOn(Dialog()) = 0;
    const HTHREAD hBefore = Access::SoundThread(Dialog());
    m_platform.QueueAnswer(IDYES);
    Access::ToggleSound(Dialog());
    EXPECT_EQ(Access::SoundOn(Dialog()), 1);
    EXPECT_EQ(m_platform.Messages().size(), 1u);
    EXPECT_EQ(Access::SoundThread(Dialog()), hBefore);
    EXPECT_EQ(m_audio.PlayedClips(), std::vector<unsigned>{IDW_STARTUP});
}

TEST_F(MainDialogTest, SoundOffStartsNothingAndKeepsTheRecordedWorker)
{
    ASSERT_TRUE(StartupClipPlayed());
    const HTHREAD hStartup = Access::SoundThread(Dialog());
    Access::SoundOn(Dialog()) = 0;
    Access::StartSound(Dialog(), IDW_SUCCESS_ODD);
    EXPECT_EQ(Access::SoundThread(Dialog()), hStartup);
    ASSERT_TRUE(hStartup->WaitUntilHeld(WAIT) || hStartup->HasEnded());
    EXPECT_EQ(m_audio.PlayedClips(), std::vector<unsigned>{IDW_STARTUP});
}

TEST_F(MainDialogTest, LatestWorkerIsTheRecordedOne)
{
    const HTHREAD hStartup = Access::SoundThread(Dialog());
    Access::StartSound(Dialog(), IDW_SUCCESS_ODD);
    const HTHREAD hLatest = Access::SoundThread(Dialog());
    ASSERT_NE(hLatest, nullptr);
    EXPECT_NE(hLatest, hStartup);
    ASSERT_TRUE(m_audio.WaitForEnded(2, WAIT));
    // An ended worker stays recorded.
    EXPECT_EQ(Access::SoundThread(Dialog()), hLatest);
}

TEST_F(MainDialogTest, EndedWorkersAreLetGoAtTheNextStart)
{
    std::vector<HTHREAD> started = {Access::SoundThread(Dialog())};
    for (unsigned nClip : {IDW_SUCCESS_ODD, IDW_SUCCESS_EVEN, IDW_TOGGLE})
    {
        Access::StartSound(Dialog(), nClip);
        started.push_back(Access::SoundThread(Dialog()));
    }
    // Nothing suspends them: each returns from its clip and ends.
    for (const HTHREAD& hWorker : started)
    {
        ASSERT_NE(hWorker, nullptr);
        while (!hWorker->HasEnded())
            hWorker->WaitUntilHeld(WAIT);
    }
    Access::StartSound(Dialog(), IDW_TOGGLE);
    EXPECT_EQ(Access::WorkerCount(Dialog()), 1u);
}

TEST_F(MainDialogHoldTest, SuspendAndResumeActOnTheRecordedWorkerOnlyWhileSoundIsOn)
{
    ASSERT_TRUE(StartupClipPlayed());
    const HTHREAD hWorker = Access::SoundThread(Dialog());
    ASSERT_NE(hWorker, nullptr);

    Access::SuspendSound(Dialog());
    EXPECT_TRUE(hWorker->WaitUntilHeld(WAIT));
    // The count the suspension left: one more suspension finds 1.
    EXPECT_EQ(hWorker->Suspend(), 1);
    EXPECT_EQ(hWorker->Resume(), 2);
    Access::ResumeSound(Dialog());
    EXPECT_EQ(hWorker->Suspend(), 0);
    EXPECT_EQ(hWorker->Resume(), 1);

    Access::SoundOn(Dialog()) = 0;
    Access::SuspendSound(Dialog());
    EXPECT_EQ(hWorker->Suspend(), 0);
    Access::ResumeSound(Dialog());
    EXPECT_EQ(hWorker->Resume(), 1);
    EXPECT_EQ(m_audio.PlayingCount(), 1u);
}

TEST_F(MainDialogTest, SuspendAndResumeOfAnEndedWorkerDoNothing)
{
    ASSERT_TRUE(m_audio.WaitForEnded(1, WAIT));
    const HTHREAD hWorker = Access::SoundThread(Dialog());
    while (!hWorker->HasEnded())
        hWorker->WaitUntilHeld(WAIT);
    Access::SuspendSound(Dialog());
    Access::ResumeSound(Dialog());
    EXPECT_EQ(hWorker->Suspend(), -1);
}

TEST_F(MainDialogHoldTest, ToggleDuringTheStartupClipCutsItOff)
{
    ASSERT_TRUE(StartupClipPlayed());
    m_platform.QueueAnswer(IDNO);
    QTest::mouseClick(Control(IDC_SOUND_TOGGLE), Qt::LeftButton);
    ASSERT_TRUE(m_audio.WaitForClips(2, WAIT));
    ASSERT_TRUE(m_audio.WaitForEnded(1, WAIT));
    EXPECT_EQ(m_audio.PlayedClips(), (std::vector<unsigned>{IDW_STARTUP, IDW_TOGGLE}));
    EXPECT_EQ(m_audio.CutOff(), (std::vector<bool>{true, false}));
    EXPECT_EQ(m_audio.PlayingCount(), 1u);
}

TEST_F(MainDialogHoldTest, DestructorCutsOffTheClipStillPlayingAndJoinsItsWorker)
{
    ASSERT_TRUE(StartupClipPlayed());
    const HTHREAD hWorker = Access::SoundThread(Dialog());
    ASSERT_NE(hWorker, nullptr);
    m_pDialog.reset();
    EXPECT_TRUE(hWorker->HasEnded());
    EXPECT_EQ(m_audio.PlayingCount(), 0u);
    EXPECT_EQ(m_audio.CutOff(), std::vector<bool>{true});
}

TEST_F(MainDialogTest, DestructorLeavesAWorkerBlockedInItsDeviceToEndByItself)
{
    ASSERT_TRUE(StartupClipPlayed());
    m_audio.SetStallPlayback(true);
    Access::StartSound(Dialog(), IDW_TOGGLE);
    const HTHREAD hWorker = Access::SoundThread(Dialog());
    ASSERT_TRUE(m_audio.WaitForClips(2, WAIT));
    const int nLeftBefore = CThread::LeftRunningCount();
    m_pDialog.reset();
    EXPECT_FALSE(hWorker->HasEnded());
    EXPECT_EQ(CThread::LeftRunningCount(), nLeftBefore + 1);
    // Once its device lets go, the worker ends by itself.
    m_audio.SetStallPlayback(false);
    EXPECT_TRUE(hWorker->WaitUntilEnded(WAIT));
    EXPECT_EQ(CThread::LeftRunningCount(), nLeftBefore);
}

TEST_F(MainDialogHoldTest, DestructorJoinsAWorkerThatHadNotBegunItsClip)
{
    Access::StartSound(Dialog(), IDW_TOGGLE);
    const HTHREAD hWorker = Access::SoundThread(Dialog());
    m_pDialog.reset();
    EXPECT_TRUE(hWorker->HasEnded());
    EXPECT_EQ(m_audio.PlayingCount(), 0u);
}
