#pragma once

#include "CPlatform.h"

// The windowed program's platform: message boxes over the active window, the system's
// calendar clock, standard output and the application's override cursor.
class CQtPlatform : public CPlatform
{
public:
    CQtPlatform() = default;
    CQtPlatform(const CQtPlatform&) = delete;
    CQtPlatform& operator=(const CQtPlatform&) = delete;

    int MessageBox(const std::string& text, unsigned nType) override;
    std::int64_t CalendarTime() override;
    void WriteOutput(std::string_view text) override;
    void SetCursor(ECursor cursor) override;
};
