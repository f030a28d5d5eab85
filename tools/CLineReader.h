#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads the lines of pivolo-solve's input: standard input, or files read in turn as one
// input ("-" standing for standard input), through one buffer of a fixed size. A line
// longer than the bound is reported as soon as it passes the bound, and the rest of it is
// skipped without being kept, so that memory stays the same whatever the input holds.
// Lines are numbered from 1 across all the inputs; a UTF-8 byte-order mark at the start
// of each input is dropped, and the last line of an input may lack its newline.
class CLineReader
{
public:
    // The longest line kept, its newline not counted.
    static constexpr std::size_t nMaxLine = 4096;

    enum class EStatus
    {
        // A line, without its newline.
        Line,
        // A line longer than nMaxLine: its number is given, its rest will be skipped.
        TooLong,
        // Every input was read to its end.
        End,
        // An input could not be opened or read: ErrorName() and Error() say which and why.
        Error,
    };

    // No names: standard input alone.
    explicit CLineReader(std::vector<std::string> names = {});
    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;
    ~CLineReader();

    // Called before a read that would wait for more input (a pipe or a terminal with
    // nothing to read yet), so that what is done so far can be written meanwhile.
    void OnStall(std::function<void()> onStall) { m_onStall = std::move(onStall); }

    // The next line; the view stays valid until the next call.
    EStatus Next(std::string_view& line);
    long LineNumber() const { return m_nLine; }
    // The input that failed ("standard input" for "-"), and errno.
    const std::string& ErrorName() const { return m_errorName; }
    int Error() const { return m_nError; }

    // The bytes read so far, and the sum of the inputs' sizes when every input is a regular
    // file (nothing when some input's length cannot be known, as a pipe's).
    std::uint64_t BytesRead() const { return m_nBytesRead; }
    std::optional<std::uint64_t> TotalBytes() const;

    static constexpr const char* szStandardInput = "standard input";

private:
    bool OpenNext();
    void CloseInput();
    // Reads more bytes after those kept; 0 at the end of the input, -1 on an error.
    long Fill();
    EStatus Fail(const std::string& name, int nError);

    std::vector<std::string> m_names;
    std::size_t m_nNext = 0;
    int m_fd = -1;
    bool m_bRegular = false;
    bool m_bFirstLine = false;
    std::string m_name;

    std::vector<char> m_buffer;
    std::size_t m_nStart = 0;
    std::size_t m_nEnd = 0;
    // How far the current line was searched for its newline.
    std::size_t m_nScanned = 0;
    // Skipping the rest of a line too long.
    bool m_bSkipping = false;
    bool m_bFailed = false;

    long m_nLine = 0;
    std::uint64_t m_nBytesRead = 0;
    std::string m_errorName;
    int m_nError = 0;
    std::function<void()> m_onStall;
};
