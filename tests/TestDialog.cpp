// The dialog layer over Qt widgets: templates, handler table, keys, system menu, controls,
// fonts, pictures and the windowed platform's message boxes and cursors.
#include "CBitmap.h"
#include "CDialog.h"
#include "CDialogImpl.h"
#include "CDialogTemplate.h"
#include "CEdit.h"
#include "CFont.h"
#include "CListBox.h"
#include "CListTabDelegate.h"
#include "CQtPeer.h"
#include "CQtPlatform.h"
#include "Resource.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// A dialog on the main template with handlers that only count.
class CProbeDialog : public CDialog
{
public:
    explicit CProbeDialog(unsigned nTemplate = IDD_PIVOLO_DIALOG) : CDialog(nTemplate) {}

    int m_nComputeClicks = 0;
    int m_nInitialisations = 0;
    std::vector<unsigned> m_systemCommands;
    CEdit m_editTarget;
    CListBox m_list;
    bool m_bHandleCompute = true;

protected:
    std::span<const CHandlerEntry> GetHandlerTable() const override
    {
        static const CHandlerEntry table[] = {
            CommandHandler(BN_CLICKED, IDOK_COMPUTE, &CProbeDialog::OnCompute),
            MessageHandler(WM_SYSCOMMAND, &CProbeDialog::OnSystemCommand),
        };
        if (!m_bHandleCompute)
            return std::span(table).subspan(1);
        return table;
    }
    void BindControls() override
    {
        BindControl(IDC_TARGET, m_editTarget);
        BindControl(IDC_SOLUTION, m_list);
    }
    bool InitialiseDialog() override
    {
        ++m_nInitialisations;
        return CDialog::InitialiseDialog();
    }

private:
    void OnCompute() { ++m_nComputeClicks; }
    void OnSystemCommand(unsigned nId, LPARAM lParam)
    {
        m_systemCommands.push_back(nId);
        CDialog::OnSystemCommand(nId, lParam);
    }
};

class DialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create());
        ASSERT_TRUE(WaitExposed(m_dialog));
    }

    QDialog* Window() const { return DialogWidget(m_dialog); }
    QLineEdit* Edit(int nId) const
    {
        return qobject_cast<QLineEdit*>(ControlWidget(m_dialog, nId));
    }
    bool Ended(int nResult) const
    {
        return !Window()->isVisible() && Window()->result() == nResult;
    }

    CProbeDialog m_dialog;
};

QMenu* OpenPopup()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}
} // namespace

TEST(DialogUnitsTest, ConvertEachEdgeAtOneAndAHalfAcrossAndOneAndFiveEighthsDown)
{
    struct Case
    {
        int x, y, cx, cy;
        CRect expected;
    };
    const Case cases[] = {
        {0, 0, 318, 185, {0, 0, 477, 301}},   // the main dialog's client area
        {129, 3, 59, 35, {194, 5, 282, 62}},  // halves round away from zero
        {32, 44, 35, 19, {48, 72, 101, 102}}, // 71.5 rounds up, 102.375 down
        {0, 0, 322, 186, {0, 0, 483, 302}},
    };
    for (const Case& c : cases)
    {
        const CRect rect = MapDialogRect(c.x, c.y, c.cx, c.cy);
        EXPECT_EQ(rect.left, c.expected.left);
        EXPECT_EQ(rect.top, c.expected.top);
        EXPECT_EQ(rect.right, c.expected.right);
        EXPECT_EQ(rect.bottom, c.expected.bottom);
    }
}

