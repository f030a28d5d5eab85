// The practice window's rules, without a window: the level of a target, the draw, the
// session's tally, the command line and the French words for each fault.
#include "CAllSolutions.h"
#include "CAnswerReview.h"
#include "CPracticeDraw.h"
#include "CPracticeOptions.h"
#include "CSessionTally.h"
#include "CTargetLevel.h"
#include "CTileSet.h"
#include "Step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace
{
using ELevel = CTargetLevel::ELevel;
using EAction = CPracticeOptions::EAction;

std::string Describe(const CPracticeDraw::Tiles& tiles)
{
    std::string text;
    for (std::int32_t t : tiles)
        text += std::to_string(t) + ' ';
    return text;
}

// The level worked out from the solutions alone, as the window's rule says.
ELevel PlainLevel(const CPracticeDraw::Tiles& tiles, std::int32_t nTarget)
{
    CAllSolutions solutions;
    solutions.SetTiles(std::vector<std::int32_t>(tiles.begin(), tiles.end()));
    if (!solutions.Reachable(nTarget))
        return ELevel::Unreachable;
    const CAllSolutions::SValueSolutions all = solutions.Solve(nTarget);
    const int nSteps = all.solutions.front().nSteps;
    if (nSteps <= 2 || (nSteps == 3 && all.nCount > 10))
        return ELevel::Easy;
    if (nSteps == 5 || (nSteps == 4 && all.nCount <= 5))
        return ELevel::Hard;
    return ELevel::Medium;
}
} // namespace

TEST(TargetLevel, FollowsTheStepsOfTheSimplestSolutionAndTheirNumber)
{
    struct SCase
    {
        int nSteps;
        std::uint64_t nSolutions;
        ELevel eLevel;
    };
    const SCase cases[] = {
        {0, 1, ELevel::Easy},     {2, 1, ELevel::Easy},   {3, 11, ELevel::Easy},
        {3, 10, ELevel::Medium},  {3, 1, ELevel::Medium}, {4, 6, ELevel::Medium},
        {4, 500, ELevel::Medium}, {4, 5, ELevel::Hard},   {4, 1, ELevel::Hard},
        {5, 1000, ELevel::Hard},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CTargetLevel::FromSolutions(c.nSteps, c.nSolutions), c.eLevel)
            << c.nSteps << " steps, " << c.nSolutions << " solutions";

    // Games worked out by hand from pivolo-solve --all: (steps of the simplest, solutions).
    struct SGame
    {
        CPracticeDraw::Tiles tiles;
        std::int32_t nTarget;
        ELevel eLevel;
    };
    const SGame games[] = {
        {{2, 8, 75, 8, 100, 25}, 100, ELevel::Easy},   // the tile itself
        {{10, 9, 8, 7, 6, 5}, 500, ELevel::Easy},      // 3 steps, 41
        {{2, 8, 75, 8, 100, 25}, 115, ELevel::Medium}, // 3 steps, 9
        {{2, 8, 75, 8, 100, 25}, 113, ELevel::Medium}, // 4 steps, 19
        {{1, 2, 3, 4, 5, 6}, 211, ELevel::Medium},     // 4 steps, 6
        {{1, 2, 3, 4, 5, 6}, 720, ELevel::Hard},       // 4 steps, 4
        {{2, 8, 75, 8, 100, 25}, 387, ELevel::Hard},   // 5 steps, 1
        {{2, 8, 75, 8, 100, 25}, 263, ELevel::Unreachable},
        {{1, 1, 2, 2, 3, 3}, 999, ELevel::Unreachable},
    };
    CAllSolutions solutions;
    for (const SGame& g : games)
    {
        solutions.SetTiles(std::vector<std::int32_t>(g.tiles.begin(), g.tiles.end()));
        EXPECT_EQ(CTargetLevel::Of(solutions, g.nTarget), g.eLevel)
            << Describe(g.tiles) << "/ " << g.nTarget;
    }
    EXPECT_EQ(CTargetLevel::Name(ELevel::Easy), "facile");
    EXPECT_EQ(CTargetLevel::Name(ELevel::Unreachable), "impossible");
}

