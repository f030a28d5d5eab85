// The main dialog's commands: compute, random draw, tile listing, About, and the ways the
// dialog ends, on offscreen widgets with recorded message boxes, clock and sound.
#include "CDialogImpl.h"
#include "CMainDialog.h"
#include "CQtPlatform.h"
#include "CRecordingAudioOutput.h"
#include "CRecordingPlatform.h"
#include "CTextPeer.h"
#include "Resource.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

using namespace std::chrono_literals;

// Reaches the dialog's private state and commands.
struct CMainDialogAccess
{
    static CEdit& Tile(CMainDialog& d, int i)
    {
        CEdit* edits[] = {&d.m_editTile1, &d.m_editTile2, &d.m_editTile3,
                          &d.m_editTile4, &d.m_editTile5, &d.m_editTile6};
        return *edits[i];
    }
    static CEdit& Target(CMainDialog& d) { return d.m_editTarget; }
    static CTilePool& Pool(CMainDialog& d) { return d.m_tilePool; }
    static int SuccessCount(CMainDialog& d) { return d.m_nSuccessCount; }
    static BOOL& SoundOn(CMainDialog& d) { return d.m_bSoundOn; }
    static const HTHREAD& SoundThread(CMainDialog& d) { return d.m_hSoundThread; }
    static void Compute(CMainDialog& d) { d.OnCompute(); }
    static void RandomDraw(CMainDialog& d) { d.OnRandomDraw(); }
    static void ShowTiles(CMainDialog& d) { d.OnShowTiles(); }
    static void SystemCommand(CMainDialog& d, unsigned nId) { d.OnSystemCommand(nId, 0); }
};

using Access = CMainDialogAccess;

namespace
{
constexpr const char* szBadTile = "Au moins une plaque a une valeur incorrecte";
constexpr const char* szBadTarget = "Valeur à trouver incorrecte";
constexpr auto WAIT = 5s;

const std::vector<std::string> kSolved387 = {"Solution : 387",   "387\t= 312 + 75",
                                             "312\t= 2496 / 8",  "2496\t= 2500 - 4",
                                             "2500\t= 100 x 25", "4\t= 8 / 2"};

// Stands between a wrapper and its widget and counts the reads, to see which edits a
// command looked at.
class CCountingPeer : public CTextPeer
{
public:
    explicit CCountingPeer(CWnd& wnd) : m_wnd(wnd), m_pInner(wnd.GetPeer())
    {
        SetText(m_pInner->GetText());
        m_wnd.Attach(this);
    }
    ~CCountingPeer() override { m_wnd.Attach(m_pInner); }
    int Reads() const { return ReadCount(); }

private:
    CWnd& m_wnd;
    CWndPeer* m_pInner;
};

struct Game
{
    std::array<const char*, 6> tiles;
    const char* target;
};

class CommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // Clips play until a newer one cuts them off, so that a worker is there to suspend.
        m_audio.SetHoldPlayback(true);
        m_platform.SetTime(1765000000);
        m_pDialog = std::make_unique<CMainDialog>();
        ASSERT_TRUE(m_pDialog->Create());
        ASSERT_TRUE(WaitExposed(*m_pDialog));
        ASSERT_TRUE(m_audio.WaitForClips(1, WAIT));
    }

    CMainDialog& Dialog() { return *m_pDialog; }
    QWidget* Control(int nId) const { return ControlWidget(*m_pDialog, nId); }
    QLineEdit* Edit(int nId) const { return qobject_cast<QLineEdit*>(Control(nId)); }

    void Type(const Game& game)
    {
        for (int i = 0; i < 6; ++i)
            Access::Tile(Dialog(), i).SetWindowText(game.tiles[static_cast<std::size_t>(i)]);
        Access::Target(Dialog()).SetWindowText(game.target);
    }
    std::vector<std::string> List() const
    {
        std::vector<std::string> entries;
        const CWndPeer* pList = m_pDialog->GetDlgItem(IDC_SOLUTION);
        for (int i = 0; i < pList->GetCount(); ++i)
            entries.push_back(pList->GetString(i));
        return entries;
    }
    std::string TimeText() const { return m_pDialog->GetDlgItem(IDC_TIME)->GetText(); }
    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& message : m_platform.Messages())
            texts.push_back(message.text);
        return texts;
    }
    // Computes with the clock moving by nSeconds between its two readings.
    void ComputeTaking(int nSeconds)
    {
        m_platform.SetTime(1765000000, nSeconds);
        Access::Compute(Dialog());
    }

    CRecordingPlatform m_platform;
    CRecordingAudioOutput m_audio;
    std::unique_ptr<CMainDialog> m_pDialog;
};
} // namespace