TEST_F(DialogTest, ControlsStandAtTheirTemplateRectanglesInTemplateOrder)
{
    const DLGTEMPLATE* pTemplate = FindDialogTemplate(IDD_PIVOLO_DIALOG);
    ASSERT_NE(pTemplate, nullptr);
    EXPECT_EQ(Window()->size(), QSize(477, 301));
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Le pivolo"));
    const auto& controls = m_dialog.GetImpl().controls;
    ASSERT_EQ(controls.size(), pTemplate->items.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
    {
        const DLGITEMTEMPLATE& item = pTemplate->items[i];
        const int nLeft = static_cast<int>(std::lround(item.x * 1.5));
        const int nTop = static_cast<int>(std::lround(item.y * 1.625));
        const QRect expected(QPoint(nLeft, nTop),
                             QPoint(static_cast<int>(std::lround((item.x + item.cx) * 1.5)) - 1,
                                    static_cast<int>(std::lround((item.y + item.cy) * 1.625)) - 1));
        EXPECT_EQ(controls[i]->geometry(), expected) << "control " << item.nId;
        if (item.nId != IDC_STATIC)
        {
            EXPECT_EQ(ControlId(m_dialog, controls[i]), item.nId);
        }
    }
}

TEST_F(DialogTest, ControlsShowTheirCaptionsAndStyles)
{
    const auto* pCompute = qobject_cast<QPushButton*>(ControlWidget(m_dialog, IDOK_COMPUTE));
    ASSERT_NE(pCompute, nullptr);
    EXPECT_EQ(pCompute->text(), QStringLiteral("&Calculer"));
    EXPECT_TRUE(pCompute->isDefault());
    const auto* pDraw = qobject_cast<QPushButton*>(ControlWidget(m_dialog, IDC_RANDOM_DRAW));
    EXPECT_EQ(pDraw->text(), QStringLiteral("&Tirage aléatoire"));
    EXPECT_FALSE(pDraw->isDefault());
    const auto* pTime = qobject_cast<QLabel*>(ControlWidget(m_dialog, IDC_TIME));
    ASSERT_NE(pTime, nullptr);
    EXPECT_EQ(pTime->text(), QStringLiteral("Temps écoulé :"));
    EXPECT_TRUE(pTime->alignment() & Qt::AlignLeft);
    // Readable over the dark picture: the text stands on the dialog's grey.
    EXPECT_TRUE(pTime->autoFillBackground());
    EXPECT_EQ(pTime->focusPolicy(), Qt::NoFocus);
    for (int nId : {IDC_TARGET, IDC_TILE1, IDC_TILE6})
    {
        EXPECT_EQ(Edit(nId)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        EXPECT_TRUE(Edit(nId)->hasFrame());
    }
    const auto* pList = qobject_cast<QListWidget*>(ControlWidget(m_dialog, IDC_SOLUTION));
    ASSERT_NE(pList, nullptr);
    EXPECT_FALSE(pList->isSortingEnabled());
    EXPECT_NE(pList->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(DialogTest, SoundButtonCaptionIsWrappedToItsWidth)
{
    const auto* pButton = qobject_cast<QPushButton*>(ControlWidget(m_dialog, IDC_SOUND_TOGGLE));
    ASSERT_NE(pButton, nullptr);
    const QStringList lines = pButton->text().split(QLatin1Char('\n'));
    EXPECT_GT(lines.size(), 2);
    EXPECT_EQ(lines.join(QLatin1Char(' ')),
              QStringLiteral("Je n'ai jamais joué au \"pivolo\" et j'ai peur"));
    for (const QString& line : lines)
        EXPECT_LE(pButton->fontMetrics().horizontalAdvance(line), pButton->width())
            << line.toStdString();
    // The caption reads back as it was set.
    EXPECT_EQ(m_dialog.GetDlgItem(IDC_SOUND_TOGGLE)->GetText(),
              "Je n'ai jamais joué au \"pivolo\" et j'ai peur");
}

TEST_F(DialogTest, BackgroundPictureCoversTheClientAreaBehindTheControls)
{
    QLabel* pPicture = qobject_cast<QLabel*>(m_dialog.GetImpl().controls.front());
    ASSERT_NE(pPicture, nullptr);
    EXPECT_TRUE(pPicture->geometry().contains(Window()->rect()));
    const QPixmap pixmap = pPicture->pixmap();
    EXPECT_EQ(pixmap.size(), QSize(483, 303));
    EXPECT_EQ(pPicture->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_EQ(pPicture->focusPolicy(), Qt::NoFocus);
    // First created, so every other control lies over it.
    EXPECT_EQ(Window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).indexOf(pPicture), 0);
}

TEST_F(DialogTest, PictureShowsTheBitmapsBottomRowLastAsStoredBottomUp)
{
    const QImage image =
        qobject_cast<QLabel*>(m_dialog.GetImpl().controls.front())->pixmap().toImage();
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_BACKGROUND));
    const std::uint8_t* pPixels = bitmap.Pixels24();
    ASSERT_NE(pPixels, nullptr);
    const std::size_t nStride = CBitmap::Stride(483, 24);
    // The first stored row is the bottom one; its bytes are blue, green, red.
    for (int x : {0, 100, 482})
    {
        const std::uint8_t* pBottom = pPixels + static_cast<std::size_t>(x) * 3;
        EXPECT_EQ(image.pixelColor(x, 302), QColor(pBottom[2], pBottom[1], pBottom[0]));
        const std::uint8_t* pTop = pPixels + 302 * nStride + static_cast<std::size_t>(x) * 3;
        EXPECT_EQ(image.pixelColor(x, 0), QColor(pTop[2], pTop[1], pTop[0]));
    }
}

TEST_F(DialogTest, TrueFromInitialisationFocusesTheFirstTabStop)
{
    EXPECT_EQ(m_dialog.m_nInitialisations, 1);
    EXPECT_EQ(QApplication::focusWidget(), ControlWidget(m_dialog, IDC_TARGET));
}

TEST_F(DialogTest, TabVisitsTheTabStopsInTemplateOrderAndComesBack)
{
    const std::vector<int> expected = {
        IDC_TILE1,       IDC_TILE2,      IDC_TILE3,        IDC_TILE4,       IDC_TILE5,
        IDC_TILE6,       IDC_SOLUTION,   IDC_SOUND_TOGGLE, IDC_RANDOM_DRAW, IDOK_COMPUTE,
        IDCANCEL_BUTTON, IDC_SHOW_TILES, IDC_ABOUT,        IDC_TARGET};
    std::vector<int> visited;
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(ControlId(m_dialog, QApplication::focusWidget()));
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(DialogTest, EnterRunsTheDefaultButtonsHandlerAndKeepsTheDialogOpen)
{
    QTest::keyClick(Edit(IDC_TILE3), Qt::Key_Return);
    QTest::keyClick(ControlWidget(m_dialog, IDC_SOLUTION), Qt::Key_Enter);
    EXPECT_EQ(m_dialog.m_nComputeClicks, 2);
    EXPECT_TRUE(Window()->isVisible());
}

TEST_F(DialogTest, EnterOnAnotherFocusedButtonClicksThatButton)
{
    QWidget* pCancel = ControlWidget(m_dialog, IDCANCEL_BUTTON);
    pCancel->setFocus();
    QTest::keyClick(pCancel, Qt::Key_Return);
    EXPECT_EQ(m_dialog.m_nComputeClicks, 0);
    EXPECT_TRUE(Ended(IDCANCEL));
}

TEST_F(DialogTest, DefaultButtonWithoutHandlerEndsTheDialogWithOk)
{
    m_dialog.m_bHandleCompute = false;
    QTest::keyClick(Edit(IDC_TARGET), Qt::Key_Return);
    EXPECT_TRUE(Ended(IDOK));
}

TEST_F(DialogTest, EscapeEndsTheDialogWithCancel)
{
    QTest::keyClick(Edit(IDC_TARGET), Qt::Key_Escape);
    EXPECT_TRUE(Ended(IDCANCEL));
}

TEST_F(DialogTest, CancelButtonEndsTheDialogWithCancel)
{
    QTest::mouseClick(ControlWidget(m_dialog, IDCANCEL_BUTTON), Qt::LeftButton);
    EXPECT_TRUE(Ended(IDCANCEL));
}

TEST_F(DialogTest, CloseBoxIsTheSystemMenusCloseAndEndsWithCancel)
{
    Window()->close();
    EXPECT_EQ(m_dialog.m_systemCommands, std::vector<unsigned>{SC_CLOSE});
    EXPECT_TRUE(Ended(IDCANCEL));
}

TEST_F(DialogTest, AltF4ClosesLikeTheCloseBox)
{
    QTest::keyClick(Edit(IDC_TARGET), Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(m_dialog.m_systemCommands, std::vector<unsigned>{SC_CLOSE});
    EXPECT_TRUE(Ended(IDCANCEL));
}

TEST_F(DialogTest, MnemonicClicksItsButton)
{
    QTest::keyClick(Edit(IDC_TARGET), Qt::Key_C, Qt::AltModifier);
    // The button shows itself pressed for a moment before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_dialog.m_nComputeClicks == 1; }));
}

TEST_F(DialogTest, SystemMenuPopsUpWithAltSpaceAndSendsTheChosenEntry)
{
    CMenu* pMenu = m_dialog.GetSystemMenu(false);
    ASSERT_NE(pMenu, nullptr);
    pMenu->AppendMenu(MF_SEPARATOR);
    pMenu->AppendMenu(MF_STRING, 16, "&Entrée ajoutée");

    QTest::keyClick(Edit(IDC_TILE2), Qt::Key_Space, Qt::AltModifier);
    QMenu* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    const QList<QAction*> actions = pPopup->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("&Déplacer"));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("&Fermer\tAlt+F4"));
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3]->text(), QStringLiteral("&Entrée ajoutée"));
    // Up from nothing chosen goes to the last entry.
    QTest::keyClick(pPopup, Qt::Key_Up);
    QTest::keyClick(pPopup, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_dialog.m_systemCommands.empty(); }));
    EXPECT_EQ(m_dialog.m_systemCommands, std::vector<unsigned>{16});
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
}

