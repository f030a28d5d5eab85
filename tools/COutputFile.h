#pragma once

#include <optional>
#include <string>
#include <string_view>

// A file that appears whole or not at all. It is written under a temporary name in the
// same folder and takes its own name only when Commit renames it, so that an earlier file
// of that name stays whole until then. The temporary file is removed when the object goes
// without a commit (a failure) and when a signal ends the program (CSignalCleanup). The
// first failure is kept, as a message naming the file.
class COutputFile
{
public:
    // Opens the temporary file; Error() says why when it cannot.
    explicit COutputFile(std::string path);
    ~COutputFile();
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    void Write(std::string_view bytes);
    // Closes the temporary file: nothing when every byte was written, else why not.
    std::optional<std::string> Close();
    // Gives the closed file its name; nothing when it is there, else why not.
    std::optional<std::string> Commit();

    const std::optional<std::string>& Error() const { return m_error; }
    const std::string& Path() const { return m_path; }

    // Writes the bytes as the file's whole content, and commits it.
    static std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes);

private:
    void Fail(int nError);
    void Discard();

    std::string m_path;
    std::string m_temporary;
    int m_fd = -1;
    int m_nSlot = -1;
    bool m_bCommitted = false;
    std::optional<std::string> m_error;
};
