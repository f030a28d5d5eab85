// The dialog's reading of a typed number, against the C library's: ParseDecimal on any
// text, and the tile check on any text typed in an edit, of which it reads at most 31
// characters.
#include "CEdit.h"
#include "CRecordingPlatform.h"
#include "CTextPeer.h"
#include "CTilePool.h"
#include "FuzzCheck.h"
#include "ParseDecimal.h"

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
// strtoll skips the same blanks in the C locale, takes the same sign and digits and stops
// at the same character; its value is then brought within an int's range.
int PlainValue(const std::string& text)
{
    errno = 0;
    const long long nValue = std::strtoll(text.c_str(), nullptr, 10);
    return nValue < INT_MIN ? INT_MIN : nValue > INT_MAX ? INT_MAX : static_cast<int>(nValue);
}

bool IsTileValue(int nValue)
{
    return (nValue >= 1 && nValue <= 10) || nValue == 25 || nValue == 50 || nValue == 75 ||
           nValue == 100;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    // As a C string: the text ends at its first NUL, as an edit's does.
    const std::string bytes(reinterpret_cast<const char*>(pData), nSize);
    const std::string text = bytes.c_str();
    FUZZ_CHECK(ParseDecimal(text.c_str()) == PlainValue(text));

    CRecordingPlatform platform;
    CTilePool pool;
    pool.ResetValidation();
    CTextPeer peer(text);
    CEdit edit;
    edit.Attach(&peer);
    const int nTile = pool.CheckTile(edit);
    const int nExpected = PlainValue(text.substr(0, 31));
    FUZZ_CHECK(nTile == (IsTileValue(nExpected) ? nExpected : -1));
    FUZZ_CHECK(platform.Messages().size() == (nTile == -1 ? 1u : 0u));
    return 0;
}
