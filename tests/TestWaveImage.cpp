#include "CResource.h"
#include "CWaveImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<std::uint8_t>;

struct ClipFormat
{
    unsigned nId;
    unsigned nChannels;
    unsigned nSampleRate;
    std::size_t nDataSize;
    std::size_t nResourceSize;
};

constexpr ClipFormat aClips[] = {
    {137, 2, 44100, 1870260, 1870378},
    {140, 1, 11025, 37668, 37712},
    {135, 1, 22000, 26452, 26540},
    {141, 1, 19886, 18890, 18934},
};

void Append(Bytes& bytes, const std::string& text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
}

void Append16(Bytes& bytes, unsigned nValue)
{
    bytes.push_back(static_cast<std::uint8_t>(nValue));
    bytes.push_back(static_cast<std::uint8_t>(nValue >> 8));
}

void Append32(Bytes& bytes, std::uint32_t nValue)
{
    Append16(bytes, nValue & 0xffff);
    Append16(bytes, nValue >> 16);
}

void AppendChunk(Bytes& bytes, const std::string& tag, const Bytes& body)
{
    Append(bytes, tag);
    Append32(bytes, static_cast<std::uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
    if (body.size() % 2 != 0)
        bytes.push_back(0);
}

struct FormatFields
{
    unsigned nTag = 1;
    unsigned nChannels = 1;
    std::uint32_t nRate = 8000;
    unsigned nBlockAlign = 1;
    unsigned nBits = 8;
};

Bytes FormatBody(const FormatFields& fields)
{
    Bytes body;
    Append16(body, fields.nTag);
    Append16(body, fields.nChannels);
    Append32(body, fields.nRate);
    Append32(body, fields.nRate * fields.nBlockAlign);
    Append16(body, fields.nBlockAlign);
    Append16(body, fields.nBits);
    return body;
}

// A RIFF image around the given chunks, its size field counting exactly those chunks.
Bytes Riff(const Bytes& chunks)
{
    Bytes image;
    Append(image, "RIFF");
    Append32(image, static_cast<std::uint32_t>(chunks.size() + 4));
    Append(image, "WAVE");
    image.insert(image.end(), chunks.begin(), chunks.end());
    return image;
}

Bytes Samples(std::size_t nCount)
{
    Bytes samples(nCount);
    for (std::size_t i = 0; i < nCount; ++i)
        samples[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return samples;
}

Bytes PlainWave(const FormatFields& fields = {}, const Bytes& samples = Samples(40))
{
    Bytes chunks;
    AppendChunk(chunks, "fmt ", FormatBody(fields));
    AppendChunk(chunks, "data", samples);
    return Riff(chunks);
}

// Parses a copy of exactly the given bytes, so that any read past them is an overflow.
CWaveImage Parse(const Bytes& image)
{
    static Bytes copy;
    copy = image;
    return CWaveImage(copy.empty() ? nullptr : copy.data(), copy.size());
}

bool DataIsAt(const CWaveImage& wave, const Bytes& expected)
{
    return wave.DataSize() == expected.size() &&
           std::memcmp(wave.Data(), expected.data(), expected.size()) == 0;
}
} // namespace

TEST(WaveImageTest, TheProgramsClipsGiveTheirFormatsAndSampleData)
{
    for (const ClipFormat& clip : aClips)
    {
        SCOPED_TRACE(clip.nId);
        const CResource resource = CResource::Find(clip.nId, "WAV");
        ASSERT_TRUE(resource.IsFound());
        ASSERT_EQ(resource.Size(), clip.nResourceSize);
        const CWaveImage wave(resource.Data(), resource.Size());
        ASSERT_TRUE(wave.IsValid());
        EXPECT_EQ(wave.Channels(), clip.nChannels);
        EXPECT_EQ(wave.SampleRate(), clip.nSampleRate);
        EXPECT_EQ(wave.BitsPerSample(), 8u);
        EXPECT_EQ(wave.Data(), static_cast<const std::uint8_t*>(resource.Data()) + 44);
        EXPECT_EQ(wave.DataSize(), clip.nDataSize);
        EXPECT_EQ(wave.FrameCount(), clip.nDataSize / clip.nChannels);
    }
}

TEST(WaveImageTest, ListChunkAfterTheDataIsNotPartOfTheSamples)
{
    const CResource resource = CResource::Find(137, "WAV");
    ASSERT_TRUE(resource.IsFound());
    const auto* pBytes = static_cast<const std::uint8_t*>(resource.Data());
    const CWaveImage wave(pBytes, resource.Size());
    ASSERT_TRUE(wave.IsValid());
    EXPECT_EQ(std::memcmp(wave.Data() + wave.DataSize(), "LIST", 4), 0);
}

TEST(WaveImageTest, BytesAfterTheRiffChunkAreNeverPartOfTheSamples)
{
    const CResource resource = CResource::Find(135, "WAV");
    ASSERT_TRUE(resource.IsFound());
    const auto* pBytes = static_cast<const std::uint8_t*>(resource.Data());
    const CWaveImage wave(pBytes, resource.Size());
    ASSERT_TRUE(wave.IsValid());
    EXPECT_LE(wave.Data() + wave.DataSize(), pBytes + 26496);
    EXPECT_EQ(resource.Size() - 26496, 44u);

    // A data chunk that reaches into those bytes is refused, though the buffer holds them.
    Bytes image(pBytes, pBytes + resource.Size());
    const std::uint32_t nLonger = 26452 + 20;
    std::memcpy(image.data() + 40, &nLonger, 4);
    EXPECT_FALSE(Parse(image).IsValid());
}

TEST(WaveImageTest, ChunksBeforeAndBetweenAreSkippedWithTheirPadByte)
{
    Bytes chunks;
    AppendChunk(chunks, "junk", Samples(3));
    AppendChunk(chunks, "fmt ", FormatBody({.nChannels = 2, .nRate = 11025, .nBlockAlign = 2}));
    AppendChunk(chunks, "LIST", Samples(9));
    const Bytes samples = Samples(30);
    AppendChunk(chunks, "data", samples);
    const CWaveImage wave = Parse(Riff(chunks));
    ASSERT_TRUE(wave.IsValid());
    EXPECT_EQ(wave.Channels(), 2u);
    EXPECT_EQ(wave.SampleRate(), 11025u);
    EXPECT_TRUE(DataIsAt(wave, samples));
}

TEST(WaveImageTest, DataBeforeTheFormatIsFound)
{
    Bytes chunks;
    const Bytes samples = Samples(12);
    AppendChunk(chunks, "data", samples);
    AppendChunk(chunks, "fmt ", FormatBody({}));
    const CWaveImage wave = Parse(Riff(chunks));
    ASSERT_TRUE(wave.IsValid());
    EXPECT_TRUE(DataIsAt(wave, samples));
}

TEST(WaveImageTest, ALongerFormatChunkIsAccepted)
{
    Bytes chunks;
    Bytes format = FormatBody({});
    Append16(format, 0);
    AppendChunk(chunks, "fmt ", format);
    AppendChunk(chunks, "data", Samples(8));
    EXPECT_TRUE(Parse(Riff(chunks)).IsValid());
}

TEST(WaveImageTest, OnlyWholeFramesArePlayed)
{
    const CWaveImage wave = Parse(PlainWave({.nChannels = 2, .nBlockAlign = 2}, Samples(5)));
    ASSERT_TRUE(wave.IsValid());
    EXPECT_EQ(wave.DataSize(), 4u);
    EXPECT_EQ(wave.FrameCount(), 2u);
}

TEST(WaveImageTest, EveryTruncatedImageIsRefused)
{
    const Bytes image = PlainWave();
    ASSERT_TRUE(Parse(image).IsValid());
    for (std::size_t n = 0; n < image.size(); ++n)
    {
        SCOPED_TRACE(n);
        EXPECT_FALSE(Parse(Bytes(image.begin(), image.begin() + n)).IsValid());
    }
    EXPECT_FALSE(CWaveImage(nullptr, 100).IsValid());
}

TEST(WaveImageTest, ChunkSizesBeyondTheRiffChunkOrTheBufferAreRefused)
{
    Bytes dataBeyondRiff = PlainWave();
    dataBeyondRiff.insert(dataBeyondRiff.end(), 10, 0x80);
    dataBeyondRiff[40] += 4; // the data chunk now ends past the RIFF chunk, inside the buffer
    EXPECT_FALSE(Parse(dataBeyondRiff).IsValid());

    Bytes riffBeyondBuffer = PlainWave();
    riffBeyondBuffer[4] += 2;
    EXPECT_FALSE(Parse(riffBeyondBuffer).IsValid());

    Bytes hugeData = PlainWave();
    std::memset(hugeData.data() + 40, 0xff, 4);
    EXPECT_FALSE(Parse(hugeData).IsValid());

    Bytes hugeRiff = PlainWave();
    std::memset(hugeRiff.data() + 4, 0xff, 4);
    EXPECT_FALSE(Parse(hugeRiff).IsValid());

    Bytes hugeFormat = PlainWave();
    std::memset(hugeFormat.data() + 16, 0xff, 4);
    EXPECT_FALSE(Parse(hugeFormat).IsValid());
}

TEST(WaveImageTest, ARefusedImageHasNoFormat)
{
    // The format chunk is read before the data chunk is found to leave the RIFF chunk.
    Bytes dataBeyondRiff = PlainWave();
    dataBeyondRiff[40] += 4;
    const CWaveImage wave = Parse(dataBeyondRiff);
    ASSERT_FALSE(wave.IsValid());
    EXPECT_EQ(wave.Channels(), 0u);
    EXPECT_EQ(wave.SampleRate(), 0u);
    EXPECT_EQ(wave.BitsPerSample(), 0u);
    EXPECT_EQ(wave.FrameCount(), 0u);
}

TEST(WaveImageTest, WrongTagsAreRefused)
{
    for (std::size_t nOffset : {0u, 8u})
    {
        Bytes image = PlainWave();
        image[nOffset] = 'X';
        EXPECT_FALSE(Parse(image).IsValid()) << nOffset;
    }
    Bytes noFormat;
    AppendChunk(noFormat, "fmtx", FormatBody({}));
    AppendChunk(noFormat, "data", Samples(8));
    EXPECT_FALSE(Parse(Riff(noFormat)).IsValid());

    Bytes noData;
    AppendChunk(noData, "fmt ", FormatBody({}));
    AppendChunk(noData, "dat ", Samples(8));
    EXPECT_FALSE(Parse(Riff(noData)).IsValid());
}

TEST(WaveImageTest, FormatsOtherThanUnsigned8BitPcmAreRefused)
{
    const FormatFields aRefused[] = {
        {.nTag = 3},                        // floating point
        {.nTag = 0xfffe},                   // extensible
        {.nBlockAlign = 2, .nBits = 16},    // 16-bit
        {.nBits = 4},                       // ADPCM-like
        {.nChannels = 0, .nBlockAlign = 0}, // no channel
        {.nChannels = 2, .nBlockAlign = 1}, // inconsistent frame size
        {.nRate = 0},                       // no rate
    };
    for (const FormatFields& fields : aRefused)
        EXPECT_FALSE(Parse(PlainWave(fields)).IsValid())
            << fields.nTag << " " << fields.nBits << " " << fields.nChannels;

    Bytes shortFormat;
    Bytes body = FormatBody({});
    body.resize(14);
    AppendChunk(shortFormat, "fmt ", body);
    AppendChunk(shortFormat, "data", Samples(8));
    EXPECT_FALSE(Parse(Riff(shortFormat)).IsValid());
}
