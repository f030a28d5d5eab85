#include "CAnswerReview.h"

#include "CAllSolutionsText.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace
{
std::string Number(std::int64_t n)
{
    return std::to_string(n);
}

std::string Operation(const CJudge::SFault& fault)
{
    return CAllSolutionsText::Operation(fault.nOperator, fault.nLeft, fault.nRight);
}

// "2 fois", "une seule fois".
std::string Times(int n, const char* pszOnce)
{
    return n == 1 ? std::string(pszOnce) : std::to_string(n) + " fois";
}

std::string Expected(unsigned nExpected)
{
    static const std::pair<unsigned, const char*> kinds[] = {
        {CJudge::ExpectNumber, "un nombre"},
        {CJudge::ExpectOperator, "une opération (+, -, x ou /)"},
        {CJudge::ExpectOpenParen, "« ( »"},
        {CJudge::ExpectCloseParen, "« ) »"},
        {CJudge::ExpectEquals, "« = » et le résultat"},
        {CJudge::ExpectEnd, "la fin de l'étape"},
    };
    std::vector<const char*> names;
    for (const auto& [nBit, pszName] : kinds)
        if (nExpected & nBit)
            names.push_back(pszName);
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        if (i > 0)
            text += i + 1 == names.size() ? " ou " : ", ";
        text += names[i];
    }
    return text.empty() ? "autre chose" : text;
}

// "3 + 50 = 53, 53 - 7 = 46": the steps of a way, each after its operands.
std::string StepsText(const std::vector<CAllSolutions::SWayNode>& way)
{
    std::string text;
    for (const CAllSolutions::SWayNode& node : way)
    {
        if (node.nOperator == CAllSolutions::SWayNode::Tile)
            continue;
        if (!text.empty())
            text += ", ";
        text += CAllSolutionsText::StepText(way, node);
    }
    return text;
}
} // namespace

void CAnswerReview::SetGame(const Tiles& tiles, std::int32_t nTarget)
{
    m_judge.SetGame(tiles, nTarget);
    m_nTarget = nTarget;
}

std::string CAnswerReview::FaultText(const CJudge::SFault& fault, bool bSeveralSteps)
{
    using EFault = CJudge::EFault;
    switch (fault.eKind)
    {
    case EFault::Empty:
        return "la réponse est vide";
    case EFault::Syntax:
        if (fault.found.empty())
            return "il manque " + Expected(fault.nExpected);
        return "« " + fault.found + " » n'a rien à faire ici : on attendait " +
               Expected(fault.nExpected);
    case EFault::NotATile:
        return Number(fault.nNumber) + (bSeveralSteps
                                            ? " n'est ni une plaque ni le résultat d'une étape"
                                            : " n'est pas une des plaques");
    case EFault::TileOverused:
        return Number(fault.nNumber) + " est pris " + Times(fault.nUsed, "une fois") +
               ", mais tiré " + Times(fault.nDrawn, "une seule fois");
    case EFault::ResultReused:
        return "le résultat " + Number(fault.nNumber) + " sert " + Times(fault.nUsed, "une fois") +
               " : un résultat ne sert qu'une fois";
    case EFault::Negative:
        return Operation(fault) + " est négatif";
    case EFault::NotWhole:
        return Operation(fault) + " ne tombe pas juste";
    case EFault::DivisionByZero:
        return Operation(fault) + " : on ne divise pas par 0";
    case EFault::TooLarge:
        if (fault.nOperator < 0)
            return fault.found + " dépasse 2 147 483 647";
        return Operation(fault) + " fait " + Number(fault.nResult) + ", au-delà de 2 147 483 647";
    case EFault::WrongResult:
        return Operation(fault) + " fait " + Number(fault.nResult) + ", pas " +
               Number(fault.nStated);
    }
    return "faute";
}

