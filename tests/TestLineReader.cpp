#include "CLineReader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace
{
// A file in a directory of its own, removed at the end.
class CTempDir
{
public:
    CTempDir()
    {
        char szPattern[] = "/tmp/line-reader-XXXXXX";
        m_path = mkdtemp(szPattern);
    }
    ~CTempDir() { std::filesystem::remove_all(m_path); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        const std::string path = m_path + "/" + name;
        std::FILE* pFile = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), pFile);
        std::fclose(pFile);
        return path;
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// What the reader gives, one entry a line: "N:text" or "N:too long", then how it ended.
std::vector<std::string> ReadAll(CLineReader& reader)
{
    std::vector<std::string> lines;
    for (;;)
    {
        std::string_view line;
        switch (reader.Next(line))
        {
        case CLineReader::EStatus::Line:
            lines.push_back(std::to_string(reader.LineNumber()) + ":" + std::string(line));
            break;
        case CLineReader::EStatus::TooLong:
            lines.push_back(std::to_string(reader.LineNumber()) + ":too long");
            break;
        case CLineReader::EStatus::End:
            lines.emplace_back("end");
            return lines;
        case CLineReader::EStatus::Error:
            lines.push_back("error " + reader.ErrorName() + ": " + std::strerror(reader.Error()));
            return lines;
        }
    }
}
} // namespace

TEST(LineReader, SplitsFilesIntoLinesUpToTheBoundWhereverTheyFallInItsBuffer)
{
    CTempDir dir;
    // Lines at the bound and past it, placed so that some straddle the buffer's refills,
    // and a last line without its newline; then a file with a byte-order mark.
    const std::string atBound(CLineReader::nMaxLine, 'a');
    std::string first;
    std::vector<std::string> expected;
    long nLine = 0;
    for (int n = 0; n < 40; ++n)
    {
        const std::string line = n % 3 == 0 ? atBound : std::string(n * 997 % 5000, 'b');
        first += line + "\n";
        ++nLine;
        expected.push_back(std::to_string(nLine) + ":" +
                           (line.size() > CLineReader::nMaxLine ? "too long" : line));
    }
    first += std::string(200000, 'c') + "\n\r\0x\n"s + "last";
    expected.insert(expected.end(),
                    {std::to_string(nLine + 1) + ":too long", std::to_string(nLine + 2) + ":\r\0x"s,
                     std::to_string(nLine + 3) + ":last"});
    const std::string second = "\xEF\xBB\xBF"
                               "1 2 3 4 5 6 7\n" +
                               atBound + "b";
    expected.insert(expected.end(), {std::to_string(nLine + 4) + ":1 2 3 4 5 6 7",
                                     std::to_string(nLine + 5) + ":too long", "end"});

    CLineReader reader({dir.Write("first", first), dir.Write("second", second)});
    ASSERT_EQ(reader.TotalBytes(), first.size() + second.size());
    EXPECT_EQ(ReadAll(reader), expected);
    EXPECT_EQ(reader.BytesRead(), first.size() + second.size());
}

TEST(LineReader, NamesTheInputThatCannotBeReadAfterTheLinesBeforeIt)
{
    CTempDir dir;
    const std::string games = dir.Write("games", "1 2 3 4 5 6 7\n");
    CLineReader missing({games, dir.Path() + "/missing", games});
    EXPECT_EQ(ReadAll(missing), (std::vector<std::string>{
                                    "1:1 2 3 4 5 6 7", "error " + dir.Path() +
                                                           "/missing: No such file or directory"}));
    CLineReader directory({games, dir.Path()});
    EXPECT_EQ(
        ReadAll(directory),
        (std::vector<std::string>{"1:1 2 3 4 5 6 7", "error " + dir.Path() + ": Is a directory"}));
    EXPECT_EQ(directory.TotalBytes(), std::nullopt);
}

TEST(LineReader, SaysWhenItWouldWaitForMoreInput)
{
    int anPipe[2];
    ASSERT_EQ(pipe(anPipe), 0);
    ASSERT_EQ(write(anPipe[1], "1 2\n3 4", 7), 7);
    // The pipe is standard input for the reader.
    const int nSavedInput = dup(0);
    ASSERT_EQ(dup2(anPipe[0], 0), 0);
    close(anPipe[0]);
    int nStalls = 0;
    {
        CLineReader reader;
        // Once the reader has taken all there is, it says so before it waits; the rest then
        // comes.
        reader.OnStall(
            [&]
            {
                if (++nStalls == 1)
                {
                    EXPECT_EQ(write(anPipe[1], " 5\n", 3), 3);
                    close(anPipe[1]);
                }
            });
        EXPECT_EQ(ReadAll(reader), (std::vector<std::string>{"1:1 2", "2:3 4 5", "end"}));
        EXPECT_EQ(reader.TotalBytes(), std::nullopt);
    }
    // Not at the start, where there was something to read, nor at the end of the input.
    EXPECT_EQ(nStalls, 1);
    dup2(nSavedInput, 0);
    close(nSavedInput);
}
