#pragma once

#include "CPlatform.h"

// The platform without a window: the real clock and standard output. A message box has
// nobody to ask, so its text goes to standard error and it answers as if OK or No was chosen.
class CConsolePlatform : public CPlatform
{
public:
    int MessageBox(const std::string& text, unsigned nType) override;
    std::int64_t CalendarTime() override;
    void WriteOutput(std::string_view text) override;
    void SetCursor(ECursor) override {}
};
