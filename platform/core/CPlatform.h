#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Message box kinds and answers, with the values the dialog code was written against.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr int IDOK = 1;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

enum class ECursor
{
    Arrow,
    Wait,
};

// The system services that the game and the dialog call: message boxes, the calendar
// clock and a steady one, standard output and the mouse cursor. One implementation is
// installed at a time; the windowed program installs the toolkit's, tests install a
// recording one.
class CPlatform
{
public:
    virtual ~CPlatform();

    // Shows a modal box with the exclamation icon and the application's title as caption;
    // returns IDOK, IDYES or IDNO once it is closed.
    virtual int MessageBox(const std::string& text, unsigned nType) = 0;
    // Whole seconds since 1 January 1970, 00:00 UTC.
    virtual std::int64_t CalendarTime() = 0;
    // Milliseconds from an arbitrary origin, on a clock that moves at the pace of real time
    // whatever is done to the calendar (an NTP step, date -s). The system's steady clock
    // unless a platform has its own.
    virtual std::int64_t MonotonicMilliseconds();
    virtual void WriteOutput(std::string_view text) = 0;
    virtual void SetCursor(ECursor cursor) = 0;

    // The calling thread's own platform if it has one, else the process's.
    static CPlatform& Current();
    // Makes the given platform current and returns the one it replaces (nullptr puts back
    // the console platform).
    static CPlatform* Install(CPlatform* pPlatform);
    // Makes the given platform current for the calling thread alone, over the process's, and
    // returns the thread's previous one (nullptr: none, the process's applies again).
    static CPlatform* InstallForThisThread(CPlatform* pPlatform);
};

// Formats like printf and writes the text to standard output through the current platform.
void PlatformPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

inline int AfxMessageBox(const std::string& text, unsigned nType = MB_OK)
{
    return CPlatform::Current().MessageBox(text, nType);
}
