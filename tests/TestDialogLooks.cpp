// What the dialogs look like: the edges that the templates' extended styles draw, static
// texts shown whole, the About box's icon and the list box's focus mark. The suite also runs
// at the scale factors of high-density screens (QT_SCALE_FACTOR 1.5 and 2).
#include "CDialog.h"
#include "CDialogImpl.h"
#include "CDialogTemplate.h"
#include "Resource.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
using Colours = std::vector<QColor>;

enum class ESide
{
    Left,
    Top,
    Right,
    Bottom,
};

// The first pixels from one side of the image inwards, across the middle of that side.
Colours Inwards(const QImage& image, ESide side, int nCount)
{
    Colours colours;
    for (int i = 0; i < nCount; ++i)
    {
        const int x = side == ESide::Left    ? i
                      : side == ESide::Right ? image.width() - 1 - i
                                             : image.width() / 2;
        const int y = side == ESide::Top      ? i
                      : side == ESide::Bottom ? image.height() - 1 - i
                                              : image.height() / 2;
        colours.push_back(image.pixelColor(x, y));
    }
    return colours;
}

std::string Describe(const Colours& colours)
{
    std::string text;
    for (const QColor& colour : colours)
        text += colour.name().toStdString() + " ";
    return text;
}

class LooksTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create());
        ASSERT_TRUE(WaitExposed(m_main));
        const QPalette palette = DialogWidget(m_main)->palette();
        m_dark = palette.color(QPalette::Dark);
        m_light = palette.color(QPalette::Light);
        m_shadow = palette.color(QPalette::Shadow);
        m_face = palette.color(QPalette::Button);
        m_base = palette.color(QPalette::Base);
    }

    QWidget& Control(int nId) const { return *ControlWidget(m_main, nId); }

    // Expects the colours met from each side inwards: the top and left ones, then the bottom
    // and right ones.
    void ExpectEdges(int nId, const Colours& topLeft, const Colours& bottomRight) const
    {
        const QImage image = Control(nId).grab().toImage();
        const int nCount = static_cast<int>(topLeft.size());
        for (ESide side : {ESide::Left, ESide::Top})
            EXPECT_EQ(Inwards(image, side, nCount), topLeft)
                << nId << ": " << Describe(Inwards(image, side, nCount));
        for (ESide side : {ESide::Right, ESide::Bottom})
            EXPECT_EQ(Inwards(image, side, nCount), bottomRight)
                << nId << ": " << Describe(Inwards(image, side, nCount));
    }

    // How far from the left the control's border goes at mid-height, in the screen's pixels.
    int BorderWidth(int nId) const
    {
        const QImage image = Control(nId).grab().toImage();
        int x = 0;
        while (x < image.width() && image.pixelColor(x, image.height() / 2) != m_base)
            ++x;
        return x;
    }

    CDialog m_main{IDD_PIVOLO_DIALOG};
    QColor m_dark, m_light, m_shadow, m_face, m_base;
};

// Edges are whole pixels at one pixel per unit; scaled, they are blended.
class EdgesTest : public LooksTest
{
protected:
    void SetUp() override
    {
        if (qApp->devicePixelRatio() != 1)
            GTEST_SKIP() << "edges are read pixel by pixel at a scale of 1";
        LooksTest::SetUp();
    }
};

// The static texts of a dialog, with their text.
std::vector<QLabel*> StaticTexts(const CDialog& dialog)
{
    std::vector<QLabel*> labels;
    for (QWidget* pControl : dialog.GetImpl().controls)
    {
        auto* pLabel = qobject_cast<QLabel*>(pControl);
        if (pLabel && !pLabel->text().isEmpty())
            labels.push_back(pLabel);
    }
    return labels;
}

// Whether the label's text, drawn in a label as tall as it needs, reaches below the inner
// bottom edge of the label as it stands: ink there is ink that the label cuts off.
bool InkBelowInnerBottom(QLabel& label)
{
    const QSize size = label.size();
    const QColor background = label.palette().color(label.backgroundRole());
    label.resize(size.width(), size.height() * 3);
    const QImage tall = label.grab().toImage();
    label.resize(size);
    const qreal dpr = tall.devicePixelRatio();
    const int nEdge = static_cast<int>(std::ceil(label.frameWidth() * dpr));
    const int nFirstRow = static_cast<int>(std::floor((size.height() - label.frameWidth()) * dpr));
    for (int y = nFirstRow; y < tall.height() - nEdge; ++y)
    {
        for (int x = nEdge; x < tall.width() - nEdge; ++x)
        {
            if (tall.pixelColor(x, y) != background)
                return true;
        }
    }
    return false;
}

