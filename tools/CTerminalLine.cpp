#include "CTerminalLine.h"

#include <algorithm>
#include <string>

CTerminalLine::CTerminalLine(Output output, Width width)
    : m_output(std::move(output)), m_width(std::move(width))
{
}

std::size_t CTerminalLine::Room() const
{
    const std::size_t nWidth = m_width();
    return nWidth > 1 ? nWidth - 1 : 1;
}

void CTerminalLine::Show(std::string_view text)
{
    text = text.substr(0, Room());
    const std::lock_guard lock(m_mutex);
    // Spaces cover what is left of a longer text shown before.
    std::string line = "\r";
    line.append(text);
    const std::size_t nShown = Shown();
    if (text.size() < nShown)
        line.append(nShown - text.size(), ' ');
    // A signal that comes during the write erases at least what it may have put there.
    m_nShown.store(std::max(nShown, text.size()), std::memory_order_relaxed);
    m_output(line);
    m_nShown.store(text.size(), std::memory_order_relaxed);
}

void CTerminalLine::Erase()
{
    const std::lock_guard lock(m_mutex);
    EraseLocked();
}

void CTerminalLine::EraseAround(const std::function<void()>& write)
{
    const std::lock_guard lock(m_mutex);
    EraseLocked();
    write();
}

void CTerminalLine::EraseLocked()
{
    const std::size_t nShown = Shown();
    if (nShown == 0)
        return;
    m_output("\r" + std::string(nShown, ' ') + "\r");
    m_nShown.store(0, std::memory_order_relaxed);
}
