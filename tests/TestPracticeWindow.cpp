// The practice window's widgets on Qt's offscreen platform: the answer's Enter key, the
// clock, and a round's start and end with the questions that keep a typed answer.
#include "CAnswerEdit.h"
#include "CPracticeWindow.h"
#include "CRecordingAudioOutput.h"
#include "CRoundClock.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace
{
using namespace std::chrono_literals;

constexpr int WAIT_MS = 10000;

// Clicks the button of that text in the next message box to open, from the event loop.
void AnswerNextBox(const QString& button, QString* pText = nullptr)
{
    auto* pTimer = new QTimer;
    pTimer->setInterval(10);
    QObject::connect(pTimer, &QTimer::timeout,
                     [pTimer, button, pText]
                     {
                         auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                         if (!pBox)
                             return;
                         pTimer->stop();
                         pTimer->deleteLater();
                         if (pText)
                             *pText = pBox->text();
                         for (QAbstractButton* pButton : pBox->buttons())
                             if (pButton->text() == button)
                                 pButton->click();
                     });
    pTimer->start();
}

QPushButton* Button(QWidget& window, const QString& text)
{
    for (QPushButton* pButton : window.findChildren<QPushButton*>())
        if (pButton->text() == text)
            return pButton;
    return nullptr;
}

QString Target(QWidget& window)
{
    for (QLabel* pLabel : window.findChildren<QLabel*>())
        if (pLabel->accessibleName().startsWith(QStringLiteral("Compte à trouver")))
            return pLabel->text();
    return {};
}
} // namespace

TEST(AnswerEdit, EnterStartsALineAfterAStepShortOfTheTargetAndSubmitsOtherwise)
{
    CAnswerEdit edit;
    edit.SetTarget(387);
    const std::pair<const char*, bool> lines[] = {
        {"50 x 8 = 400", false},    {"400 = 50 x 8", false},
        {"50 x 8 =", false},        {"312 + 75 = 387", true},
        {"387 = 312 + 75", true},   {" 312+75=387 ", true},
        {"(50 - 2) x 8 + 3", true}, {"", true},
        {"Solution : 387", true},
    };
    for (const auto& [pszLine, bSubmits] : lines)
        EXPECT_EQ(edit.EnterSubmits(QString::fromUtf8(pszLine)), bSubmits) << pszLine;

    QSignalSpy submitted(&edit, &CAnswerEdit::submitRequested);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    // Nothing typed: Enter does nothing.
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(submitted.count(), 0);
    QTest::keyClicks(&edit, "50 x 8 = 400");
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("50 x 8 = 400\n"));
    EXPECT_EQ(edit.CursorLine(), 2);
    QTest::keyClicks(&edit, "400 - 13 = 387");
    QTest::keyClick(&edit, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(submitted.count(), 0);
    QTest::keyClick(&edit, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(submitted.count(), 1);
    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(submitted.count(), 2);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("50 x 8 = 400\n400 - 13 = 387\n"));
}

TEST(RoundClock, ShowsTheTimeLeftAndEndsAtItsLimit)
{
    const std::pair<int, const char*> texts[] = {
        {0, "0:00"},     {1, "0:01"},     {999, "0:01"},   {1000, "0:01"}, {1001, "0:02"},
        {30000, "0:30"}, {60000, "1:00"}, {61001, "1:02"}, {-5, "0:00"},
    };
    for (const auto& [nMs, pszText] : texts)
        EXPECT_EQ(CRoundClock::Text(CRoundClock::Duration{nMs}), QString::fromUtf8(pszText)) << nMs;

    CRoundClock clock;
    QSignalSpy expired(&clock, &CRoundClock::expired);
    clock.Start(CRoundClock::Duration{80});
    EXPECT_TRUE(clock.IsRunning());
    EXPECT_EQ(clock.text(), QStringLiteral("0:01"));
    ASSERT_TRUE(expired.wait(WAIT_MS));
    EXPECT_FALSE(clock.IsRunning());
    EXPECT_EQ(clock.Elapsed(), CRoundClock::Duration{80});
    EXPECT_EQ(clock.accessibleName(), QStringLiteral("Temps restant : 0:00"));

    // No limit: it counts up, and stops where it stands.
    clock.Start(std::nullopt);
    EXPECT_EQ(clock.accessibleName(), QStringLiteral("Temps écoulé : 0:00"));
    QTest::qWait(20);
    const CRoundClock::Duration taken = clock.Stop();
    EXPECT_GE(taken, CRoundClock::Duration{20});
    EXPECT_EQ(clock.Elapsed(), taken);
    EXPECT_EQ(expired.count(), 1);
}

