#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// One line of pivolo-solve's input, read as a game ("t1 t2 t3 t4 t5 t6 target"), as a line
// to skip (blanks only, or a comment whose first other character is #), or as neither.
// Numbers are separated by ASCII blanks (space, tab, line feed, vertical tab, form feed,
// carriage return); any other byte, a NUL included, belongs to a word.
class CGameLine
{
public:
    enum class EKind
    {
        Skipped,
        Game,
        Malformed,
    };
    static constexpr std::size_t nNumbers = 7;

    explicit CGameLine(std::string_view line);

    EKind Kind() const { return m_kind; }
    // The numbers as they were typed, the six tiles and then the target; for a game only.
    const std::array<std::string, nNumbers>& Texts() const { return m_texts; }
    const std::array<int, nNumbers>& Values() const { return m_anValues; }

    // A number's whole text: an optional sign and at least one decimal digit, nothing else.
    // Leading zeros are allowed; a value beyond an int's range becomes INT_MIN or INT_MAX,
    // which every check refuses, rather than wrapping into range.
    static std::optional<int> ParseNumber(std::string_view text);
    // The input without the UTF-8 byte-order mark that some editors put at its start.
    static std::string_view SkipByteOrderMark(std::string_view text);

private:
    EKind m_kind = EKind::Skipped;
    std::array<std::string, nNumbers> m_texts;
    std::array<int, nNumbers> m_anValues{};
};
