#include "CPracticeWindow.h"

#include "CAnswerEdit.h"
#include "CVerdictView.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace
{
const QString TITLE = QStringLiteral("Le pivolo : entraînement");
const QString SOUND_BUTTON = QStringLiteral("Je n'ai jamais joué au \"pivolo\" et j'ai &peur");
const QString SOUND_QUESTION = QStringLiteral(
    "Il ne faut pas avoir peur, le pivolo n'est qu'un jeu\nVoulez-vous stopper/activer le son ?");
const QString START_TEXT =
    QStringLiteral("Choisissez le nombre de grandes plaques, le niveau et le temps, puis "
                   "« Nouveau tirage ».");
// The choices of the time list, in its order; none is no limit.
constexpr std::array<int, 4> TIME_LIMIT_SECONDS{30, 45, 60, 0};
// The longest answer checked line by line as it is typed, in characters.
constexpr qsizetype ANSWER_CHECKED_MOST = 2000;
// The dialog's proportions: the tiles' digits bold and large, the target's twice as tall.
constexpr int TILE_PIXELS = 28;
constexpr int TARGET_PIXELS = 56;

QFont BoldFont(int nPixels)
{
    QFont font;
    font.setPixelSize(nPixels);
    // Bold as the faces have it: asked for heavier, Qt may take an italic face of another
    // foundry (the URW fonts) for want of an upright one.
    font.setWeight(QFont::Bold);
    return font;
}

QLabel* BigLabel(const QString& name, int nPixels, const QString& style, QWidget* pParent)
{
    auto* pLabel = new QLabel(pParent);
    pLabel->setAccessibleName(name);
    pLabel->setFont(BoldFont(nPixels));
    pLabel->setAlignment(Qt::AlignCenter);
    pLabel->setMinimumSize(nPixels * 5 / 2, nPixels * 8 / 5);
    pLabel->setStyleSheet(style);
    return pLabel;
}

std::optional<CRoundClock::Duration> TestLimit()
{
    bool bOk = false;
    const int nMilliseconds =
        qEnvironmentVariableIntValue(CPracticeWindow::TEST_LIMIT_VARIABLE, &bOk);
    if (!bOk || nMilliseconds <= 0)
        return std::nullopt;
    return CRoundClock::Duration{nMilliseconds};
}
} // namespace

CPracticeWindow::CPracticeWindow(std::optional<CPracticeDraw::SGame> given, QWidget* pParent)
    : QMainWindow(pParent), m_testLimit(TestLimit())
{
    setWindowTitle(TITLE);
    BuildControls();
    BuildLayout();
    if (given)
        StartRound(*given);
    else
        m_pNewDraw->setFocus();
}

