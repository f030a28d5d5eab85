#pragma once

#include "CBatchGame.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What pivolo-solve --json writes: one JSON object a line of input that is not skipped, on a
// line of its own, with the content of the text lines (CBatchGame, CAllSolutionsText,
// CVerdictText), every string valid UTF-8 (a byte that is not becomes U+FFFD).
class CSolveJson
{
public:
    // A line that holds no game, or is too long: {"line": N, "error": MESSAGE}.
    static void AppendRefused(long nLine, std::string_view error, std::string& text);
    // A game checked and solved, with every distinct solution of the values it reaches when
    // allMax is given; false when the game was refused.
    static bool Play(long nLine, CBatchGame& game, std::optional<std::size_t> allMax,
                     std::string& text);
    // A game checked and the answer judged; false when the game was refused.
    static bool Check(long nLine, CBatchGame& game, std::string_view answer, std::string& text);
};
