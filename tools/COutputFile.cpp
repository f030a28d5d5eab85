#include "COutputFile.h"

#include <cerrno>
#include <cstring>

COutputFile::COutputFile(std::string path) : m_path(std::move(path))
{
    m_pFile = std::fopen(m_path.c_str(), "wb");
    if (!m_pFile)
        Fail(errno);
}

COutputFile::~COutputFile()
{
    if (m_pFile)
        std::fclose(m_pFile);
}

void COutputFile::Fail(int nError)
{
    if (!m_error)
        m_error = "cannot write " + m_path + ": " + std::strerror(nError);
}

void COutputFile::Write(std::string_view text)
{
    if (m_pFile && !m_error && std::fwrite(text.data(), 1, text.size(), m_pFile) != text.size())
        Fail(errno);
}

std::optional<std::string> COutputFile::Close()
{
    if (m_pFile)
    {
        std::FILE* pFile = m_pFile;
        m_pFile = nullptr;
        if (std::fclose(pFile) != 0)
            Fail(errno);
    }
    return m_error;
}

std::optional<std::string> COutputFile::WriteWhole(const std::string& path, std::string_view bytes)
{
    COutputFile file(path);
    file.Write(bytes);
    return file.Close();
}