TEST_F(DialogTest, RightClickOnTheBackgroundPopsUpTheSystemMenuWhoseCloseEnds)
{
    // Through the picture, which lets the clicks pass to the window.
    QTest::mouseClick(Window()->windowHandle(), Qt::RightButton, {}, QPoint(5, 290));
    QMenu* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    pPopup->actions().at(1)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_dialog.m_systemCommands.empty(); }));
    EXPECT_EQ(m_dialog.m_systemCommands.back(), SC_CLOSE);
    EXPECT_TRUE(Ended(IDCANCEL));
}

TEST_F(DialogTest, SystemMenuCanBeRevertedToItsStandardEntries)
{
    m_dialog.GetSystemMenu(false)->AppendMenu(MF_STRING, 16, "x");
    CMenu* pMenu = m_dialog.GetSystemMenu(true);
    ASSERT_EQ(pMenu->GetMenuItemCount(), 2);
    EXPECT_EQ(pMenu->GetMenuItemID(0), static_cast<int>(SC_MOVE));
    EXPECT_EQ(pMenu->GetMenuItemID(1), static_cast<int>(SC_CLOSE));
}

TEST_F(DialogTest, DigitEditsRefuseTypedAndPastedNonDigitsAndKeepTheirLimit)
{
    QLineEdit* pEdit = Edit(IDC_TILE4);
    m_dialog.m_editTarget.LimitText(3);
    pEdit->setMaxLength(3);
    QTest::keyClicks(pEdit, "1a-2 .");
    EXPECT_EQ(pEdit->text(), QStringLiteral("12"));
    QTest::keyClicks(pEdit, "34");
    EXPECT_EQ(pEdit->text(), QStringLiteral("123"));

    QLineEdit* pTile = Edit(IDC_TILE5);
    QApplication::clipboard()->setText(QStringLiteral("4x5"));
    pTile->paste();
    EXPECT_EQ(pTile->text(), QString());
    QApplication::clipboard()->setText(QStringLiteral("45"));
    pTile->paste();
    EXPECT_EQ(pTile->text(), QStringLiteral("45"));

    QLineEdit* pTarget = Edit(IDC_TARGET);
    QApplication::clipboard()->setText(QStringLiteral("9876"));
    pTarget->paste();
    EXPECT_LE(pTarget->text().size(), 3);
    EXPECT_EQ(m_dialog.m_editTarget.GetWindowText().size(), pTarget->text().size());
}

