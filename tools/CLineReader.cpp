#include "CLineReader.h"

#include "CGameLine.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Room for a whole line and its newline, and for large reads after it.
constexpr std::size_t kBufferSize = 64 * 1024;
static_assert(kBufferSize > 4 * (CLineReader::nMaxLine + 1));

bool IsStandardInput(const std::string& name)
{
    return name == "-";
}

// Nothing to read now: a read would wait.
bool WouldWait(int fd)
{
    pollfd poll_fd{fd, POLLIN, 0};
    return poll(&poll_fd, 1, 0) == 0;
}
} // namespace

CLineReader::CLineReader(std::vector<std::string> names)
    : m_names(std::move(names)), m_buffer(kBufferSize)
{
    if (m_names.empty())
        m_names.emplace_back("-");
}

CLineReader::~CLineReader()
{
    CloseInput();
}

std::optional<std::uint64_t> CLineReader::TotalBytes() const
{
    std::uint64_t nTotal = 0;
    for (const std::string& name : m_names)
    {
        struct stat status = {};
        const bool bStdin = IsStandardInput(name);
        if ((bStdin ? fstat(0, &status) : stat(name.c_str(), &status)) != 0 ||
            !S_ISREG(status.st_mode))
            return std::nullopt;
        off_t nOffset = 0;
        // Standard input may have been read in part before the program started.
        if (bStdin && (nOffset = lseek(0, 0, SEEK_CUR)) < 0)
            nOffset = 0;
        if (status.st_size > nOffset)
            nTotal += static_cast<std::uint64_t>(status.st_size - nOffset);
    }
    return nTotal;
}

bool CLineReader::OpenNext()
{
    CloseInput();
    if (m_nNext == m_names.size())
        return false;
    const std::string& name = m_names[m_nNext++];
    if (IsStandardInput(name))
    {
        m_fd = 0;
        m_name = szStandardInput;
    }
    else
    {
        m_fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
        m_nError = errno;
        m_name = name;
        if (m_fd < 0)
            return true;
    }
    m_nStart = m_nScanned = m_nEnd = 0;
    struct stat status = {};
    m_bRegular = fstat(m_fd, &status) == 0 && S_ISREG(status.st_mode);
    m_bFirstLine = true;
    return true;
}

void CLineReader::CloseInput()
{
    if (m_fd > 0)
        close(m_fd);
    m_fd = -1;
}

long CLineReader::Fill()
{
    if (!m_bRegular && m_onStall && WouldWait(m_fd))
        m_onStall();
    for (;;)
    {
        const ssize_t nRead = read(m_fd, m_buffer.data() + m_nEnd, m_buffer.size() - m_nEnd);
        if (nRead >= 0)
        {
            m_nEnd += static_cast<std::size_t>(nRead);
            m_nBytesRead += static_cast<std::uint64_t>(nRead);
            return nRead;
        }
        if (errno != EINTR)
            return -1;
    }
}

CLineReader::EStatus CLineReader::Fail(const std::string& name, int nError)
{
    m_bFailed = true;
    m_errorName = name;
    m_nError = nError;
    CloseInput();
    return EStatus::Error;
}

CLineReader::EStatus CLineReader::Next(std::string_view& line)
{
    if (m_bFailed)
        return EStatus::Error;
    for (;;)
    {
        if (m_fd < 0)
        {
            if (!OpenNext())
                return EStatus::End;
            if (m_fd < 0)
                return Fail(m_name, m_nError);
        }
        const char* pData = m_buffer.data();
        const void* pNewline = std::memchr(pData + m_nScanned, '\n', m_nEnd - m_nScanned);
        std::size_t nLineEnd = pNewline ? static_cast<const char*>(pNewline) - pData : m_nEnd;
        if (m_bSkipping)
        {
            // The rest of a line too long: dropped as it comes.
            m_nStart = m_nScanned = pNewline ? nLineEnd + 1 : m_nEnd;
            m_bSkipping = !pNewline;
            if (pNewline)
                continue;
        }
        else if (nLineEnd - m_nStart > nMaxLine)
        {
            ++m_nLine;
            m_bFirstLine = false;
            m_nStart = m_nScanned = pNewline ? nLineEnd + 1 : m_nEnd;
            m_bSkipping = !pNewline;
            return EStatus::TooLong;
        }
        else if (pNewline)
        {
            line = std::string_view(pData + m_nStart, nLineEnd - m_nStart);
            m_nStart = m_nScanned = nLineEnd + 1;
            break;
        }
        else
            m_nScanned = m_nEnd;

        // No newline yet: keep the line begun at the buffer's start, and read more.
        if (m_nStart > 0)
        {
            std::memmove(m_buffer.data(), pData + m_nStart, m_nEnd - m_nStart);
            m_nEnd -= m_nStart;
            m_nScanned -= m_nStart;
            m_nStart = 0;
        }
        const long nRead = Fill();
        if (nRead < 0)
            return Fail(m_name, errno);
        if (nRead > 0)
            continue;
        // The end of this input: its last line may lack a newline.
        const bool bLastLine = m_nEnd > m_nStart && !m_bSkipping;
        CloseInput();
        m_bSkipping = false;
        if (bLastLine)
        {
            line = std::string_view(m_buffer.data() + m_nStart, m_nEnd - m_nStart);
            m_nStart = m_nScanned = m_nEnd;
            break;
        }
    }
    ++m_nLine;
    if (m_bFirstLine)
        line = CGameLine::SkipByteOrderMark(line);
    m_bFirstLine = false;
    return EStatus::Line;
}
