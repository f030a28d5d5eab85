#pragma once

#include "CAnswerReview.h"
#include "CPracticeDraw.h"
#include "CPracticeSound.h"
#include "CRoundClock.h"
#include "CSessionTally.h"

#include <QMainWindow>

#include <array>
#include <optional>

class CAnswerEdit;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class CVerdictView;

// The practice window: a draw of six tiles and a target, the clock, the answer typed and
// checked line by line, then the verdict, the simplest solutions and the session's tally.
//
// A round starts with "Nouveau tirage" (or at once on a game given on the command line) and
// ends when the answer is submitted or the time is up; the answer then stays in view, read
// only, until the next draw.
class CPracticeWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The clock's limit, in milliseconds, in place of the one chosen: for the tests, which
    // cannot wait 30 seconds for a round to end.
    static constexpr const char* TEST_LIMIT_VARIABLE = "PIVOLO_TEST_TIME_LIMIT_MS";
    // A target made within this many seconds, with no limit set, is a quick find.
    static constexpr int QUICK_FIND_SECONDS = 30;

    explicit CPracticeWindow(std::optional<CPracticeDraw::SGame> given = std::nullopt,
                             QWidget* pParent = nullptr);

    // A new round on this game: the tiles and the target shown, the answer empty, the clock
    // started.
    void StartRound(const CPracticeDraw::SGame& game);

    const CSessionTally& Tally() const { return m_tally; }
    const CPracticeSound& Sound() const { return m_sound; }
    bool RoundOpen() const { return m_bRoundOpen; }

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private slots:
    void OnNewDraw();
    void OnSubmit();
    void OnTimeUp();
    void OnAnswerChanged();
    void OnSoundToggle();

private:
    void BuildControls();
    void BuildLayout();
    void EndRound(CAnswerReview::EEnd eEnd);
    void ShowReview(const CAnswerReview::SReview& review, CRoundClock::Duration elapsed);
    // The tiles and the target, shown and named for a screen reader: "Plaque 1 : 75".
    void ShowGame(const CPracticeDraw::SGame& game);
    std::optional<CRoundClock::Duration> TimeLimit() const;
    // Whether the player lets an answer typed and not yet judged go.
    bool LetAnswerGo(const QString& question);
    enum class EDefault
    {
        Yes,
        No,
    };
    // A question in the program's box, as the dialog asks its own: the warning icon, the
    // program's name as the caption, "Oui" and "Non" in French whatever the system's language.
    bool Ask(const QString& question, EDefault eDefault);

    CPracticeDraw m_draw;
    CAnswerReview m_review;
    CSessionTally m_tally;
    CPracticeSound m_sound;
    std::optional<CPracticeDraw::SGame> m_game;
    bool m_bRoundOpen = false;
    std::optional<CRoundClock::Duration> m_testLimit;
    // The answer's text and cursor line as last checked.
    QString m_checkedText;
    int m_nCheckedLine = 0;

    QComboBox* m_pLargeTiles = nullptr;
    QComboBox* m_pLevel = nullptr;
    QComboBox* m_pTime = nullptr;
    QPushButton* m_pNewDraw = nullptr;
    QLabel* m_pTarget = nullptr;
    std::array<QLabel*, 6> m_apTiles{};
    CRoundClock* m_pClock = nullptr;
    CAnswerEdit* m_pAnswer = nullptr;
    QPushButton* m_pSubmit = nullptr;
    CVerdictView* m_pVerdict = nullptr;
    QListWidget* m_pSolutions = nullptr;
    QLabel* m_pSession = nullptr;
    QPushButton* m_pSoundButton = nullptr;
    QPushButton* m_pQuit = nullptr;
};
