#include "CGameLine.h"

#include "ParseDecimal.h"

namespace
{
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

CGameLine::CGameLine(std::string_view line)
{
    std::size_t nCount = 0;
    std::size_t i = 0;
    for (;;)
    {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size())
            break;
        if (nCount == 0 && line[i] == '#')
            return;
        const std::size_t nStart = i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
        const std::string_view word = line.substr(nStart, i - nStart);
        const std::optional<int> value = ParseNumber(word);
        if (nCount == nNumbers || !value)
        {
            m_kind = EKind::Malformed;
            return;
        }
        m_texts[nCount] = word;
        m_anValues[nCount] = *value;
        ++nCount;
    }
    if (nCount > 0)
        m_kind = nCount == nNumbers ? EKind::Game : EKind::Malformed;
}

std::optional<int> CGameLine::ParseNumber(std::string_view text)
{
    const std::size_t nFirst = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (text.size() == nFirst)
        return std::nullopt;
    for (std::size_t i = nFirst; i < text.size(); ++i)
    {
        if (!IsDigit(text[i]))
            return std::nullopt;
    }
    // The dialog's own conversion, given the whole text: it reads every digit and
    // saturates rather than overflowing.
    return ParseDecimal(std::string(text).c_str());
}

std::string_view CGameLine::SkipByteOrderMark(std::string_view text)
{
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    return text;
}
