#include "CConsolePlatform.h"

#include <cstdio>
#include <ctime>

int CConsolePlatform::MessageBox(const std::string& text, unsigned nType)
{
    std::fprintf(stderr, "%s\n", text.c_str());
    return nType == MB_YESNO ? IDNO : IDOK;
}

std::int64_t CConsolePlatform::CalendarTime()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

void CConsolePlatform::WriteOutput(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}