TEST(PracticeDraw, DrawsSixTilesOfTheSetWithTheLargeTilesChosen)
{
    CPracticeDraw draw(7);
    const CTileSet set(CTileSet::EKind::Full);
    std::map<std::int32_t, int> seen;
    std::map<int, int> largeAsTheyFall;
    for (int nLarge = -1; nLarge <= CPracticeDraw::LARGE_TILES_MAX; ++nLarge)
    {
        for (int n = 0; n < 3000; ++n)
        {
            const std::optional<int> chosen = nLarge < 0 ? std::nullopt : std::optional(nLarge);
            const CPracticeDraw::Tiles tiles = draw.DrawTiles(chosen);
            CTileSet::Draw sorted = tiles;
            std::sort(sorted.begin(), sorted.end());
            // Without replacement: no value more often than the set holds it.
            ASSERT_TRUE(set.Allows(sorted)) << Describe(tiles);
            if (chosen)
                ASSERT_EQ(CTileSet::LargeTiles(tiles), nLarge) << Describe(tiles);
            else
                ++largeAsTheyFall[CTileSet::LargeTiles(tiles)];
            for (std::int32_t t : tiles)
                ++seen[t];
        }
    }
    // Every value of the set comes up, and the large tiles fall as a draw from the 28 makes
    // them: none in 10.3% of draws, one in 33.0%, two in 34.4% (3,000 draws, a fixed seed).
    EXPECT_EQ(seen.size(), CTileSet::kanValues.size());
    EXPECT_NEAR(largeAsTheyFall[0] / 3000.0, 0.103, 0.03);
    EXPECT_NEAR(largeAsTheyFall[1] / 3000.0, 0.330, 0.03);
    EXPECT_NEAR(largeAsTheyFall[2] / 3000.0, 0.344, 0.03);
}

TEST(PracticeDraw, DrawsATargetOfTheLevelChosen)
{
    CPracticeDraw draw(11);
    for (ELevel eLevel : {ELevel::Easy, ELevel::Medium, ELevel::Hard})
        for (int nLarge : {0, 1, 2, 4})
            for (int n = 0; n < 4; ++n)
            {
                const CPracticeDraw::SGame game = draw.Draw(nLarge, eLevel);
                EXPECT_EQ(game.eLevel, eLevel);
                EXPECT_EQ(PlainLevel(game.tiles, game.nTarget), eLevel)
                    << Describe(game.tiles) << "/ " << game.nTarget;
                EXPECT_EQ(CTileSet::LargeTiles(game.tiles), nLarge);
                EXPECT_GE(game.nTarget, 100);
                EXPECT_LE(game.nTarget, 999);
            }
    // Any target: unreachable ones too, each game's level as the rule gives it.
    std::map<ELevel, int> levels;
    for (int n = 0; n < 200; ++n)
    {
        const CPracticeDraw::SGame game = draw.Draw(std::nullopt, std::nullopt);
        EXPECT_EQ(PlainLevel(game.tiles, game.nTarget), game.eLevel);
        ++levels[game.eLevel];
    }
    EXPECT_EQ(levels.size(), 4u);
    // A given game keeps its tiles in their order.
    const CPracticeDraw::SGame given = draw.Given({2, 8, 75, 8, 100, 25}, 387);
    EXPECT_EQ(given.tiles, (CPracticeDraw::Tiles{2, 8, 75, 8, 100, 25}));
    EXPECT_EQ(given.eLevel, ELevel::Hard);
}

TEST(SessionTally, CountsRoundsTargetsMadeAndBestFound)
{
    struct SRound
    {
        bool bMade;
        bool bBest;
        const char* pszText;
    };
    const SRound rounds[] = {
        {false, false, "1 partie, 0 compte trouvé, 0 fois le meilleur possible"},
        {true, true, "2 parties, 1 compte trouvé, 1 fois le meilleur possible"},
        // The best possible when the target cannot be made.
        {false, true, "3 parties, 1 compte trouvé, 2 fois le meilleur possible"},
        {true, false, "4 parties, 2 comptes trouvés, 3 fois le meilleur possible"},
    };
    CSessionTally tally;
    EXPECT_EQ(tally.Text(), "0 partie, 0 compte trouvé, 0 fois le meilleur possible");
    for (const SRound& round : rounds)
    {
        tally.Add(round.bMade, round.bBest);
        EXPECT_EQ(tally.Text(), round.pszText);
    }
    EXPECT_EQ(tally.Rounds(), 4);
    EXPECT_EQ(tally.TargetsMade(), 2);
    EXPECT_EQ(tally.BestFound(), 3);
}

