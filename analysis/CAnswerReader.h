#pragma once

#include "CJudge.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Reads a player's answer (see CJudge) into its steps, each an expression with the result it
// states. It reads in one pass, without recursion, in time linear in the length of the text,
// whatever the text holds.
class CAnswerReader
{
public:
    // A number or an operation of a step's expression, each operation after its operands.
    struct SNode
    {
        int nOperator = -1; // an EOperator, or -1 for a number
        std::int64_t nValue = 0;
        int nLeft = -1;
        int nRight = -1;
        // The number's or the operator's place in the answer, in characters from 1.
        int nPosition = 0;
        int nLength = 0;
    };

    struct SStep
    {
        int nStep = 0;
        int nPosition = 0;
        int nLength = 0;
        // The expression, its value last; empty after a syntax fault.
        std::vector<SNode> nodes;
        bool bStated = false;
        std::int64_t nStated = 0;
        int nStatedPosition = 0;
        int nStatedLength = 0;
        // "Solution : n" (the dialog's line), or a number alone among steps: it states the
        // answer's value.
        bool bStatesValue = false;
    };

    // Reads the answer: its steps, its syntax faults and numbers beyond 32 bits.
    void Read(std::string_view answer, std::vector<SStep>& steps,
              std::vector<CJudge::SFault>& faults);
    // The line and column of a fault's position.
    void Locate(CJudge::SFault& fault) const;

private:
    enum class EToken
    {
        Number,
        Operator,
        Open,
        Close,
        Equals,
        Solution,
        Other,
        End,
    };
    struct SToken
    {
        EToken eKind = EToken::End;
        std::int64_t nValue = 0; // a number's value, an operator, or a character not understood
        int nPosition = 0;
        int nLength = 0;
        std::size_t nByte = 0;
        std::size_t nBytes = 0;
    };

    // The tokens of the next step, from the text at m_nByte; false at the end of the answer.
    bool NextStep(std::vector<SToken>& tokens);
    // Reads one side of a step into nodes, from tokens[i] up to its end or an equals sign.
    bool Expression(const std::vector<SToken>& tokens, std::size_t& i, std::vector<SNode>& nodes,
                    bool bLeft);
    void Syntax(const SToken& found, unsigned nExpected);

    std::string_view m_answer;
    std::size_t m_nByte = 0;
    int m_nChar = 0;
    std::vector<int> m_lineStarts;
    SStep* m_pStep = nullptr;
    std::vector<CJudge::SFault>* m_pFaults = nullptr;
};