TEST_F(DialogTest, FontDescriptionOfAControlIsTheTemplateFontInPixels)
{
    const LOGFONT logFont = m_dialog.m_editTarget.GetFontDescription();
    EXPECT_EQ(logFont.lfHeight, -11);
    EXPECT_EQ(logFont.lfWeight, 400);
    EXPECT_FALSE(logFont.lfItalic);
    EXPECT_FALSE(logFont.lfFaceName.empty());
}

TEST_F(DialogTest, FontFromAChangedDescriptionIsSetAndCanBeTakenBack)
{
    LOGFONT logFont = m_dialog.m_editTarget.GetFontDescription();
    logFont.lfWeight = 800;
    logFont.lfHeight = -21;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&logFont));
    m_dialog.m_editTarget.SetFont(&font);
    const QFont shown = Edit(IDC_TARGET)->font();
    EXPECT_EQ(shown.pixelSize(), 21);
    EXPECT_EQ(shown.weight(), 800);
    EXPECT_EQ(m_dialog.m_editTarget.GetFontDescription().lfHeight, -21);
    m_dialog.m_editTarget.SetFont(nullptr);
    EXPECT_EQ(m_dialog.m_editTarget.GetFontDescription().lfHeight, -11);
}

TEST_F(DialogTest, ListKeepsEntriesInOrderAndExpandsTabsToEvery32Units)
{
    m_dialog.m_list.AddString("9\t= 3 x 3");
    m_dialog.m_list.AddString("1\t= 2 - 1");
    EXPECT_EQ(m_dialog.m_list.GetCount(), 2);
    EXPECT_EQ(m_dialog.m_list.GetText(0), "9\t= 3 x 3");
    auto* pList = qobject_cast<QListWidget*>(ControlWidget(m_dialog, IDC_SOLUTION));
    const auto* pDelegate = dynamic_cast<CListTabDelegate*>(pList->itemDelegate());
    ASSERT_NE(pDelegate, nullptr);
    EXPECT_EQ(pDelegate->TabStopPixels(), 48);

    // The text after a tab starts one tab stop after the text before it.
    m_dialog.m_list.ResetContent();
    m_dialog.m_list.AddString("=");
    m_dialog.m_list.AddString("\t=");
    pList->doItemsLayout();
    const QImage image = pList->viewport()->grab().toImage();
    auto firstInk = [&](int nRow)
    {
        const QRect rect = pList->visualItemRect(pList->item(nRow));
        for (int x = 0; x < image.width(); ++x)
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                if (qGray(image.pixel(x, y)) < 128)
                    return x;
        return -1;
    };
    const int nPlain = firstInk(0);
    ASSERT_GE(nPlain, 0);
    EXPECT_EQ(firstInk(1) - nPlain, 48);
}

