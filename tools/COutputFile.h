#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// A file written whole, with every failure kept: the first one that a write or the closing
// met (a full disk shows only there), as a message naming the file.
class COutputFile
{
public:
    explicit COutputFile(std::string path);
    ~COutputFile();
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    void Write(std::string_view text);
    // Closes the file: nothing when every byte was written, else why not.
    std::optional<std::string> Close();

    // Writes the bytes as the file's whole content.
    static std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes);

private:
    void Fail(int nError);

    std::string m_path;
    std::FILE* m_pFile = nullptr;
    std::optional<std::string> m_error;
};