TEST(PracticeWindow, KeepsATypedAnswerUnlessThePlayerLetsItGo)
{
    CPracticeDraw draw(3);
    CPracticeWindow window(draw.Given({2, 8, 75, 8, 100, 25}, 387));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* pAnswer = window.findChild<CAnswerEdit*>();
    auto* pVerdict = window.findChild<QTextEdit*>();
    ASSERT_TRUE(pAnswer && pVerdict);
    EXPECT_TRUE(window.RoundOpen());
    EXPECT_EQ(window.focusWidget(), pAnswer);
    QTest::keyClicks(pAnswer, "8 / 2 = 4");

    // Nouveau tirage asks; No keeps the round and its answer.
    QString question;
    AnswerNextBox(QStringLiteral("&Non"), &question);
    Button(window, QStringLiteral("&Nouveau tirage"))->click();
    EXPECT_EQ(question,
              QStringLiteral("Abandonner cette partie ? Votre réponse n'a pas été jugée."));
    EXPECT_EQ(pAnswer->toPlainText(), QStringLiteral("8 / 2 = 4"));
    EXPECT_EQ(Target(window), QStringLiteral("387"));
    // So does closing the window.
    AnswerNextBox(QStringLiteral("&Non"), &question);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(question, QStringLiteral("Quitter sans faire juger votre réponse ?"));
    EXPECT_TRUE(window.isVisible());

    // Yes lets it go: a new round, not counted, with an empty answer of its own.
    window.findChild<QComboBox*>()->setCurrentIndex(3);
    AnswerNextBox(QStringLiteral("&Oui"));
    Button(window, QStringLiteral("&Nouveau tirage"))->click();
    EXPECT_TRUE(window.RoundOpen());
    EXPECT_TRUE(pAnswer->toPlainText().isEmpty());
    EXPECT_EQ(window.Tally().Rounds(), 0);

    // Valider ends the round: the answer stays, read only, and the round is counted.
    QTest::keyClicks(pAnswer, "1 + 1");
    Button(window, QStringLiteral("&Valider"))->click();
    EXPECT_FALSE(window.RoundOpen());
    EXPECT_EQ(window.Tally().Rounds(), 1);
    EXPECT_TRUE(pAnswer->isReadOnly());
    EXPECT_EQ(pAnswer->toPlainText(), QStringLiteral("1 + 1"));
    EXPECT_EQ(window.focusWidget(), pVerdict);
    EXPECT_FALSE(pVerdict->accessibleDescription().isEmpty());
    // A judged answer is no longer at stake: the window closes without a question.
    EXPECT_TRUE(window.close());
}

TEST(PracticeWindow, JudgesTheAnswerTypedSoFarWhenTheTimeIsUp)
{
    qputenv(CPracticeWindow::TEST_LIMIT_VARIABLE, "100");
    CPracticeDraw draw(3);
    const CPracticeDraw::SGame game = draw.Given({2, 8, 75, 8, 100, 25}, 387);
    CPracticeWindow window(game);
    qunsetenv(CPracticeWindow::TEST_LIMIT_VARIABLE);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The clock anew, now that the window is there: what follows runs before its first tick.
    window.StartRound(game);
    auto* pAnswer = window.findChild<CAnswerEdit*>();
    QTest::keyClicks(pAnswer, "50 x 8 = 40");
    ASSERT_EQ(pAnswer->LineMarks().size(), 1u);
    EXPECT_EQ(pAnswer->LineMarks()[0].reason, "50 n'est pas une des plaques");
    // An answer pasted by the page is not checked at each key, only judged.
    pAnswer->setPlainText(QString(3000, QLatin1Char('7')));
    EXPECT_TRUE(pAnswer->LineMarks().empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.RoundOpen(); }, WAIT_MS));
    EXPECT_EQ(window.Tally().Rounds(), 1);
    EXPECT_TRUE(
        window.findChild<QTextEdit*>()->toPlainText().startsWith(QStringLiteral("Temps écoulé. ")));
}

