#pragma once

#include <cstddef>
#include <cstdint>

// What a RIFF/WAVE image in memory holds, for playing its samples in place: the PCM
// format and where the sample data lies. Only unsigned 8-bit PCM is accepted; anything
// else, and any image that is truncated or whose chunks leave the RIFF chunk, is invalid.
class CWaveImage
{
public:
    CWaveImage(const void* pImage, std::size_t nSize);

    bool IsValid() const { return m_pData != nullptr; }
    unsigned Channels() const { return m_nChannels; }
    unsigned SampleRate() const { return m_nSampleRate; }
    unsigned BitsPerSample() const { return m_nBitsPerSample; }
    // The samples, channels interleaved; whole frames only.
    const std::uint8_t* Data() const { return m_pData; }
    std::size_t DataSize() const { return m_nDataSize; }
    std::size_t FrameCount() const { return m_nChannels == 0 ? 0 : m_nDataSize / m_nChannels; }

private:
    bool ReadFormat(const std::uint8_t* pChunk, std::size_t nChunkSize);

    unsigned m_nChannels = 0;
    unsigned m_nSampleRate = 0;
    unsigned m_nBitsPerSample = 0;
    const std::uint8_t* m_pData = nullptr;
    std::size_t m_nDataSize = 0;
};
