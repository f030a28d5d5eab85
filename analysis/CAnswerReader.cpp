#include "CAnswerReader.h"

#include "Step.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace
{
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

// The code point at s[i], moving i past it; a byte that does not begin a well-formed
// character is a character of its own, U+FFFD.
std::uint32_t Decode(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80)
        return b;
    const int n = b >= 0xC2 && b <= 0xDF   ? 1
                  : b >= 0xE0 && b <= 0xEF ? 2
                  : b >= 0xF0 && b <= 0xF4 ? 3
                                           : 0;
    // The second byte's range rules out overlong forms, surrogates and values past U+10FFFF.
    const unsigned nLow = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
    const unsigned nHigh = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
    std::uint32_t c = b & (0x3F >> n);
    std::size_t j = i;
    for (int k = 0; k < n; ++k, ++j)
    {
        const unsigned t = j < s.size() ? static_cast<unsigned char>(s[j]) : 0;
        if (t < (k == 0 ? nLow : 0x80) || t > (k == 0 ? nHigh : 0xBF))
            return 0xFFFD;
        c = c << 6 | (t & 0x3F);
    }
    if (n == 0)
        return 0xFFFD;
    i = j;
    return c;
}

// The length of "Solution" or "Sol" (the dialog's lines, in any case) at the start of text,
// as a word of its own; else 0.
std::size_t Word(std::string_view text)
{
    for (std::string_view word : {"solution", "sol"})
    {
        if (text.size() >= word.size() &&
            std::equal(word.begin(), word.end(), text.begin(),
                       [](char a, char b) { return a == (b | 0x20); }) &&
            (text.size() == word.size() ||
             !std::isalpha(static_cast<unsigned char>(text[word.size()]))))
            return word.size();
    }
    return 0;
}

int Precedence(std::int64_t nOperator)
{
    return nOperator == OpDivide || nOperator == OpMultiply ? 2 : 1;
}
} // namespace

bool CAnswerReader::NextStep(std::vector<SToken>& tokens)
{
    tokens.clear();
    while (m_nByte < m_answer.size())
    {
        SToken t{EToken::Other, 0, ++m_nChar, 1, m_nByte, 0};
        const std::uint32_t c = Decode(m_answer, m_nByte);
        t.nBytes = m_nByte - t.nByte;
        if (c == '\n' || c == '\r')
        {
            if (c == '\r' && m_nByte < m_answer.size() && m_answer[m_nByte] == '\n')
                ++m_nByte, ++m_nChar;
            m_lineStarts.push_back(m_nChar + 1);
        }
        if (c == '\n' || c == '\r' || c == ';' || c == ',')
        {
            if (tokens.empty())
                continue;
            return true;
        }
        if (c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0xA0 || c == 0x2007 ||
            c == 0x2009 || c == 0x202F)
            continue;
        t.nValue = c;
        if (c >= '0' && c <= '9')
        {
            t.eKind = EToken::Number;
            t.nValue = c - '0';
            // Beyond 2^31 - 1 a number is too large, whatever its digits: the value stops
            // growing, so that no digit string overflows.
            for (;
                 m_nByte < m_answer.size() && m_answer[m_nByte] >= '0' && m_answer[m_nByte] <= '9';
                 ++m_nByte, ++m_nChar, ++t.nLength, ++t.nBytes)
                t.nValue = std::min(t.nValue * 10 + (m_answer[m_nByte] - '0'), kMax32 + 1);
        }
        else if (c == '+')
            t = {EToken::Operator, OpAdd, t.nPosition, 1, t.nByte, t.nBytes};
        else if (c == '-' || c == 0x2212 || c == 0x2013)
            t = {EToken::Operator, OpSubtract, t.nPosition, 1, t.nByte, t.nBytes};
        else if (c == 'x' || c == 'X' || c == '*' || c == 0xD7)
            t = {EToken::Operator, OpMultiply, t.nPosition, 1, t.nByte, t.nBytes};
        else if (c == '/' || c == ':' || c == 0xF7)
            t = {EToken::Operator, OpDivide, t.nPosition, 1, t.nByte, t.nBytes};
        else if (c == '(' || c == ')' || c == '=')
            t.eKind = c == '(' ? EToken::Open : c == ')' ? EToken::Close : EToken::Equals;
        else if (const std::size_t n = tokens.empty() ? Word(m_answer.substr(t.nByte)) : 0)
        {
            t = {EToken::Solution, 0, t.nPosition, static_cast<int>(n), t.nByte, n};
            m_nByte = t.nByte + n;
            m_nChar += static_cast<int>(n) - 1;
        }
        tokens.push_back(t);
    }
    return !tokens.empty();
}

void CAnswerReader::Syntax(const SToken& found, unsigned nExpected)
{
    CJudge::SFault fault;
    fault.eKind = CJudge::EFault::Syntax;
    fault.nStep = m_pStep->nStep;
    fault.nPosition = found.nPosition;
    fault.nLength = found.nLength;
    fault.found = found.eKind == EToken::Other && found.nValue == 0xFFFD
                      ? "\xEF\xBF\xBD"
                      : std::string(m_answer.substr(found.nByte, found.nBytes));
    fault.nExpected = nExpected;
    m_pFaults->push_back(fault);
}