TEST(PracticeSound, AlternatesTheQuickFindClipsAndCountsThemWithTheSoundOff)
{
    CRecordingAudioOutput audio;
    {
        CPracticeSound sound;
        // Each clip waited for before the next starts: workers start in their own time.
        auto waitClips = [&audio](std::size_t n)
        { ASSERT_TRUE(audio.WaitForClips(n, std::chrono::milliseconds(WAIT_MS))); };
        sound.QuickFind();
        waitClips(1);
        sound.PlayToggleClip();
        waitClips(2);
        sound.TurnOver();
        EXPECT_FALSE(sound.IsOn());
        sound.QuickFind();
        sound.PlayToggleClip();
        sound.TurnOver();
        sound.QuickFind();
        waitClips(3);
        sound.QuickFind();
        waitClips(4);
        EXPECT_EQ(sound.QuickFinds(), 4);
    }
    // With the sound on, off, on: 140, nothing, 140, then 135 for the fourth.
    EXPECT_EQ(audio.PlayedClips(), (std::vector<unsigned>{140, 141, 140, 135}));
}

TEST(PracticeWindow, AQuickFindPlaysTheClipAndCounts)
{
    CRecordingAudioOutput audio;
    CPracticeDraw draw(3);
    CPracticeWindow window(draw.Given({2, 8, 75, 8, 100, 25}, 387));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.findChild<CAnswerEdit*>()->setPlainText(QStringLiteral(
        "8 / 2 = 4\n100 x 25 = 2500\n2500 - 4 = 2496\n2496 / 8 = 312\n312 + 75 = 387"));
    Button(window, QStringLiteral("&Valider"))->click();
    ASSERT_TRUE(audio.WaitForClips(1, std::chrono::milliseconds(WAIT_MS)));
    EXPECT_EQ(audio.PlayedClips(), std::vector<unsigned>{140});
    EXPECT_EQ(window.Sound().QuickFinds(), 1);
    EXPECT_EQ(window.Tally().TargetsMade(), 1);
    EXPECT_EQ(window.Tally().BestFound(), 1);
    EXPECT_TRUE(window.findChild<QTextEdit*>()->toPlainText().startsWith(
        QStringLiteral("Compte trouvé : 387.")));
    window.close();
}

TEST(PracticeWindow, ShowsTheGameInUprightBoldDigitsWhateverTheFonts)
{
    CPracticeDraw draw(3);
    CPracticeWindow window(draw.Given({2, 8, 75, 8, 100, 25}, 387));
    int nLabels = 0;
    for (QLabel* pLabel : window.findChildren<QLabel*>())
    {
        const QString name = pLabel->accessibleName();
        if (!name.startsWith(QStringLiteral("Plaque")) &&
            !name.startsWith(QStringLiteral("Compte")) && !name.startsWith(QStringLiteral("Temps")))
            continue;
        ++nLabels;
        const QFontInfo info(pLabel->font());
        // The face's own style, not the one asked for, which QFontInfo would repeat.
        EXPECT_FALSE(QFontDatabase::italic(info.family(), info.styleName()))
            << name.toStdString() << ": " << info.family().toStdString() << ' '
            << info.styleName().toStdString();
        EXPECT_GE(QFontDatabase::weight(info.family(), info.styleName()), QFont::DemiBold)
            << name.toStdString();
    }
    EXPECT_EQ(nLabels, 8);
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pivolo-entrainement"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