std::vector<CAnswerReview::SLineMark> CAnswerReview::CheckLines(std::string_view answer,
                                                                int nTypingLine)
{
    const std::size_t nLines =
        static_cast<std::size_t>(std::count(answer.begin(), answer.end(), '\n')) + 1;
    std::vector<SLineMark> marks(nLines);
    std::size_t nStart = 0;
    for (SLineMark& mark : marks)
    {
        const std::size_t nEnd = std::min(answer.find('\n', nStart), answer.size());
        const std::string_view line = answer.substr(nStart, nEnd - nStart);
        if (line.find_first_not_of(" \t\r") != std::string_view::npos)
            mark.eKind = SLineMark::EKind::Right;
        nStart = nEnd + 1;
    }
    const CJudge::SVerdict verdict = m_judge.Judge(answer, CJudge::EPlace::Unranked);
    for (const CJudge::SFault& fault : verdict.faults)
    {
        if (fault.nLine < 1 || static_cast<std::size_t>(fault.nLine) > nLines)
            continue;
        SLineMark& mark = marks[static_cast<std::size_t>(fault.nLine) - 1];
        // A line that merely stops short while it is typed is not wrong yet.
        const bool bUnfinished = fault.eKind == CJudge::EFault::Syntax && fault.found.empty() &&
                                 fault.nLine == nTypingLine;
        if (bUnfinished || fault.eKind == CJudge::EFault::Empty)
        {
            if (mark.eKind != SLineMark::EKind::Wrong)
                mark = {};
            continue;
        }
        if (mark.eKind == SLineMark::EKind::Wrong)
            continue;
        mark.eKind = SLineMark::EKind::Wrong;
        mark.reason = FaultText(fault, verdict.nSteps > 1);
    }
    return marks;
}

std::string CAnswerReview::Where(const CJudge::SFault& fault, const CJudge::SVerdict& verdict) const
{
    std::string where;
    if (m_nAnswerLines > 1)
        where = "Ligne " + std::to_string(fault.nLine);
    else if (verdict.nSteps > 1)
        where = "Étape " + std::to_string(fault.nStep);
    if (fault.eKind == CJudge::EFault::Syntax && fault.nColumn > 0)
        where += where.empty() ? "Colonne " + std::to_string(fault.nColumn)
                               : ", colonne " + std::to_string(fault.nColumn);
    return where.empty() ? where : where + " : ";
}

CAnswerReview::SReview CAnswerReview::Review(std::string_view answer, EEnd eEnd)
{
    m_nAnswerLines = static_cast<int>(std::count(answer.begin(), answer.end(), '\n')) + 1;
    const CJudge::SVerdict verdict = m_judge.Judge(answer, CJudge::EPlace::Ranked);
    SReview review;
    review.bValid = verdict.bValid;
    const std::string timeUp = eEnd == EEnd::TimeUp ? "Temps écoulé. " : "";
    const bool bEmpty =
        verdict.faults.size() == 1 && verdict.faults.front().eKind == CJudge::EFault::Empty;
    if (bEmpty)
        review.headline = timeUp + "Aucune réponse.";
    else if (!verdict.bValid)
    {
        const std::size_t nFaults = verdict.faults.size();
        review.headline = timeUp + "Réponse refusée : " + std::to_string(nFaults) +
                          (nFaults > 1 ? " fautes." : " faute.");
        for (const CJudge::SFault& fault : verdict.faults)
        {
            std::string text = Where(fault, verdict) + FaultText(fault, verdict.nSteps > 1) + '.';
            text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
            review.details.push_back(text);
        }
    }
    else
    {
        review.bTargetMade = verdict.nDistance == 0;
        review.bBest = verdict.bBest;
        AddPlace(verdict, review);
        review.headline = timeUp + review.headline;
    }
    AddSolutions(verdict, review);
    return review;
}