TEST_F(CommandsTest, ComputeListsTheSolutionAndShowsTheTime)
{
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    // While the search runs: the button is off, the wait cursor up, the worker suspended.
    int nChecks = 0;
    m_platform.OnTimeRead(
        [&]
        {
            ++nChecks;
            EXPECT_FALSE(Control(IDOK_COMPUTE)->isEnabled());
            ASSERT_FALSE(m_platform.Cursors().empty());
            EXPECT_EQ(m_platform.Cursors().back(), ECursor::Wait);
            const HTHREAD& hWorker = Access::SoundThread(Dialog());
            ASSERT_TRUE(hWorker);
            EXPECT_EQ(hWorker->Suspend(), 1) << "suspended once by the command";
            hWorker->Resume();
        });
    ComputeTaking(0);
    EXPECT_EQ(nChecks, 2);
    EXPECT_EQ(List(), kSolved387);
    EXPECT_EQ(TimeText(), "Temps écoulé :   0 sec");
    EXPECT_TRUE(Control(IDOK_COMPUTE)->isEnabled());
    EXPECT_EQ(m_platform.Cursors(), (std::vector<ECursor>{ECursor::Wait, ECursor::Arrow}));
    EXPECT_EQ(Access::SoundThread(Dialog())->Suspend(), 0) << "resumed after the search";
    Access::SoundThread(Dialog())->Resume();
    EXPECT_TRUE(m_platform.Messages().empty());
}

TEST_F(CommandsTest, ComputeEmptiesTheListBeforeAnyCheck)
{
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    ComputeTaking(0);
    ASSERT_FALSE(List().empty());
    Access::Tile(Dialog(), 0).SetWindowText("");
    ComputeTaking(0);
    EXPECT_TRUE(List().empty());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{szBadTile});
}

TEST_F(CommandsTest, ComputeStopsAtTheFirstRefusedTileAfterOneMessage)
{
    struct Case
    {
        Game game;
        int nRefused; // position of the tile that is refused, from 0
    };
    const Case cases[] = {
        {{{"", "8", "75", "8", "100", "25"}, "387"}, 0},
        {{{"2", "8", "11", "8", "100", "25"}, "387"}, 2},
        {{{"100", "100", "100", "8", "1", "25"}, "387"}, 2},
        {{{"7", "7", "7", "8", "1", "25"}, "387"}, 2},
    };
    // A first search, whose time text and success count must survive the refusals.
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    ComputeTaking(3);
    // The success clip's worker records it on its own time.
    ASSERT_TRUE(m_audio.WaitForClips(2, WAIT));
    const std::string timeBefore = TimeText();
    const std::size_t nClipsBefore = m_audio.PlayedClips().size();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nRefused);
        Type(c.game);
        m_platform.ClearRecords();
        std::vector<std::unique_ptr<CCountingPeer>> tiles;
        for (int i = 0; i < 6; ++i)
            tiles.push_back(std::make_unique<CCountingPeer>(Access::Tile(Dialog(), i)));
        CCountingPeer target(Access::Target(Dialog()));
        m_platform.OnMessageBox(
            [&]
            {
                const HTHREAD& hWorker = Access::SoundThread(Dialog());
                ASSERT_TRUE(hWorker);
                EXPECT_EQ(hWorker->Suspend(), 0) << "the worker is left alone";
                hWorker->Resume();
            });

        Access::Compute(Dialog());

        EXPECT_EQ(MessageTexts(), std::vector<std::string>{szBadTile});
        EXPECT_EQ(m_platform.Messages()[0].nType, MB_OK);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(tiles[static_cast<std::size_t>(i)]->Reads(), i <= c.nRefused ? 1 : 0) << i;
        EXPECT_EQ(target.Reads(), 0);
        EXPECT_TRUE(List().empty());
        EXPECT_EQ(TimeText(), timeBefore);
        EXPECT_EQ(m_platform.TimeReads(), 0) << "no search";
        EXPECT_TRUE(m_platform.Cursors().empty());
        EXPECT_EQ(m_audio.PlayedClips().size(), nClipsBefore);
        EXPECT_EQ(Access::SuccessCount(Dialog()), 1);
        m_platform.OnMessageBox(nullptr);
    }
}

