#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string_view>

// The one line of a terminal where a tool shows its progress: a text redrawn in place (a
// carriage return, no new line), cut to the terminal's width so that it never wraps, and
// erased (spaces over it, the cursor back at its start) before anything else is written
// there. Several threads may show, erase and write around it.
class CTerminalLine
{
public:
    // Writes bytes to the terminal as they come.
    using Output = std::function<void(std::string_view bytes)>;
    // The terminal's width in columns, asked again before each drawing (it may be resized).
    using Width = std::function<std::size_t()>;

    CTerminalLine(Output output, Width width);
    CTerminalLine(const CTerminalLine&) = delete;
    CTerminalLine& operator=(const CTerminalLine&) = delete;

    // Shows the text in place of the one shown, cut short of the last column: a character
    // there would move the cursor to the next line on some terminals.
    void Show(std::string_view text);
    // Erases the text shown, if any.
    void Erase();
    // Erases the text shown, then runs write while nothing else is shown: what it writes
    // reaches the terminal on a line of its own.
    void EraseAround(const std::function<void()>& write);

    // The columns that a text may take now.
    std::size_t Room() const;
    // The length of the text shown, 0 when none: read by a signal handler, hence atomic.
    std::size_t Shown() const { return m_nShown.load(std::memory_order_relaxed); }

private:
    void EraseLocked();

    Output m_output;
    Width m_width;
    std::mutex m_mutex;
    std::atomic<std::size_t> m_nShown{0};
};
