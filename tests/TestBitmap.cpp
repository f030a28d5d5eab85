// Reading a device-independent bitmap's header and pixels: whole bitmaps are read,
// damaged ones give nothing rather than reading past their bytes.
#include "CBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
void Put32(std::vector<std::uint8_t>& bytes, std::size_t nOffset, std::uint32_t nValue)
{
    for (int i = 0; i < 4; ++i)
        bytes[nOffset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(nValue >> (8 * i));
}

// A 24-bit bitmap with a 40-byte header and room for its rows.
std::vector<std::uint8_t> MakeBitmap(std::int32_t nWidth, std::int32_t nHeight,
                                     std::size_t nPixelBytes)
{
    std::vector<std::uint8_t> bytes(40 + nPixelBytes, 0);
    Put32(bytes, 0, 40);
    Put32(bytes, 4, static_cast<std::uint32_t>(nWidth));
    Put32(bytes, 8, static_cast<std::uint32_t>(nHeight));
    bytes[12] = 1;
    bytes[14] = 24;
    return bytes;
}
} // namespace

TEST(BitmapTest, RowsArePaddedToAMultipleOfFourBytes)
{
    EXPECT_EQ(CBitmap::Stride(483, 24), 1452u);
    EXPECT_EQ(CBitmap::Stride(4, 24), 12u);
    EXPECT_EQ(CBitmap::Stride(1, 24), 4u);
    EXPECT_EQ(CBitmap::Stride(1, 1), 4u);
}

TEST(BitmapTest, WholeBitmapGivesItsHeaderAndPixels)
{
    const auto bytes = MakeBitmap(3, -2, 2 * 12);
    CBitmap bitmap;
    bitmap.Attach(bytes.data(), bytes.size());
    const auto header = bitmap.InfoHeader();
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->biWidth, 3);
    EXPECT_EQ(header->biHeight, -2);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(bitmap.Pixels24(), bytes.data() + 40);
}

TEST(BitmapTest, DamagedBitmapsGiveNoPixels)
{
    struct Case
    {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    auto withHeaderSize = [](std::uint32_t nSize)
    {
        auto bytes = MakeBitmap(2, 2, 16);
        Put32(bytes, 0, nSize);
        return bytes;
    };
    auto withBitCount = [](std::uint8_t nBits)
    {
        auto bytes = MakeBitmap(2, 2, 16);
        bytes[14] = nBits;
        return bytes;
    };
    const Case cases[] = {
        {"a row short", MakeBitmap(2, 3, 2 * 8)},
        {"a byte short", MakeBitmap(2, 2, 15)},
        {"no row at all", MakeBitmap(2, 0, 16)},
        {"negative width", MakeBitmap(-2, 2, 16)},
        {"tallest height", MakeBitmap(1, std::numeric_limits<std::int32_t>::min(), 16)},
        {"widest width", MakeBitmap(std::numeric_limits<std::int32_t>::max(), 1, 16)},
        {"header past the end", withHeaderSize(1000)},
        {"header too small", withHeaderSize(12)},
        {"8 bits per pixel", withBitCount(8)},
    };
    for (const Case& c : cases)
    {
        CBitmap bitmap;
        bitmap.Attach(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(bitmap.Pixels24(), nullptr) << c.what;
    }
}

TEST(BitmapTest, TruncatedHeaderIsNoHeader)
{
    const auto bytes = MakeBitmap(2, 2, 16);
    CBitmap bitmap;
    bitmap.Attach(bytes.data(), 39);
    EXPECT_FALSE(bitmap.InfoHeader().has_value());
    EXPECT_EQ(bitmap.Pixels24(), nullptr);
    bitmap.Attach(nullptr, 100);
    EXPECT_FALSE(bitmap.IsLoaded());
    EXPECT_FALSE(bitmap.InfoHeader().has_value());
}

TEST(BitmapTest, MissingResourceLoadsNothing)
{
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmap(4242));
    EXPECT_EQ(bitmap.Pixels24(), nullptr);
}
