#pragma once

#include "CBatchGame.h"
#include "CJudge.h"

#include <string>
#include <string_view>
#include <vector>

// What pivolo-solve --check writes of an answer to a game, as lines of text in English: the
// game, the answer, then each fault of an answer that is not valid, or the value of a valid
// one, how far from the target and whether the tiles make nothing nearer, the order in which
// its steps are legal, the steps it leaves out, and the distinct solution it is. The words of
// each fault and step serve the JSON Lines too.
class CVerdictText
{
public:
    // Checks the game as the dialog does and judges the answer; appends the lines. False
    // when the game was refused ("game:" and "error:" lines, as without --check).
    static bool Play(CBatchGame& game, std::string_view answer, std::string& text);

    // "7 / 2 is not whole", "8 is used twice but drawn once", ...
    static std::string FaultText(const CJudge::SFault& fault, int nSteps);
    // "step 2 position 14", or "position 1" where the fault has no step.
    static std::string Where(int nStep, int nPosition);
    // What a step that a valid answer leaves out does: "changes nothing", "is a detour", "is
    // not used"; empty for a step kept.
    static const char* RoleText(CJudge::ERole eRole);
    // The answer on one line: each line end (a line feed or a carriage return) shown as ;,
    // which also separates steps, and any other control character as ?, one character for
    // one, so that positions stay those of the answer.
    static std::string OneLine(std::string_view answer);
    // Where a value stands from the target: "target", "above" or "below".
    static const char* Side(std::int32_t nValue, std::int32_t nTarget);
};
