// What a screen reader announces for each control of the main dialog, and the keys that
// reach its buttons, as the toolkit's accessibility layer reports them.
#include "CMainDialog.h"
#include "CRecordingAudioOutput.h"
#include "CRecordingPlatform.h"
#include "Resource.h"
#include "WidgetTestSupport.h"

#include <QAccessible>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace
{
class AccessibleNamesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pDialog = std::make_unique<CMainDialog>();
        ASSERT_TRUE(m_pDialog->Create());
        ASSERT_TRUE(WaitExposed(*m_pDialog));
    }

    QAccessibleInterface* Accessible(int nId) const
    {
        return QAccessible::queryAccessibleInterface(ControlWidget(*m_pDialog, nId));
    }
    QString Name(int nId) const
    {
        QAccessibleInterface* pInterface = Accessible(nId);
        return pInterface ? pInterface->text(QAccessible::Name) : QStringLiteral("<none>");
    }

    CRecordingPlatform m_platform;
    // Declared before the dialog, whose destructor still cuts off what it plays.
    CRecordingAudioOutput m_audio;
    std::unique_ptr<CMainDialog> m_pDialog;
};

struct Named
{
    int nId;
    QAccessible::Role role;
    const char* name;
};
} // namespace

TEST_F(AccessibleNamesTest, EditsAndTheListAreNamedInFrench)
{
    const Named controls[] = {
        {IDC_TILE1, QAccessible::EditableText, "Plaque 1"},
        {IDC_TILE2, QAccessible::EditableText, "Plaque 2"},
        {IDC_TILE3, QAccessible::EditableText, "Plaque 3"},
        {IDC_TILE4, QAccessible::EditableText, "Plaque 4"},
        {IDC_TILE5, QAccessible::EditableText, "Plaque 5"},
        {IDC_TILE6, QAccessible::EditableText, "Plaque 6"},
        {IDC_TARGET, QAccessible::EditableText, "Valeur à trouver"},
        {IDC_SOLUTION, QAccessible::List, "Solution"},
    };
    for (const Named& control : controls)
    {
        QAccessibleInterface* pInterface = Accessible(control.nId);
        ASSERT_NE(pInterface, nullptr) << control.nId;
        EXPECT_EQ(pInterface->role(), control.role) << control.nId;
        EXPECT_EQ(pInterface->text(QAccessible::Name), QString::fromUtf8(control.name))
            << control.nId;
    }
}

TEST_F(AccessibleNamesTest, ButtonsAreNamedByTheirWholeCaptionsWithoutTheMnemonicMark)
{
    const Named buttons[] = {
        {IDC_SOUND_TOGGLE, QAccessible::Button, "Je n'ai jamais joué au \"pivolo\" et j'ai peur"},
        {IDC_RANDOM_DRAW, QAccessible::Button, "Tirage aléatoire"},
        {IDOK_COMPUTE, QAccessible::Button, "Calculer"},
        {IDCANCEL_BUTTON, QAccessible::Button, "Annuler"},
        {IDC_SHOW_TILES, QAccessible::Button, "Voir les plaques"},
        {IDC_ABOUT, QAccessible::Button, "A propos..."},
    };
    for (const Named& button : buttons)
    {
        QAccessibleInterface* pInterface = Accessible(button.nId);
        ASSERT_NE(pInterface, nullptr) << button.nId;
        EXPECT_EQ(pInterface->role(), button.role) << button.nId;
        EXPECT_EQ(pInterface->text(QAccessible::Name), QString::fromUtf8(button.name))
            << button.nId;
    }
}

TEST_F(AccessibleNamesTest, TimeTextIsNamedByWhatItShows)
{
    EXPECT_EQ(Accessible(IDC_TIME)->role(), QAccessible::StaticText);
    EXPECT_EQ(Name(IDC_TIME), QStringLiteral("Temps écoulé :"));
    m_pDialog->GetDlgItem(IDC_TIME)->SetText("Temps écoulé :   0 sec");
    EXPECT_EQ(Name(IDC_TIME), QStringLiteral("Temps écoulé :   0 sec"));
}

TEST_F(AccessibleNamesTest, SolutionEntriesAreReadAsTheirText)
{
    CWndPeer* pList = m_pDialog->GetDlgItem(IDC_SOLUTION);
    pList->AddString("387\t= 312 + 75");
    pList->AddString("Solution : 387");
    QAccessibleInterface* pInterface = Accessible(IDC_SOLUTION);
    ASSERT_EQ(pInterface->childCount(), 2);
    EXPECT_EQ(pInterface->child(0)->text(QAccessible::Name), QStringLiteral("387\t= 312 + 75"));
    EXPECT_EQ(pInterface->child(1)->text(QAccessible::Name), QStringLiteral("Solution : 387"));
}

TEST_F(AccessibleNamesTest, EachMarkedLetterWithAltReachesItsButton)
{
    const std::pair<int, QKeySequence> mnemonics[] = {
        {IDC_RANDOM_DRAW, QKeySequence(Qt::ALT | Qt::Key_T)},
        {IDOK_COMPUTE, QKeySequence(Qt::ALT | Qt::Key_C)},
        {IDC_SHOW_TILES, QKeySequence(Qt::ALT | Qt::Key_V)},
        {IDC_ABOUT, QKeySequence(Qt::ALT | Qt::Key_P)},
        {IDCANCEL_BUTTON, QKeySequence()},
        {IDC_SOUND_TOGGLE, QKeySequence()},
    };
    for (const auto& [nId, keys] : mnemonics)
        EXPECT_EQ(qobject_cast<QPushButton*>(ControlWidget(*m_pDialog, nId))->shortcut(), keys)
            << nId;
}