void CPracticeWindow::BuildControls()
{
    m_pLargeTiles = new QComboBox(this);
    m_pLargeTiles->addItems({QStringLiteral("au hasard"), QStringLiteral("0"), QStringLiteral("1"),
                             QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    m_pLevel = new QComboBox(this);
    m_pLevel->addItems({QStringLiteral("facile"), QStringLiteral("moyen"),
                        QStringLiteral("difficile"), QStringLiteral("n'importe lequel")});
    m_pLevel->setCurrentIndex(1);
    m_pLargeTiles->setAccessibleName(QStringLiteral("Grandes plaques"));
    m_pLevel->setAccessibleName(QStringLiteral("Niveau"));
    m_pTime = new QComboBox(this);
    m_pTime->addItems({QStringLiteral("30 secondes"), QStringLiteral("45 secondes"),
                       QStringLiteral("60 secondes"), QStringLiteral("sans limite")});
    m_pTime->setAccessibleName(QStringLiteral("Temps"));
    m_pNewDraw = new QPushButton(QStringLiteral("&Nouveau tirage"), this);

    m_pTarget = BigLabel(QStringLiteral("Compte à trouver"), TARGET_PIXELS,
                         QStringLiteral("background: white; color: #14287d; "
                                        "border: 2px solid #19192a; border-radius: 8px;"),
                         this);
    for (std::size_t i = 0; i < m_apTiles.size(); ++i)
        m_apTiles[i] = BigLabel(QStringLiteral("Plaque %1").arg(i + 1), TILE_PIXELS,
                                QStringLiteral("background: #ffde46; color: #19192a; "
                                               "border: 2px solid #19192a; border-radius: 6px;"),
                                this);
    m_pClock = new CRoundClock(this);
    m_pClock->setFont(BoldFont(TILE_PIXELS));
    m_pClock->setAlignment(Qt::AlignCenter);
    m_pClock->setMinimumWidth(TILE_PIXELS * 4);

    m_pAnswer = new CAnswerEdit(this);
    m_pAnswer->setAccessibleName(QStringLiteral("Votre réponse"));
    m_pAnswer->setPlaceholderText(
        QStringLiteral("Une étape par ligne (50 x 8 = 400) ou une expression ((50 - 2) x 8)"));
    m_pAnswer->setEnabled(false);
    m_pSubmit = new QPushButton(QStringLiteral("&Valider"), this);
    m_pSubmit->setEnabled(false);

    m_pVerdict = new CVerdictView(this);
    m_pVerdict->ShowPrompt(START_TEXT);
    m_pSolutions = new QListWidget(this);
    m_pSolutions->setAccessibleName(QStringLiteral("Solutions les plus simples"));
    m_pSession = new QLabel(this);
    m_pSession->setText(QStringLiteral("Séance : ") + QString::fromStdString(m_tally.Text()));
    m_pSoundButton = new QPushButton(SOUND_BUTTON, this);
    m_pQuit = new QPushButton(QStringLiteral("&Quitter"), this);

    connect(m_pNewDraw, &QPushButton::clicked, this, &CPracticeWindow::OnNewDraw);
    connect(m_pSubmit, &QPushButton::clicked, this, &CPracticeWindow::OnSubmit);
    connect(m_pAnswer, &CAnswerEdit::submitRequested, this, &CPracticeWindow::OnSubmit);
    connect(m_pAnswer, &QPlainTextEdit::textChanged, this, &CPracticeWindow::OnAnswerChanged);
    connect(m_pAnswer, &QPlainTextEdit::cursorPositionChanged, this,
            &CPracticeWindow::OnAnswerChanged);
    connect(m_pClock, &CRoundClock::expired, this, &CPracticeWindow::OnTimeUp);
    connect(m_pSoundButton, &QPushButton::clicked, this, &CPracticeWindow::OnSoundToggle);
    connect(m_pQuit, &QPushButton::clicked, this, &QWidget::close);
    auto* pQuitKey = new QShortcut(QKeySequence::Quit, this);
    connect(pQuitKey, &QShortcut::activated, this, &QWidget::close);
}

void CPracticeWindow::BuildLayout()
{
    auto label = [this](const QString& text, QWidget* pBuddy)
    {
        auto* pLabel = new QLabel(text, this);
        pLabel->setBuddy(pBuddy);
        return pLabel;
    };
    auto* pChoices = new QHBoxLayout;
    pChoices->addWidget(label(QStringLiteral("&Grandes plaques :"), m_pLargeTiles));
    pChoices->addWidget(m_pLargeTiles);
    pChoices->addSpacing(12);
    pChoices->addWidget(label(QStringLiteral("N&iveau :"), m_pLevel));
    pChoices->addWidget(m_pLevel);
    pChoices->addSpacing(12);
    pChoices->addWidget(label(QStringLiteral("&Temps :"), m_pTime));
    pChoices->addWidget(m_pTime);
    pChoices->addStretch();
    pChoices->addWidget(m_pNewDraw);

    auto* pTargetRow = new QHBoxLayout;
    pTargetRow->addStretch();
    pTargetRow->addSpacing(m_pClock->minimumWidth());
    pTargetRow->addWidget(m_pTarget);
    pTargetRow->addStretch();
    pTargetRow->addWidget(m_pClock);
    auto* pTiles = new QHBoxLayout;
    pTiles->addStretch();
    for (QLabel* pTile : m_apTiles)
        pTiles->addWidget(pTile);
    pTiles->addStretch();

    auto* pAnswerRow = new QHBoxLayout;
    pAnswerRow->addWidget(m_pAnswer, 1);
    pAnswerRow->addWidget(m_pSubmit, 0, Qt::AlignBottom);

    auto* pResults = new QGridLayout;
    pResults->addWidget(label(QStringLiteral("Ver&dict :"), m_pVerdict), 0, 0);
    pResults->addWidget(label(QStringLiteral("&Solutions les plus simples :"), m_pSolutions), 0, 1);
    pResults->addWidget(m_pVerdict, 1, 0);
    pResults->addWidget(m_pSolutions, 1, 1);
    pResults->setColumnStretch(0, 1);
    pResults->setColumnStretch(1, 1);

    auto* pBottom = new QHBoxLayout;
    pBottom->addWidget(m_pSession, 1);
    pBottom->addWidget(m_pSoundButton);
    pBottom->addWidget(m_pQuit);

    auto* pCentral = new QWidget(this);
    auto* pMain = new QVBoxLayout(pCentral);
    pMain->addLayout(pChoices);
    pMain->addLayout(pTargetRow);
    pMain->addLayout(pTiles);
    pMain->addWidget(label(QStringLiteral("Votre &réponse :"), m_pAnswer));
    pMain->addLayout(pAnswerRow, 1);
    pMain->addLayout(pResults, 2);
    pMain->addLayout(pBottom);
    setCentralWidget(pCentral);
    resize(860, 700);
}

std::optional<CRoundClock::Duration> CPracticeWindow::TimeLimit() const
{
    const int nSeconds = TIME_LIMIT_SECONDS[static_cast<std::size_t>(m_pTime->currentIndex())];
    if (nSeconds == 0)
        return std::nullopt;
    return m_testLimit ? m_testLimit : CRoundClock::Duration{nSeconds * 1000};
}

void CPracticeWindow::OnNewDraw()
{
    if (m_bRoundOpen &&
        !LetAnswerGo(QStringLiteral("Abandonner cette partie ? Votre réponse n'a pas été jugée.")))
        return;
    const int nLarge = m_pLargeTiles->currentIndex();
    const int nLevel = m_pLevel->currentIndex();
    StartRound(m_draw.Draw(nLarge == 0 ? std::nullopt : std::optional<int>(nLarge - 1),
                           nLevel == 3 ? std::nullopt
                                       : std::optional(static_cast<CTargetLevel::ELevel>(nLevel))));
}

void CPracticeWindow::StartRound(const CPracticeDraw::SGame& game)
{
    m_game = game;
    m_review.SetGame(game.tiles, game.nTarget);
    ShowGame(game);
    m_pAnswer->SetTarget(game.nTarget);
    m_pAnswer->setReadOnly(false);
    m_pAnswer->setEnabled(true);
    m_pAnswer->clear();
    m_checkedText.clear();
    m_nCheckedLine = 0;
    m_pSubmit->setEnabled(true);
    QStringList tiles;
    for (std::int32_t nTile : game.tiles)
        tiles << QString::number(nTile);
    m_pVerdict->ShowPrompt(QStringLiteral("Trouvez %1 avec les plaques %2.")
                               .arg(game.nTarget)
                               .arg(tiles.join(QStringLiteral(", "))));
    m_pSolutions->clear();
    m_bRoundOpen = true;
    m_pClock->Start(TimeLimit());
    m_pAnswer->setFocus();
}

void CPracticeWindow::ShowGame(const CPracticeDraw::SGame& game)
{
    m_pTarget->setText(QString::number(game.nTarget));
    m_pTarget->setAccessibleName(QStringLiteral("Compte à trouver : %1").arg(game.nTarget));
    for (std::size_t i = 0; i < m_apTiles.size(); ++i)
    {
        m_apTiles[i]->setText(QString::number(game.tiles[i]));
        m_apTiles[i]->setAccessibleName(
            QStringLiteral("Plaque %1 : %2").arg(i + 1).arg(game.tiles[i]));
    }
}

void CPracticeWindow::OnAnswerChanged()
{
    if (!m_bRoundOpen)
        return;
    // A key changes the text and moves the cursor: the answer is checked once for both.
    const QString text = m_pAnswer->toPlainText();
    const int nLine = m_pAnswer->CursorLine();
    if (text == m_checkedText && nLine == m_nCheckedLine)
        return;
    m_checkedText = text;
    m_nCheckedLine = nLine;
    // An answer pasted by the page would hold each key up while it is read again: it is
    // judged once, when it is submitted.
    if (text.size() > ANSWER_CHECKED_MOST)
    {
        m_pAnswer->setAccessibleDescription(QString());
        m_pAnswer->SetLineMarks({});
        return;
    }
    std::vector<CAnswerReview::SLineMark> marks = m_review.CheckLines(text.toStdString(), nLine);
    QStringList faults;
    for (std::size_t i = 0; i < marks.size(); ++i)
        if (marks[i].eKind == CAnswerReview::SLineMark::EKind::Wrong)
            faults << QStringLiteral("Ligne %1 : %2.")
                          .arg(i + 1)
                          .arg(QString::fromStdString(marks[i].reason));
    // A screen reader says what is wrong when it is asked to describe the answer.
    const QString description = faults.join(QLatin1Char(' '));
    if (description != m_pAnswer->accessibleDescription())
        m_pAnswer->setAccessibleDescription(description);
    m_pAnswer->SetLineMarks(std::move(marks));
}

void CPracticeWindow::OnSubmit()
{
    if (m_bRoundOpen)
        EndRound(CAnswerReview::EEnd::Submitted);
}

void CPracticeWindow::OnTimeUp()
{
    if (m_bRoundOpen)
        EndRound(CAnswerReview::EEnd::TimeUp);
}

void CPracticeWindow::EndRound(CAnswerReview::EEnd eEnd)
{
    const CRoundClock::Duration elapsed = m_pClock->Stop();
    m_bRoundOpen = false;
    const CAnswerReview::SReview review =
        m_review.Review(m_pAnswer->toPlainText().toStdString(), eEnd);
    m_tally.Add(review.bTargetMade, review.bBest);
    // The dialog's rule of a quick find: within the time, or 30 seconds when there is none.
    const std::optional<CRoundClock::Duration> limit = m_pClock->Limit();
    const bool bInTime = elapsed <= limit.value_or(std::chrono::seconds(QUICK_FIND_SECONDS));
    if (review.bTargetMade && bInTime)
        m_sound.QuickFind();
    ShowReview(review, elapsed);
}

void CPracticeWindow::ShowReview(const CAnswerReview::SReview& review,
                                 CRoundClock::Duration elapsed)
{
    m_pAnswer->setReadOnly(true);
    m_pSubmit->setEnabled(false);
    QStringList details;
    for (const std::string& detail : review.details)
        details << QString::fromStdString(detail);
    details << QStringLiteral("Temps pris : %1. Ce compte était de niveau %2.")
                   .arg(CRoundClock::Text(elapsed - elapsed % CRoundClock::Duration{1000}))
                   .arg(QString::fromUtf8(CTargetLevel::Name(m_game->eLevel)));
    m_pVerdict->ShowVerdict(QString::fromStdString(review.headline), details);
    m_pSolutions->clear();
    for (const CAnswerReview::SSolutionLine& line : review.solutions)
    {
        auto* pItem = new QListWidgetItem(QString::fromStdString(line.text), m_pSolutions);
        QFont font = pItem->font();
        font.setBold(line.bHeading || line.bPlayers);
        pItem->setFont(font);
    }
    m_pSession->setText(QStringLiteral("Séance : ") + QString::fromStdString(m_tally.Text()));
    // The verdict takes the focus, so that a screen reader says it at once, headline first.
    m_pVerdict->setFocus();
}

void CPracticeWindow::OnSoundToggle()
{
    m_sound.PlayToggleClip();
    if (Ask(SOUND_QUESTION, EDefault::Yes))
        m_sound.TurnOver();
}

bool CPracticeWindow::LetAnswerGo(const QString& question)
{
    return m_pAnswer->toPlainText().trimmed().isEmpty() || Ask(question, EDefault::No);
}

bool CPracticeWindow::Ask(const QString& question, EDefault eDefault)
{
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), question,
                    QMessageBox::NoButton, this);
    QPushButton* pYes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* pNo = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    box.setDefaultButton(eDefault == EDefault::Yes ? pYes : pNo);
    box.exec();
    return box.clickedButton() == pYes;
}

void CPracticeWindow::closeEvent(QCloseEvent* pEvent)
{
    if (m_bRoundOpen && !LetAnswerGo(QStringLiteral("Quitter sans faire juger votre réponse ?")))
    {
        pEvent->ignore();
        return;
    }
    m_pClock->Stop();
    pEvent->accept();
}