bool CAnswerReader::Expression(const std::vector<SToken>& tokens, std::size_t& i,
                               std::vector<SNode>& nodes, bool bLeft)
{
    // Operators waiting for their right operand (-1: a parenthesis), with their tokens, and
    // the operands made so far.
    std::vector<std::pair<int, std::size_t>> pending;
    std::vector<int> operands;
    int nDepth = 0;
    auto apply = [&]
    {
        const auto [nOperator, nToken] = pending.back();
        pending.pop_back();
        const int nRight = operands.back();
        operands.pop_back();
        nodes.push_back({nOperator, 0, operands.back(), nRight, tokens[nToken].nPosition, 1});
        operands.back() = static_cast<int>(nodes.size()) - 1;
    };
    for (bool bOperand = true;; ++i)
    {
        const SToken& t = tokens[i];
        if (bOperand && t.eKind == EToken::Number)
        {
            nodes.push_back({-1, t.nValue, -1, -1, t.nPosition, t.nLength});
            operands.push_back(static_cast<int>(nodes.size()) - 1);
            bOperand = false;
        }
        else if (bOperand && t.eKind == EToken::Open)
        {
            pending.push_back({-1, i});
            ++nDepth;
        }
        else if (bOperand)
        {
            Syntax(t, CJudge::ExpectNumber | CJudge::ExpectOpenParen);
            return false;
        }
        else if (t.eKind == EToken::Operator)
        {
            while (!pending.empty() && pending.back().first >= 0 &&
                   Precedence(pending.back().first) >= Precedence(t.nValue))
                apply();
            pending.push_back({static_cast<int>(t.nValue), i});
            bOperand = true;
        }
        else if (t.eKind == EToken::Close && nDepth > 0)
        {
            while (pending.back().first >= 0)
                apply();
            pending.pop_back();
            --nDepth;
        }
        else if ((t.eKind == EToken::End || t.eKind == EToken::Equals) && nDepth == 0)
            break;
        else
        {
            Syntax(t, CJudge::ExpectOperator |
                          (nDepth > 0 ? CJudge::ExpectCloseParen
                                      : CJudge::ExpectEnd |
                                            (bLeft ? unsigned{CJudge::ExpectEquals} : 0u)));
            return false;
        }
    }
    while (!pending.empty())
        apply();
    return true;
}

void CAnswerReader::Read(std::string_view answer, std::vector<SStep>& steps,
                         std::vector<CJudge::SFault>& faults)
{
    m_answer = answer;
    m_nByte = 0;
    m_nChar = 0;
    m_lineStarts.assign(1, 1);
    m_pFaults = &faults;
    std::vector<SToken> tokens;
    while (NextStep(tokens))
    {
        SStep& step = steps.emplace_back();
        m_pStep = &step;
        step.nStep = static_cast<int>(steps.size());
        step.nPosition = tokens.front().nPosition;
        step.nLength = tokens.back().nPosition + tokens.back().nLength - step.nPosition;
        tokens.push_back({EToken::End, 0, step.nPosition + step.nLength, 0, m_nByte, 0});
        for (const SToken& t : tokens)
        {
            if (t.eKind == EToken::Number && t.nValue > kMax32)
            {
                Syntax(t, 0);
                faults.back().eKind = CJudge::EFault::TooLarge;
            }
        }
        std::size_t i = tokens[0].eKind == EToken::Solution ? 1 : 0;
        // "Solution : n", the dialog's last line, states the answer's value.
        if (i == 1 && tokens[i].eKind == EToken::Operator && tokens[i].nValue == OpDivide)
            ++i;
        std::vector<SNode> left;
        if (i == 0 && !Expression(tokens, i, left, true))
            continue;
        if (tokens[i].eKind == EToken::End)
        {
            if (tokens[0].eKind == EToken::Solution)
                Syntax(tokens[i], CJudge::ExpectNumber);
            step.nodes = std::move(left);
            continue;
        }
        // The side of the equals sign that is a number alone is the result stated; one below
        // 0 ("3 - 7 = -4") is read as such, for the fault it shows.
        const std::size_t nEquals = i;
        i += tokens[0].eKind == EToken::Solution ? 0 : 1;
        const bool bNegative =
            tokens[i].eKind == EToken::Operator && tokens[i].nValue == OpSubtract &&
            tokens[i + 1].eKind == EToken::Number && tokens[i + 2].eKind == EToken::End;
        std::vector<SNode> right;
        if (!Expression(tokens, i += bNegative ? 1 : 0, right, false))
            continue;
        if (tokens[i].eKind != EToken::End)
        {
            Syntax(tokens[i], CJudge::ExpectOperator | CJudge::ExpectEnd);
            continue;
        }
        if (right.size() != 1 && left.size() != 1)
        {
            Syntax(*std::find_if(tokens.begin() + nEquals, tokens.end(),
                                 [](const SToken& t) { return t.eKind == EToken::Operator; }),
                   CJudge::ExpectEnd);
            continue;
        }
        const bool bRight = right.size() == 1;
        const SNode& stated = bRight ? right[0] : left[0];
        step.nodes = std::move(bRight ? left : right);
        step.bStated = true;
        step.nStated = bNegative ? -stated.nValue : stated.nValue;
        step.nStatedPosition = stated.nPosition - (bNegative ? 1 : 0);
        step.nStatedLength = stated.nLength + (bNegative ? 1 : 0);
        step.bStatesValue = step.nodes.empty();
    }
}

void CAnswerReader::Locate(CJudge::SFault& fault) const
{
    const auto line = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), fault.nPosition);
    fault.nLine = static_cast<int>(line - m_lineStarts.begin());
    fault.nColumn = fault.nPosition - *(line - 1) + 1;
}