TEST_F(CommandsTest, ComputeRefusesATargetOutsideTheRange)
{
    // The edit takes no fourth digit, so 1000 cannot be typed...
    Edit(IDC_TARGET)->setFocus();
    QTest::keyClicks(Edit(IDC_TARGET), "1000");
    EXPECT_EQ(Edit(IDC_TARGET)->text(), QStringLiteral("100"));
    // ...but a target above 999 is refused all the same, with the list emptied first.
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    ComputeTaking(0);
    CCountingPeer target(Access::Target(Dialog()));
    target.SetText("1000");
    m_platform.ClearRecords();
    Access::Compute(Dialog());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{szBadTarget});
    EXPECT_TRUE(List().empty());
    EXPECT_EQ(m_platform.TimeReads(), 0);
}

TEST_F(CommandsTest, ComputeReadsAnEmptyTargetAsZero)
{
    Type({{"1", "1", "2", "2", "3", "3"}, ""});
    ComputeTaking(0);
    EXPECT_TRUE(m_platform.Messages().empty());
    EXPECT_EQ(List(), (std::vector<std::string>{"Solution : 0", "0\t= 3 - 3", "3\t= 6 - 3",
                                                "6\t= 3 x 2", "3\t= 1 + 2", "1\t= 1 / 1"}));
}

TEST_F(CommandsTest, ComputeShowsTheElapsedWholeSeconds)
{
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    const std::pair<int, const char*> times[] = {{0, "Temps écoulé :   0 sec"},
                                                 {7, "Temps écoulé :   7 sec"},
                                                 {30, "Temps écoulé :  30 sec"},
                                                 {31, "Temps écoulé :  31 sec"}};
    for (const auto& [nSeconds, text] : times)
    {
        ComputeTaking(nSeconds);
        EXPECT_EQ(TimeText(), text);
    }
}

TEST_F(CommandsTest, ACalendarSteppedDuringTheSearchGivesWayToTheSteadyClock)
{
    struct Case
    {
        int nCalendarStep;       // seconds between the calendar's two readings
        int nSteadyMilliseconds; // what the steady clock measured meanwhile
        const char* text;
        bool bPlays;
    };
    const Case cases[] = {
        // Stepped back or forward meanwhile: the steady clock's whole seconds.
        {-5, 2000, "Temps écoulé :   2 sec", true},
        {100, 3400, "Temps écoulé :   3 sec", true},
        {100, 31999, "Temps écoulé :  31 sec", false},
        {-40, 30999, "Temps écoulé :  30 sec", true},
        {1, 2000, "Temps écoulé :   2 sec", true},
        // Within a second of each other, as whole-second readings are: the calendar's.
        {1, 400, "Temps écoulé :   1 sec", true},
        {0, 999, "Temps écoulé :   0 sec", true},
        {31, 30001, "Temps écoulé :  31 sec", false},
        {30, 30999, "Temps écoulé :  30 sec", true},
        // Both stepped back together (a faked clock): never less than nothing.
        {-5, -5000, "Temps écoulé :   0 sec", true},
    };
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    int nSuccesses = 0;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.nCalendarStep) + " s, " +
                     std::to_string(c.nSteadyMilliseconds) + " ms");
        m_platform.SetTime(1765000000, c.nCalendarStep);
        m_platform.SetMonotonicTime(5000000, c.nSteadyMilliseconds);
        Access::Compute(Dialog());
        EXPECT_EQ(TimeText(), c.text);
        nSuccesses += c.bPlays ? 1 : 0;
        EXPECT_EQ(Access::SuccessCount(Dialog()), nSuccesses);
        // The startup clip and one a success.
        ASSERT_TRUE(m_audio.WaitForClips(static_cast<std::size_t>(1 + nSuccesses), WAIT));
    }
}

