// The style Qt resolves for every control of both dialogs: upright, and bold where bold is
// asked for, whichever faces the system has. The suite also runs under a fontconfig file
// with only the URW fonts, whose sans-serif face has no narrow form of its upright styles.
#include "CAboutDialog.h"
#include "CDialogImpl.h"
#include "CMainDialog.h"
#include "CRecordingAudioOutput.h"
#include "CRecordingPlatform.h"
#include "Resource.h"
#include "WidgetTestSupport.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
// A weight of 600 or more is drawn bold.
bool IsBold(int nWeight)
{
    return nWeight >= QFont::DemiBold;
}

// The face's own style, from the font database: QFontInfo answers with the slant asked for.
struct FaceStyle
{
    QString name;
    bool bSlanted;
    int nWeight;
};

FaceStyle StyleFound(const QFont& font)
{
    const QFontInfo info(font);
    const QString style = info.styleName();
    return {info.family() + QLatin1Char(' ') + style,
            QFontDatabase::italic(info.family(), style) ||
                style.contains(QLatin1String("Italic"), Qt::CaseInsensitive) ||
                style.contains(QLatin1String("Oblique"), Qt::CaseInsensitive),
            QFontDatabase::weight(info.family(), style)};
}

void ExpectUprightAsAsked(const CDialog& dialog, int nExpectedBold)
{
    const auto& controls = dialog.GetImpl().controls;
    ASSERT_FALSE(controls.empty());
    int nBold = 0;
    std::vector<const QWidget*> widgets(controls.begin(), controls.end());
    widgets.push_back(DialogWidget(dialog));
    for (const QWidget* pWidget : widgets)
    {
        const QFont& font = pWidget->font();
        const FaceStyle found = StyleFound(font);
        SCOPED_TRACE(std::to_string(ControlId(dialog, pWidget)) + " in " +
                     found.name.toStdString());
        EXPECT_FALSE(font.italic());
        EXPECT_FALSE(found.bSlanted);
        EXPECT_GT(found.nWeight, 0) << "a face of the database";
        EXPECT_EQ(IsBold(found.nWeight), IsBold(font.weight())) << found.nWeight;
        nBold += IsBold(font.weight()) ? 1 : 0;
    }
    EXPECT_EQ(nBold, nExpectedBold);
}
} // namespace

TEST(DialogFontsTest, TheConfigurationAskedForIsTheOneInUse)
{
    // Under the URW file, none of the faces the templates' face is replaced with exists.
    const char* pszConfig = std::getenv("FONTCONFIG_FILE");
    if (!pszConfig || std::string(pszConfig).find("urw-only") == std::string::npos)
        GTEST_SKIP() << "the system's own fonts";
    for (const char* pszFace : {"DejaVu Sans", "Liberation Sans", "Arimo", "Arial"})
        EXPECT_FALSE(QFontDatabase::hasFamily(QString::fromLatin1(pszFace))) << pszFace;
    EXPECT_TRUE(QFontDatabase::hasFamily(QStringLiteral("Nimbus Sans")));
}

TEST(DialogFontsTest, MainDialogIsUprightAndItsEditsBold)
{
    CRecordingPlatform platform;
    CRecordingAudioOutput audio;
    CMainDialog dialog;
    ASSERT_TRUE(dialog.Create());
    // The six tiles and the target.
    ExpectUprightAsAsked(dialog, 7);
}

TEST(DialogFontsTest, AboutBoxIsUpright)
{
    CAboutDialog about;
    ASSERT_TRUE(about.Create());
    ExpectUprightAsAsked(about, 0);
}
