#include "CCheckLine.h"

#include <algorithm>

namespace
{
std::string_view BeforeSeparator(std::string_view line)
{
    return line.substr(0, line.find(CCheckLine::cSeparator));
}
} // namespace

CCheckLine::CCheckLine(std::string_view line)
    : m_kind(CGameLine::EKind::Malformed), m_game(BeforeSeparator(line))
{
    const std::size_t nSeparator = line.find(cSeparator);
    // A line of blanks, or a comment whatever it holds after its #.
    if (CGameLine(line).Kind() == CGameLine::EKind::Skipped)
    {
        m_kind = CGameLine::EKind::Skipped;
        return;
    }
    if (nSeparator == std::string_view::npos || m_game.Kind() != CGameLine::EKind::Game)
        return;
    m_kind = CGameLine::EKind::Game;
    // Blanks around the answer are no part of it: positions count from its first character.
    constexpr std::string_view kBlanks = " \t\n\v\f\r";
    m_answer = line.substr(nSeparator + 1);
    m_answer.remove_prefix(std::min(m_answer.find_first_not_of(kBlanks), m_answer.size()));
    m_answer.remove_suffix(m_answer.size() - (m_answer.find_last_not_of(kBlanks) + 1));
}