TEST_F(CommandsTest, OnlyAQuickExactSolutionCountsAndPlays)
{
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    ComputeTaking(31);
    EXPECT_EQ(Access::SuccessCount(Dialog()), 0) << "too slow";
    ComputeTaking(30);
    EXPECT_EQ(Access::SuccessCount(Dialog()), 1) << "30 seconds still count";
    ASSERT_TRUE(m_audio.WaitForClips(2, WAIT));
    Type({{"1", "2", "3", "4", "5", "6"}, "999"});
    ComputeTaking(0);
    EXPECT_EQ(List().front(), "Solution : 960");
    EXPECT_EQ(Access::SuccessCount(Dialog()), 1) << "a nearest value is no success";
    EXPECT_EQ(m_audio.PlayedClips(), (std::vector<unsigned>{IDW_STARTUP, IDW_SUCCESS_ODD}));
}

TEST_F(CommandsTest, SuccessClipsAlternateAndCountWhileSoundIsOff)
{
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    ComputeTaking(0);
    ASSERT_TRUE(m_audio.WaitForClips(2, WAIT));
    Access::SoundOn(Dialog()) = 0;
    ComputeTaking(0);
    Access::SoundOn(Dialog()) = 1;
    ComputeTaking(0);
    ASSERT_TRUE(m_audio.WaitForClips(3, WAIT));
    EXPECT_EQ(Access::SuccessCount(Dialog()), 3);
    EXPECT_EQ(m_audio.PlayedClips(),
              (std::vector<unsigned>{IDW_STARTUP, IDW_SUCCESS_ODD, IDW_SUCCESS_ODD}));
    // The fourth quick success is the even one.
    ComputeTaking(0);
    ASSERT_TRUE(m_audio.WaitForClips(4, WAIT));
    EXPECT_EQ(m_audio.PlayedClips().back(), IDW_SUCCESS_EVEN);
}

TEST_F(CommandsTest, RandomDrawFillsTheSevenEditsAndNothingElse)
{
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    ComputeTaking(7);
    const std::vector<std::string> listBefore = List();
    const std::string timeBefore = TimeText();
    const int nCountBefore = Access::SuccessCount(Dialog());

    Access::RandomDraw(Dialog());

    CTilePool check;
    check.ResetValidation();
    std::vector<int> drawn;
    for (int i = 0; i < 6; ++i)
    {
        drawn.push_back(check.CheckTile(Access::Tile(Dialog(), i)));
        EXPECT_GT(drawn.back(), 0) << "a tile of the set, at most two of a value";
    }
    const int nTarget = std::stoi(Access::Target(Dialog()).GetWindowText());
    EXPECT_GE(nTarget, 100);
    EXPECT_LE(nTarget, 999);
    // The pool keeps the other 22 tiles in the set's order.
    std::vector<int> rest(CTilePool::FullSet.begin(), CTilePool::FullSet.end());
    for (int tile : drawn)
        rest.erase(std::find(rest.begin(), rest.end(), tile));
    std::vector<int> pool;
    for (int i = 0; i < Access::Pool(Dialog()).GetSize(); ++i)
        pool.push_back(Access::Pool(Dialog()).GetAt(i));
    EXPECT_EQ(pool, rest);
    EXPECT_EQ(List(), listBefore);
    EXPECT_EQ(TimeText(), timeBefore);
    EXPECT_EQ(Access::SuccessCount(Dialog()), nCountBefore);
    EXPECT_TRUE(m_platform.Messages().empty());
}

TEST_F(CommandsTest, TwoRandomDrawsInTheSameSecondDiffer)
{
    auto game = [&]
    {
        Access::RandomDraw(Dialog());
        std::vector<std::string> texts;
        for (int i = 0; i < 6; ++i)
            texts.push_back(Access::Tile(Dialog(), i).GetWindowText());
        texts.push_back(Access::Target(Dialog()).GetWindowText());
        return texts;
    };
    EXPECT_NE(game(), game());
}

TEST_F(CommandsTest, ShowTilesListsTheWholeSetEvenAfterADraw)
{
    Access::RandomDraw(Dialog());
    QTest::mouseClick(Control(IDC_SHOW_TILES), Qt::LeftButton);
    ASSERT_EQ(m_platform.Messages().size(), 1u);
    EXPECT_EQ(m_platform.Messages()[0].text,
              "1 1 2 2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 25 25 50 50 75 75 100 100 ");
    EXPECT_EQ(m_platform.Messages()[0].text.size(), 68u);
    EXPECT_EQ(m_platform.Messages()[0].nType, MB_OK);
    EXPECT_EQ(Access::Pool(Dialog()).GetSize(), 28);
}