TEST_F(DialogTest, IconsAreSetLargeAndSmall)
{
    const HICON hIcon = CIcon::Load(IDR_MAINFRAME);
    ASSERT_NE(hIcon, nullptr);
    EXPECT_EQ(hIcon->ImageCount(), 2);
    m_dialog.SetIcon(hIcon, true);
    m_dialog.SetIcon(hIcon, false);
    EXPECT_EQ(m_dialog.GetIcon(true), hIcon);
    EXPECT_EQ(m_dialog.GetIcon(false), hIcon);
    EXPECT_FALSE(Window()->windowIcon().isNull());
    // Without a handler of its own, the drag image is the large icon.
    EXPECT_EQ(reinterpret_cast<HICON>(m_dialog.SendMessage(WM_QUERYDRAGICON)), hIcon);
}

TEST(DialogRunTest, DoModalRunsUntilCancelledAndDestroysTheWindow)
{
    CProbeDialog dialog;
    WhenModalOpens(
        [](QWidget* pModal)
        {
            QTest::keyClick(pModal->focusWidget(), Qt::Key_Return);
            QTest::keyClick(pModal->focusWidget(), Qt::Key_Escape);
        });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_nComputeClicks, 1);
    EXPECT_EQ(dialog.m_nInitialisations, 1);
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_FALSE(dialog.m_editTarget.IsBound());
}

TEST(DialogRunTest, AboutTemplateRunsAndItsOkEndsWithOk)
{
    CDialog dialog(IDD_ABOUTBOX);
    WhenModalOpens(
        [](QWidget* pModal)
        {
            EXPECT_EQ(pModal->windowTitle(), QStringLiteral("A propos du pivolo"));
            EXPECT_EQ(pModal->size(), QSize(356, 169));
            QTest::keyClick(pModal, Qt::Key_Return);
        });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(DialogRunTest, UnknownTemplateCannotRun)
{
    CDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(QtPlatformTest, YesNoBoxAsksWithWarningIconTitleAndFrenchButtons)
{
    CQtPlatform platform;
    for (const auto& [answer, expected] : {std::pair{"&Oui", IDYES}, std::pair{"&Non", IDNO}})
    {
        WhenModalOpens(
            [answer = QString::fromUtf8(answer)](QWidget* pModal)
            {
                auto* pBox = qobject_cast<QMessageBox*>(pModal);
                ASSERT_NE(pBox, nullptr);
                EXPECT_EQ(pBox->windowTitle(), QCoreApplication::applicationName());
                EXPECT_EQ(pBox->icon(), QMessageBox::Warning);
                EXPECT_EQ(pBox->text(), QStringLiteral("Une question ?\nVraiment ?"));
                const QList<QAbstractButton*> buttons = pBox->buttons();
                ASSERT_EQ(buttons.size(), 2);
                EXPECT_EQ(pBox->defaultButton()->text(), QStringLiteral("&Oui"));
                for (QAbstractButton* pButton : buttons)
                    if (pButton->text() == answer)
                        pButton->click();
            });
        EXPECT_EQ(platform.MessageBox("Une question ?\nVraiment ?", MB_YESNO), expected);
    }
}

TEST(QtPlatformTest, OkBoxHasOneOkButton)
{
    CQtPlatform platform;
    WhenModalOpens(
        [](QWidget* pModal)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            ASSERT_NE(pBox, nullptr);
            ASSERT_EQ(pBox->buttons().size(), 1);
            EXPECT_EQ(pBox->buttons().front()->text(), QStringLiteral("OK"));
            QTest::keyClick(pBox, Qt::Key_Escape);
        });
    EXPECT_EQ(platform.MessageBox("Valeur à trouver incorrecte", MB_OK), IDOK);
}

TEST(QtPlatformTest, WaitCursorStaysUntilTheArrowComesBack)
{
    CQtPlatform platform;
    platform.SetCursor(ECursor::Wait);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.SetCursor(ECursor::Wait);
    platform.SetCursor(ECursor::Arrow);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
