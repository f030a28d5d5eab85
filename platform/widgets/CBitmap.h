#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The information header that starts a device-independent bitmap.
struct BITMAPINFOHEADER
{
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    // Positive: rows are stored bottom-up.
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

inline constexpr std::uint32_t BI_RGB = 0;

// A bitmap resource (type "BITMAP"): a header and its pixels, used in place.
class CBitmap
{
public:
    // The resource's bytes; nothing when it is missing.
    bool LoadBitmap(unsigned nId);
    // A bitmap's bytes held elsewhere, used in place; they must outlive the bitmap.
    void Attach(const void* pData, std::size_t nSize);
    bool IsLoaded() const { return m_pData != nullptr; }
    const std::uint8_t* Data() const { return m_pData; }
    std::size_t Size() const { return m_nSize; }
    // The header, when the bytes hold a whole one.
    std::optional<BITMAPINFOHEADER> InfoHeader() const;
    // Where the pixels start, when they are 24-bit, uncompressed and all there.
    const std::uint8_t* Pixels24() const;
    // Bytes per stored row: rows are padded to a multiple of 4.
    static std::size_t Stride(int nWidth, int nBitCount);

private:
    const std::uint8_t* m_pData = nullptr;
    std::size_t m_nSize = 0;
};
