// The bitmap reader on any bytes: a header only when the bytes hold a whole one, pixels
// only when every row of them is there.
#include "CBitmap.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Where the sum of the bytes read goes, so that the reading is not left out.
volatile unsigned g_nSink = 0;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CBitmap bitmap;
    bitmap.Attach(pData, nSize);
    const auto header = bitmap.InfoHeader();
    const std::uint8_t* pPixels = bitmap.Pixels24();
    if (!header)
    {
        FUZZ_CHECK(pPixels == nullptr);
        return 0;
    }
    FUZZ_CHECK(nSize >= 40 && header->biSize >= 40 && header->biSize <= nSize);
    if (pPixels == nullptr)
        return 0;
    FUZZ_CHECK(header->biBitCount == 24 && header->biCompression == BI_RGB);
    FUZZ_CHECK(header->biWidth > 0 && header->biHeight != 0);
    FUZZ_CHECK(pPixels == pData + header->biSize);
    const std::size_t nStride = CBitmap::Stride(header->biWidth, 24);
    const std::size_t nRows = static_cast<std::size_t>(std::llabs(header->biHeight));
    FUZZ_CHECK(nStride >= 3 * static_cast<std::size_t>(header->biWidth) && nStride % 4 == 0);
    FUZZ_CHECK(nRows <= (nSize - header->biSize) / nStride);
    // Every pixel is read, as the dialog reads them to paint: the sanitizer sees any stray
    // byte.
    unsigned nSum = 0;
    for (std::size_t i = 0; i < nRows * nStride; ++i)
        nSum += pPixels[i];
    g_nSink = nSum;
    return 0;
}
