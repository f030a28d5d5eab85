#include "ParseDecimal.h"

#include <climits>

int ParseDecimal(const char* pszText)
{
    const char* p = pszText;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';
    long long nValue = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
    {
        if (nValue <= INT_MAX)
            nValue = nValue * 10 + (*p - '0');
    }
    if (nValue > INT_MAX)
        return bNegative ? INT_MIN : INT_MAX;
    return static_cast<int>(bNegative ? -nValue : nValue);
}