void CAnswerReview::AddPlace(const CJudge::SVerdict& verdict, SReview& review) const
{
    const std::string value = Number(verdict.nValue);
    const std::string target = Number(m_nTarget);
    if (review.bTargetMade)
        review.headline = "Compte trouvé : " + value + ".";
    else if (verdict.bBest)
        review.headline = "Le meilleur possible : " + value + ", à " + Number(verdict.nDistance) +
                          " du compte ; les plaques ne font pas " + target + ".";
    else if (verdict.bTargetMade)
        review.headline = value + ", à " + Number(verdict.nDistance) +
                          " du compte : les plaques font " + target + ".";
    else
    {
        std::string nearer;
        for (const std::optional<std::int32_t>& near :
             {verdict.nearest.above, verdict.nearest.below})
            if (near)
                nearer += (nearer.empty() ? "" : " et ") + Number(*near) + " (à " +
                          Number(std::abs(*near - m_nTarget)) + ")";
        review.headline = value + ", à " + Number(verdict.nDistance) +
                          " du compte : les plaques font plus près, " + nearer + ".";
    }

    const std::vector<CAllSolutions::SWayNode> way = verdict.Way();
    if (verdict.bReordered)
        review.details.push_back("Écrite dans cet ordre, la réponse passe par une étape que le "
                                 "jeu refuse ; elle vaut dans l'ordre " +
                                 StepsText(way) + ".");
    // The steps that the solution the answer counts as leaves out, by what they do.
    constexpr std::pair<CJudge::ERole, const char*> roles[] = {
        {CJudge::ERole::ChangesNothing, "Ne change rien : "},
        {CJudge::ERole::Detour, "Détour, que ses étapes défont : "},
        {CJudge::ERole::Unused, "Ne sert pas au résultat : "},
    };
    for (const auto& [eRole, pszLabel] : roles)
    {
        std::string steps;
        for (const CJudge::SStep& step : verdict.steps)
            if (step.eRole == eRole && step.node.nOperator != CAllSolutions::SWayNode::Tile)
                steps += (steps.empty() ? "" : ", ") + CAllSolutionsText::StepText(way, step.node);
        if (!steps.empty())
            review.details.push_back(pszLabel + steps + ".");
    }
    if (!verdict.bRanked)
        return;
    const std::string count = Number(static_cast<std::int64_t>(verdict.nSolutions));
    if (verdict.nSolutions == 1)
        review.details.push_back("C'est la seule solution qui donne " + value + ".");
    else if (verdict.nRank == 1)
        review.details.push_back("C'est la plus simple des " + count +
                                 " solutions distinctes qui donnent " + value + ".");
    else
        review.details.push_back("C'est la " + Number(static_cast<std::int64_t>(verdict.nRank)) +
                                 "e des " + count + " solutions distinctes qui donnent " + value +
                                 ", rangées de la plus simple à la moins simple.");
}

void CAnswerReview::AddSolutions(const CJudge::SVerdict& verdict, SReview& review)
{
    CAllSolutions& solutions = m_judge.Solutions();
    if (solutions.Reachable(m_nTarget))
    {
        AddValue(m_nTarget, Number(m_nTarget), verdict, review);
        return;
    }
    review.solutions.push_back({"Les plaques ne font pas " + Number(m_nTarget) + ".", true, false});
    const CAllSolutions::SNearest nearest = solutions.Nearest(m_nTarget);
    if (nearest.above)
        AddValue(*nearest.above,
                 Number(*nearest.above) + " (à " + Number(*nearest.above - m_nTarget) +
                     " au-dessus)",
                 verdict, review);
    if (nearest.below)
        AddValue(*nearest.below,
                 Number(*nearest.below) + " (à " + Number(m_nTarget - *nearest.below) +
                     " au-dessous)",
                 verdict, review);
}

void CAnswerReview::AddValue(std::int32_t nValue, const std::string& heading,
                             const CJudge::SVerdict& verdict, SReview& review)
{
    const CAllSolutions::SValueSolutions all = m_judge.Solutions().Solve(nValue, SOLUTIONS_SHOWN);
    const std::string count =
        all.nCount == 1 ? "1 solution"
                        : Number(static_cast<std::int64_t>(all.nCount)) + " solutions distinctes";
    review.solutions.push_back(
        {heading + " : " + count +
             (all.nCount > all.solutions.size() ? ", les plus simples :" : " :"),
         true, false});
    std::uint64_t nRank = 0;
    for (const CAllSolutions::SSolution& solution : all.solutions)
    {
        ++nRank;
        const bool bPlayers =
            verdict.bValid && verdict.bRanked && verdict.nValue == nValue && verdict.nRank == nRank;
        review.solutions.push_back({std::to_string(nRank) + ". " +
                                        CAllSolutionsText::Expression(solution.way) + " = " +
                                        Number(nValue) + (bPlayers ? "   ← votre réponse" : ""),
                                    false, bPlayers});
    }
}
