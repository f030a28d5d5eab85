#include "CWaveImage.h"

#include <cstring>

namespace
{
constexpr std::size_t nChunkHeaderSize = 8;
constexpr std::size_t nMinFormatSize = 16;
constexpr unsigned nPcmTag = 1;
constexpr unsigned nMaxChannels = 8;

std::uint32_t ReadLe32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

unsigned ReadLe16(const std::uint8_t* p)
{
    return unsigned{p[0]} | unsigned{p[1]} << 8;
}

bool HasTag(const std::uint8_t* p, const char* pszTag)
{
    return std::memcmp(p, pszTag, 4) == 0;
}
} // namespace

CWaveImage::CWaveImage(const void* pImage, std::size_t nSize)
{
    const auto* pBytes = static_cast<const std::uint8_t*>(pImage);
    if (pBytes == nullptr || nSize < 12 || !HasTag(pBytes, "RIFF") || !HasTag(pBytes + 8, "WAVE"))
        return;
    // Whatever follows the RIFF chunk belongs to no clip and is never looked at.
    const std::uint64_t nRiffEnd = std::uint64_t{ReadLe32(pBytes + 4)} + nChunkHeaderSize;
    if (nRiffEnd > nSize)
        return;

    bool bFormat = false;
    const std::uint8_t* pData = nullptr;
    std::size_t nDataSize = 0;
    std::uint64_t nOffset = 12;
    while (nOffset + nChunkHeaderSize <= nRiffEnd && !(bFormat && pData != nullptr))
    {
        const std::uint8_t* pChunk = pBytes + nOffset;
        const std::uint64_t nChunkSize = ReadLe32(pChunk + 4);
        const std::uint64_t nBodyOffset = nOffset + nChunkHeaderSize;
        // A chunk that leaves the RIFF chunk makes the image invalid, its format included.
        if (nBodyOffset + nChunkSize > nRiffEnd)
            break;
        if (HasTag(pChunk, "fmt ") && !bFormat)
        {
            if (!ReadFormat(pBytes + nBodyOffset, nChunkSize))
                return;
            bFormat = true;
        }
        else if (HasTag(pChunk, "data") && pData == nullptr)
        {
            pData = pBytes + nBodyOffset;
            nDataSize = nChunkSize;
        }
        // Chunks start on even offsets: an odd-sized body is followed by a pad byte.
        nOffset = nBodyOffset + nChunkSize + (nChunkSize & 1);
    }
    if (!bFormat || pData == nullptr)
    {
        m_nChannels = m_nSampleRate = m_nBitsPerSample = 0;
        return;
    }
    m_pData = pData;
    m_nDataSize = nDataSize - nDataSize % m_nChannels;
}

bool CWaveImage::ReadFormat(const std::uint8_t* pChunk, std::size_t nChunkSize)
{
    if (nChunkSize < nMinFormatSize)
        return false;
    const unsigned nTag = ReadLe16(pChunk);
    const unsigned nChannels = ReadLe16(pChunk + 2);
    const std::uint32_t nSampleRate = ReadLe32(pChunk + 4);
    const unsigned nBlockAlign = ReadLe16(pChunk + 12);
    const unsigned nBits = ReadLe16(pChunk + 14);
    // One byte per sample: the samples go to the device exactly as they are stored.
    if (nTag != nPcmTag || nBits != 8 || nChannels == 0 || nChannels > nMaxChannels ||
        nBlockAlign != nChannels || nSampleRate == 0 || nSampleRate > 1'000'000)
        return false;
    m_nChannels = nChannels;
    m_nSampleRate = nSampleRate;
    m_nBitsPerSample = nBits;
    return true;
}
