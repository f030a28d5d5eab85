#include "COutputFile.h"

#include "CSignalCleanup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

COutputFile::COutputFile(std::string path) : m_path(std::move(path))
{
    // ".name.PID.N" beside the file: on the same file system, so that the rename is atomic,
    // hidden from a plain listing, and made afresh (O_EXCL) so that nothing else is
    // written through it.
    const std::size_t nSlash = m_path.rfind('/');
    const std::string folder = nSlash == std::string::npos ? "" : m_path.substr(0, nSlash + 1);
    const std::string name = nSlash == std::string::npos ? m_path : m_path.substr(nSlash + 1);
    static int s_nSerial = 0;
    for (int nTry = 0; nTry < 100 && m_fd < 0; ++nTry)
    {
        m_temporary = folder + "." + name + "." + std::to_string(getpid()) + "." +
                      std::to_string(++s_nSerial);
        // Registered before it exists: a signal between the two finds nothing to remove.
        m_nSlot = CSignalCleanup::Register(m_temporary);
        m_fd = open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            break;
        const int nError = errno;
        CSignalCleanup::Forget(m_nSlot);
        m_nSlot = -1;
        if (nError != EEXIST)
        {
            Fail(nError);
            return;
        }
    }
    if (m_fd < 0)
        Fail(EEXIST);
}

COutputFile::~COutputFile()
{
    Discard();
}

void COutputFile::Fail(int nError)
{
    if (!m_error)
        m_error = "cannot write " + m_path + ": " + std::strerror(nError);
}

void COutputFile::Discard()
{
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    if (!m_bCommitted && m_nSlot >= 0)
    {
        unlink(m_temporary.c_str());
        CSignalCleanup::Forget(m_nSlot);
    }
    m_nSlot = -1;
}

void COutputFile::Write(std::string_view bytes)
{
    while (m_fd >= 0 && !m_error && !bytes.empty())
    {
        const ssize_t nWritten = write(m_fd, bytes.data(), bytes.size());
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            Fail(nWritten < 0 ? errno : EIO);
        else
            bytes.remove_prefix(static_cast<std::size_t>(nWritten));
    }
}

std::optional<std::string> COutputFile::Close()
{
    if (m_fd >= 0)
    {
        const int fd = m_fd;
        m_fd = -1;
        // A full disk may show only here.
        if (close(fd) != 0)
            Fail(errno);
    }
    return m_error;
}

std::optional<std::string> COutputFile::Commit()
{
    if (Close())
        return m_error;
    if (m_bCommitted)
        return std::nullopt;
    if (std::rename(m_temporary.c_str(), m_path.c_str()) != 0)
    {
        Fail(errno);
        return m_error;
    }
    m_bCommitted = true;
    CSignalCleanup::Forget(m_nSlot);
    m_nSlot = -1;
    return std::nullopt;
}

std::optional<std::string> COutputFile::WriteWhole(const std::string& path, std::string_view bytes)
{
    COutputFile file(path);
    file.Write(bytes);
    return file.Commit();
}
