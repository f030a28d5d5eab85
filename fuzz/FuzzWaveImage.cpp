// The WAVE reader on any bytes: it accepts only what it can play in place, and what it
// accepts lies wholly within the image.
#include "CWaveImage.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>

// Where the sum of the bytes read goes, so that the reading is not left out.
volatile unsigned g_nSink = 0;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const CWaveImage image(pData, nSize);
    if (!image.IsValid())
    {
        FUZZ_CHECK(image.Channels() == 0 && image.DataSize() == 0 && image.FrameCount() == 0);
        return 0;
    }
    FUZZ_CHECK(image.Channels() >= 1 && image.Channels() <= 8);
    FUZZ_CHECK(image.BitsPerSample() == 8);
    FUZZ_CHECK(image.SampleRate() >= 1 && image.SampleRate() <= 1'000'000);
    FUZZ_CHECK(image.Data() >= pData + 12 && image.Data() <= pData + nSize);
    FUZZ_CHECK(image.DataSize() <= static_cast<std::size_t>(pData + nSize - image.Data()));
    FUZZ_CHECK(image.DataSize() % image.Channels() == 0);
    FUZZ_CHECK(image.FrameCount() * image.Channels() == image.DataSize());
    // Every sample is read, as the player reads them: the sanitizer sees any stray byte.
    unsigned nSum = 0;
    for (std::size_t i = 0; i < image.DataSize(); ++i)
        nSum += image.Data()[i];
    g_nSink = nSum;
    return 0;
}