TEST_F(CommandsTest, AboutOpensFromTheButtonAndTheSystemMenuEachTime)
{
    int nOpened = 0;
    auto closeAbout = [&](QWidget* pModal)
    {
        ++nOpened;
        EXPECT_EQ(pModal->windowTitle(), QStringLiteral("A propos du pivolo"));
        QStringList texts;
        for (const QLabel* pLabel : pModal->findChildren<QLabel*>())
            texts << pLabel->text();
        EXPECT_TRUE(texts.contains(QStringLiteral("Le pivolo version 1.31"))) << nOpened;
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                [](const QString& text)
                                { return text.startsWith(QStringLiteral("Réalisé par :\n\t")); }));
        QTest::keyClick(pModal, Qt::Key_Escape);
    };
    for (int n = 0; n < 2; ++n)
    {
        WhenModalOpens(closeAbout);
        QTest::mouseClick(Control(IDC_ABOUT), Qt::LeftButton);
        WhenModalOpens(closeAbout);
        Access::SystemCommand(Dialog(), IDM_ABOUTBOX);
    }
    // The system's four low bits do not matter.
    WhenModalOpens(closeAbout);
    Access::SystemCommand(Dialog(), IDM_ABOUTBOX | 0xF);
    EXPECT_EQ(nOpened, 5);
    EXPECT_TRUE(DialogWidget(Dialog())->isVisible());
}

TEST_F(CommandsTest, EnterInAnyEditComputesAndKeepsTheDialogOpen)
{
    Type({{"2", "8", "75", "8", "100", "25"}, "387"});
    for (int nId : {IDC_TARGET, IDC_TILE1, IDC_TILE2, IDC_TILE3, IDC_TILE4, IDC_TILE5, IDC_TILE6})
    {
        Access::Tile(Dialog(), 0).SetWindowText("2");
        Dialog().GetDlgItem(IDC_SOLUTION)->ResetContent();
        Edit(nId)->setFocus();
        QTest::keyClick(Edit(nId), Qt::Key_Return);
        EXPECT_EQ(List(), kSolved387) << nId;
        EXPECT_TRUE(DialogWidget(Dialog())->isVisible());
    }
}

TEST_F(CommandsTest, RealMessageBoxIsModalToTheDialog)
{
    CQtPlatform qtPlatform;
    CPlatform* pPrevious = CPlatform::Install(&qtPlatform);
    Type({{"2", "8", "11", "8", "100", "25"}, "387"});
    bool bSeen = false;
    WhenModalOpens(
        [&](QWidget* pModal)
        {
            bSeen = true;
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            ASSERT_NE(pBox, nullptr);
            EXPECT_EQ(pBox->text(), QString::fromUtf8(szBadTile));
            EXPECT_EQ(pBox->windowTitle(), QCoreApplication::applicationName());
            EXPECT_EQ(pBox->icon(), QMessageBox::Warning);
            EXPECT_TRUE(pBox->isModal());
            EXPECT_EQ(pBox->parentWidget(), DialogWidget(Dialog()));
            ASSERT_EQ(pBox->buttons().size(), 1);
            EXPECT_EQ(pBox->buttons().front()->text(), QStringLiteral("OK"));
            pBox->buttons().front()->click();
        });
    QTest::mouseClick(Control(IDOK_COMPUTE), Qt::LeftButton);
    CPlatform::Install(pPrevious);
    EXPECT_TRUE(bSeen);
    EXPECT_TRUE(List().empty());
}

TEST(CommandsRunTest, EscapeAndCancelEndTheModalRun)
{
    CRecordingPlatform platform;
    CRecordingAudioOutput audio;
    for (bool bEscape : {true, false})
    {
        CMainDialog dialog;
        WhenModalOpens(
            [&](QWidget* pModal)
            {
                if (bEscape)
                    QTest::keyClick(pModal, Qt::Key_Escape);
                else
                    QTest::mouseClick(ControlWidget(dialog, IDCANCEL_BUTTON), Qt::LeftButton);
            });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << (bEscape ? "Escape" : "Annuler");
    }
}