TEST(PracticeOptions, ReadsAGivenGameHelpAndVersionAndRefusesTheRest)
{
    struct SCase
    {
        std::vector<std::string_view> arguments;
        EAction eAction;
        CTileSet::Draw tiles;
        std::int32_t nTarget;
    };
    const CTileSet::Draw none{};
    const SCase cases[] = {
        {{}, EAction::Run, none, -1},
        {{"--draw", "2,8,75,8,100,25", "--target", "387"},
         EAction::Run,
         {2, 8, 75, 8, 100, 25},
         387},
        {{"--target=0", "--draw=1 2 3 4 5 6"}, EAction::Run, {1, 2, 3, 4, 5, 6}, 0},
        {{"-d", "100, 100,1,1 , 9\t10", "-t", "999"}, EAction::Run, {100, 100, 1, 1, 9, 10}, 999},
        // The toolkit's own options, with their values.
        {{"-platform", "offscreen", "-reverse"}, EAction::Run, none, -1},
        {{"--help", "--bogus"}, EAction::Help, none, -1},
        {{"--bogus", "--help"}, EAction::Refuse, none, -1},
        {{"--version"}, EAction::Version, none, -1},
        {{"-h", "--version"}, EAction::Help, none, -1},
        {{"--draw", "1,2,3,4,5", "--target", "100"}, EAction::Refuse, none, -1},
        {{"--draw", "1,2,3,4,5,6,7", "--target", "100"}, EAction::Refuse, none, -1},
        {{"--draw", "1,1,1,2,3,4", "--target", "100"}, EAction::Refuse, none, -1},
        {{"--draw", "1,2,3,4,5,11", "--target", "100"}, EAction::Refuse, none, -1},
        {{"--draw", "1,2,3,4,5,-6", "--target", "100"}, EAction::Refuse, none, -1},
        {{"--draw", "1,2,3,4,5,6x", "--target", "100"}, EAction::Refuse, none, -1},
        {{"--draw", "1,2,3,4,5,6", "--target", "1000"}, EAction::Refuse, none, -1},
        {{"--draw", "1,2,3,4,5,6", "--target", "+5"}, EAction::Refuse, none, -1},
        {{"--draw", "1,2,3,4,5,6", "--target", "5 "}, EAction::Refuse, none, -1},
        {{"--draw", "1,2,3,4,5,6"}, EAction::Refuse, none, -1},
        {{"--target", "100"}, EAction::Refuse, none, -1},
        {{"--draw"}, EAction::Refuse, none, -1},
        {{"--drawing", "1,2,3,4,5,6"}, EAction::Refuse, none, -1},
        {{"387"}, EAction::Refuse, none, -1},
    };
    for (const SCase& c : cases)
    {
        std::vector<std::string_view> arguments{"pivolo-entrainement"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const CPracticeOptions options = CPracticeOptions::Parse(arguments);
        std::string line;
        for (std::string_view argument : c.arguments)
            line += std::string(argument) + ' ';
        EXPECT_EQ(options.m_eAction, c.eAction) << line;
        EXPECT_EQ(options.m_error.empty(), c.eAction != EAction::Refuse) << line;
        EXPECT_EQ(options.m_game.has_value(), c.nTarget >= 0) << line;
        if (options.m_game && c.nTarget >= 0)
        {
            EXPECT_EQ(options.m_game->tiles, c.tiles) << line;
            EXPECT_EQ(options.m_game->nTarget, c.nTarget) << line;
        }
    }
    EXPECT_NE(CPracticeOptions::HelpText("pivolo-entrainement").find("--draw"), std::string::npos);
}

TEST(AnswerReview, NamesEachFaultInFrench)
{
    using EFault = CJudge::EFault;
    auto fault = [](EFault eKind)
    {
        CJudge::SFault f;
        f.eKind = eKind;
        return f;
    };
    CJudge::SFault overused = fault(EFault::TileOverused);
    overused.nNumber = 8;
    overused.nUsed = 2;
    overused.nDrawn = 1;
    CJudge::SFault overusedOfTwo = overused;
    overusedOfTwo.nUsed = 3;
    overusedOfTwo.nDrawn = 2;
    CJudge::SFault notWhole = fault(EFault::NotWhole);
    notWhole.nOperator = OpDivide;
    notWhole.nLeft = 7;
    notWhole.nRight = 2;
    CJudge::SFault negative = fault(EFault::Negative);
    negative.nOperator = OpSubtract;
    negative.nLeft = 3;
    negative.nRight = 7;
    CJudge::SFault notATile = fault(EFault::NotATile);
    notATile.nNumber = 9;
    CJudge::SFault wrong = fault(EFault::WrongResult);
    wrong.nOperator = OpMultiply;
    wrong.nLeft = 50;
    wrong.nRight = 8;
    wrong.nResult = 400;
    wrong.nStated = 401;
    CJudge::SFault reused = fault(EFault::ResultReused);
    reused.nNumber = 400;
    reused.nUsed = 2;
    CJudge::SFault byZero = fault(EFault::DivisionByZero);
    byZero.nOperator = OpDivide;
    byZero.nLeft = 5;
    CJudge::SFault tooLarge = fault(EFault::TooLarge);
    tooLarge.nOperator = OpMultiply;
    tooLarge.nLeft = 100000;
    tooLarge.nRight = 75000;
    tooLarge.nResult = 7500000000;
    CJudge::SFault syntax = fault(EFault::Syntax);
    syntax.found = ")";
    syntax.nExpected = CJudge::ExpectNumber | CJudge::ExpectOpenParen;
    CJudge::SFault shortStep = fault(EFault::Syntax);
    shortStep.nExpected = CJudge::ExpectNumber;

    const std::pair<CJudge::SFault, const char*> cases[] = {
        {fault(EFault::Empty), "la réponse est vide"},
        {overused, "8 est pris 2 fois, mais tiré une seule fois"},
        {overusedOfTwo, "8 est pris 3 fois, mais tiré 2 fois"},
        {notWhole, "7 / 2 ne tombe pas juste"},
        {negative, "3 - 7 est négatif"},
        {notATile, "9 n'est pas une des plaques"},
        {wrong, "50 x 8 fait 400, pas 401"},
        {reused, "le résultat 400 sert 2 fois : un résultat ne sert qu'une fois"},
        {byZero, "5 / 0 : on ne divise pas par 0"},
        {tooLarge, "100000 x 75000 fait 7500000000, au-delà de 2 147 483 647"},
        {syntax, "« ) » n'a rien à faire ici : on attendait un nombre ou « ( »"},
        {shortStep, "il manque un nombre"},
    };
    for (const auto& [f, pszText] : cases)
        EXPECT_EQ(CAnswerReview::FaultText(f, false), pszText);
    EXPECT_EQ(CAnswerReview::FaultText(notATile, true),
              "9 n'est ni une plaque ni le résultat d'une étape");
}

TEST(AnswerReview, GivesTheVerdictTheSolutionsAndWhichOneTheAnswerIs)
{
    using EEnd = CAnswerReview::EEnd;
    struct SCase
    {
        CAnswerReview::Tiles tiles;
        std::int32_t nTarget;
        const char* pszAnswer;
        EEnd eEnd;
        const char* pszHeadline;
        std::vector<std::string> details;
        // The solutions' lines, as many as given.
        std::vector<std::string> solutions;
    };
    const CAnswerReview::Tiles t387{2, 8, 75, 8, 100, 25};
    const CAnswerReview::Tiles t80{1, 1, 2, 2, 3, 3};
    const CAnswerReview::Tiles t100{3, 7, 50, 5, 5, 1};
    const std::string only387 = "1. (100 x 25 - 8 / 2) / 8 + 75 = 387";
    const SCase cases[] = {
        {t387,
         387,
         "8 / 2 = 4\n100 x 25 = 2500\n2500 - 4 = 2496\n2496 / 8 = 312\n312 + 75 = 387",
         EEnd::Submitted,
         "Compte trouvé : 387.",
         {"C'est la seule solution qui donne 387."},
         {"387 : 1 solution :", only387 + "   ← votre réponse"}},
        {t387,
         387,
         "(100 x 25 - 8 / 2) / 8 + 75",
         EEnd::TimeUp,
         "Temps écoulé. Compte trouvé : 387.",
         {"C'est la seule solution qui donne 387."},
         {}},
        {t387,
         387,
         "8 x 8 x 8 = 512\n75 / 2 = 37",
         EEnd::Submitted,
         "Réponse refusée : 2 fautes.",
         {"Ligne 1 : 8 est pris 3 fois, mais tiré 2 fois.", "Ligne 2 : 75 / 2 ne tombe pas juste."},
         {"387 : 1 solution :", only387}},
        {t387,
         387,
         "75 + 8 = 83; 83 + 83 = 166",
         EEnd::Submitted,
         "Réponse refusée : 1 faute.",
         {"Étape 2 : le résultat 83 sert 2 fois : un résultat ne sert qu'une fois."},
         {}},
        {t387,
         387,
         "(100 + 2",
         EEnd::Submitted,
         "Réponse refusée : 1 faute.",
         {"Colonne 9 : il manque une opération (+, -, x ou /) ou « ) »."},
         {}},
        {t387, 387, " \n ", EEnd::TimeUp, "Temps écoulé. Aucune réponse.", {}, {}},
        {t387,
         387,
         "75 x 8 = 600\n600 - 100 = 500\n500 - 25 = 475",
         EEnd::Submitted,
         "475, à 88 du compte : les plaques font 387.",
         {"C'est la 5e des 26 solutions distinctes qui donnent 475, rangées de la plus simple à "
          "la moins simple."},
         {"387 : 1 solution :", only387}},
        // The best possible on both sides of a target the tiles cannot make.
        {t80,
         80,
         "3 x (2 + 1) x (2 + 1) x 3",
         EEnd::Submitted,
         "Le meilleur possible : 81, à 1 du compte ; les plaques ne font pas 80.",
         {"C'est la seule solution qui donne 81."},
         {"Les plaques ne font pas 80.", "81 (à 1 au-dessus) : 1 solution :",
          "1. 3 x (2 + 1) x (2 + 1) x 3 = 81   ← votre réponse",
          "72 (à 8 au-dessous) : 4 solutions distinctes :", "1. (2 + 1 + 1) x 2 x 3 x 3 = 72"}},
        {t80,
         80,
         "3 x 3 x (2 + 2)",
         EEnd::Submitted,
         "36, à 44 du compte : les plaques font plus près, 81 (à 1) et 72 (à 8).",
         {"C'est la plus simple des 31 solutions distinctes qui donnent 36."},
         {}},
        // Steps the solution leaves out, and a chain written through a negative value.
        {t100,
         100,
         "(50 + 5 - 5) x 1",
         EEnd::Submitted,
         "50, à 50 du compte : les plaques font 100.",
         {"Ne change rien : 50 x 1 = 50.",
          "Détour, que ses étapes défont : 50 + 5 = 55, 55 - 5 = 50.",
          "C'est la plus simple des 44 solutions distinctes qui donnent 50."},
         {}},
        {t100,
         100,
         "3 - 7 + 50",
         EEnd::Submitted,
         "46, à 54 du compte : les plaques font 100.",
         {"Écrite dans cet ordre, la réponse passe par une étape que le jeu refuse ; elle vaut "
          "dans "
          "l'ordre 3 + 50 = 53, 53 - 7 = 46.",
          "C'est la 2e des 59 solutions distinctes qui donnent 46, rangées de la plus simple à la "
          "moins simple."},
         {}},
        {{1, 2, 3, 4, 5, 6},
         6,
         "6 x 1",
         EEnd::Submitted,
         "Compte trouvé : 6.",
         {"Ne change rien : 6 x 1 = 6.",
          "C'est la plus simple des 892 solutions distinctes qui donnent 6."},
         {"6 : 892 solutions distinctes, les plus simples :", "1. 6 = 6   ← votre réponse",
          "2. 5 + 1 = 6", "3. 4 + 2 = 6", "4. 3 x 2 = 6", "5. 4 + 6 / 3 = 6"}},
    };
    CAnswerReview review;
    for (const SCase& c : cases)
    {
        review.SetGame(c.tiles, c.nTarget);
        const CAnswerReview::SReview got = review.Review(c.pszAnswer, c.eEnd);
        EXPECT_EQ(got.headline, c.pszHeadline) << c.pszAnswer;
        EXPECT_EQ(got.details, c.details) << c.pszAnswer;
        ASSERT_GE(got.solutions.size(), c.solutions.size()) << c.pszAnswer;
        for (std::size_t i = 0; i < c.solutions.size(); ++i)
        {
            EXPECT_EQ(got.solutions[i].text, c.solutions[i]) << c.pszAnswer;
            EXPECT_EQ(got.solutions[i].bPlayers, c.solutions[i].ends_with("votre réponse"))
                << c.solutions[i];
        }
        EXPECT_LE(got.solutions.size(), 2 * (CAnswerReview::SOLUTIONS_SHOWN + 1) + 1);
    }

    // As it is typed, a line that stops short is not wrong yet; once the player has gone on,
    // it is.
    review.SetGame(t387, 387);
    using EKind = CAnswerReview::SLineMark::EKind;
    auto kinds = [&](const char* pszAnswer, int nTyping)
    {
        std::vector<EKind> got;
        for (const CAnswerReview::SLineMark& mark : review.CheckLines(pszAnswer, nTyping))
            got.push_back(mark.eKind);
        return got;
    };
    EXPECT_EQ(kinds("100 x", 1), std::vector<EKind>{EKind::None});
    EXPECT_EQ(kinds("100 x\n", 2), (std::vector<EKind>{EKind::Wrong, EKind::None}));
    EXPECT_EQ(kinds("100 x 25 = 2500\n2500 / 8 = 312\n\n312 + 75 = 387", 3),
              (std::vector<EKind>{EKind::Right, EKind::Wrong, EKind::None, EKind::Right}));
    EXPECT_EQ(review.CheckLines("100 x 25 = 2500\n2500 / 8 = 312", 1)[1].reason,
              "2500 / 8 ne tombe pas juste");
}