void ExpectStaticTextsWhole(const CDialog& dialog)
{
    const DLGTEMPLATE* pTemplate = FindDialogTemplate(dialog.GetImpl().nTemplateId);
    const std::vector<QLabel*> labels = StaticTexts(dialog);
    ASSERT_FALSE(labels.empty());
    for (QLabel* pLabel : labels)
    {
        SCOPED_TRACE(pLabel->text().toStdString());
        // The control stays on its template rectangle.
        const auto& controls = dialog.GetImpl().controls;
        const std::size_t nIndex = static_cast<std::size_t>(
            std::find(controls.begin(), controls.end(), pLabel) - controls.begin());
        const DLGITEMTEMPLATE& item = pTemplate->items[nIndex];
        const CRect rect = MapDialogRect(item.x, item.y, item.cx, item.cy);
        EXPECT_EQ(pLabel->geometry(), QRect(rect.left, rect.top, rect.Width(), rect.Height()));
        // The font's lines fit inside the edges.
        const QRect room = pLabel->contentsRect();
        const QRect needed = pLabel->fontMetrics().boundingRect(
            room, static_cast<int>(pLabel->alignment()) | Qt::TextWordWrap | Qt::TextExpandTabs,
            pLabel->text());
        EXPECT_LE(needed.height(), room.height());
        EXPECT_LE(needed.width(), room.width());
        EXPECT_FALSE(InkBelowInnerBottom(*pLabel)) << "descenders cut off";
    }
}
} // namespace

TEST_F(EdgesTest, TargetAndListHaveAStaticEdgeAroundTheSunkenBorderOfTheTiles)
{
    // A tile edit: the sunken border, a shadow line over a black one above and to the
    // left, a light one over the face colour below and to the right.
    for (int nId : {IDC_TILE1, IDC_TILE6})
        ExpectEdges(nId, {m_dark, m_shadow, m_base}, {m_light, m_face, m_base});
    // The target and the list have one more sunken line outside that border.
    for (int nId : {IDC_TARGET, IDC_SOLUTION})
        ExpectEdges(nId, {m_dark, m_dark, m_shadow, m_base}, {m_light, m_light, m_face, m_base});
}

TEST_F(LooksTest, TargetAndListBordersAreWiderThanTheTilesAtEveryScale)
{
    for (int nId : {IDC_TARGET, IDC_SOLUTION})
        EXPECT_GT(BorderWidth(nId), BorderWidth(IDC_TILE1)) << nId;
}

TEST_F(EdgesTest, ShowTilesButtonStandsInASunkenClientEdge)
{
    // A button keeps a line of the face colour around its raised edge, for the default
    // button's frame.
    ExpectEdges(IDC_ABOUT, {m_face, m_light}, {m_face, m_shadow});
    // The sunken border of an edit, then the button inside it.
    ExpectEdges(IDC_SHOW_TILES, {m_dark, m_shadow, m_face, m_light},
                {m_light, m_face, m_face, m_shadow});
}

TEST_F(EdgesTest, TimeTextHasAStaticEdge)
{
    ExpectEdges(IDC_TIME, {m_dark, m_face}, {m_light, m_face});
}

TEST_F(LooksTest, EveryStaticTextOfTheMainDialogShowsWhole)
{
    QLabel* pTime = qobject_cast<QLabel*>(&Control(IDC_TIME));
    ASSERT_NE(pTime, nullptr);
    // The longest text it shows.
    pTime->setText(QStringLiteral("Temps écoulé : 999 sec"));
    ExpectStaticTextsWhole(m_main);
}

TEST(AboutBoxLooksTest, EveryStaticTextShowsWhole)
{
    CDialog about(IDD_ABOUTBOX);
    ASSERT_TRUE(about.Create());
    EXPECT_EQ(StaticTexts(about).size(), 3u);
    ExpectStaticTextsWhole(about);
}

TEST(AboutBoxLooksTest, IconIsWholeAtItsOwnSizeFromTheControlsTopLeft)
{
    CDialog about(IDD_ABOUTBOX);
    ASSERT_TRUE(about.Create());
    auto* pIcon = qobject_cast<QLabel*>(about.GetImpl().controls.front());
    ASSERT_NE(pIcon, nullptr);
    // 11, 17 dialog units; the template's 20 x 20 units would be 30 x 32 pixels.
    EXPECT_EQ(pIcon->geometry(), QRect(17, 28, 32, 32));
    const QPixmap pixmap = pIcon->pixmap();
    EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(32, 32));
    EXPECT_TRUE(pIcon->contentsRect().contains(QRect(QPoint(), QSize(32, 32))));
}

TEST_F(LooksTest, ListShowsAFocusMarkWhenFocusedEmptyOrNot)
{
    auto* pList = qobject_cast<QListWidget*>(&Control(IDC_SOLUTION));
    ASSERT_NE(pList, nullptr);
    const auto viewport = [pList]
    {
        QApplication::processEvents();
        return pList->viewport()->grab().toImage();
    };
    const auto countNot = [](const QImage& image, const QColor& colour)
    {
        int nCount = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                nCount += image.pixelColor(x, y) != colour;
        return nCount;
    };
    EXPECT_EQ(countNot(viewport(), m_base), 0) << "an empty list without the focus is blank";
    pList->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([pList] { return pList->hasFocus(); }));
    EXPECT_GT(countNot(viewport(), m_base), 0) << "no focus mark in the empty list";

    for (const char* pszLine : {"Solution : 387", "387\t= 312 + 75"})
        pList->addItem(QString::fromUtf8(pszLine));
    const QImage focused = viewport();
    Control(IDC_TARGET).setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([pList] { return !pList->hasFocus(); }));
    EXPECT_NE(focused, viewport()) << "no focus mark on the list's entries";
}
