#include "CBitmap.h"

#include "CResource.h"

namespace
{
template <class T> T ReadLittleEndian(const std::uint8_t* p)
{
    std::uint64_t value = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
        value = (value << 8) | p[i];
    return static_cast<T>(value);
}
} // namespace

bool CBitmap::LoadBitmap(unsigned nId)
{
    const CResource resource = CResource::Find(nId, "BITMAP");
    Attach(resource.Data(), resource.Size());
    return IsLoaded();
}

void CBitmap::Attach(const void* pData, std::size_t nSize)
{
    m_pData = static_cast<const std::uint8_t*>(pData);
    m_nSize = pData ? nSize : 0;
}

std::optional<BITMAPINFOHEADER> CBitmap::InfoHeader() const
{
    if (!m_pData || m_nSize < 40)
        return std::nullopt;
    BITMAPINFOHEADER header;
    header.biSize = ReadLittleEndian<std::uint32_t>(m_pData);
    header.biWidth = ReadLittleEndian<std::int32_t>(m_pData + 4);
    header.biHeight = ReadLittleEndian<std::int32_t>(m_pData + 8);
    header.biPlanes = ReadLittleEndian<std::uint16_t>(m_pData + 12);
    header.biBitCount = ReadLittleEndian<std::uint16_t>(m_pData + 14);
    header.biCompression = ReadLittleEndian<std::uint32_t>(m_pData + 16);
    header.biSizeImage = ReadLittleEndian<std::uint32_t>(m_pData + 20);
    header.biXPelsPerMeter = ReadLittleEndian<std::int32_t>(m_pData + 24);
    header.biYPelsPerMeter = ReadLittleEndian<std::int32_t>(m_pData + 28);
    header.biClrUsed = ReadLittleEndian<std::uint32_t>(m_pData + 32);
    header.biClrImportant = ReadLittleEndian<std::uint32_t>(m_pData + 36);
    if (header.biSize < 40 || header.biSize > m_nSize)
        return std::nullopt;
    return header;
}

std::size_t CBitmap::Stride(int nWidth, int nBitCount)
{
    const std::size_t nBits =
        static_cast<std::size_t>(nWidth) * static_cast<std::size_t>(nBitCount);
    return (nBits + 31) / 32 * 4;
}

const std::uint8_t* CBitmap::Pixels24() const
{
    const auto header = InfoHeader();
    if (!header || header->biBitCount != 24 || header->biCompression != BI_RGB ||
        header->biWidth <= 0 || header->biHeight == 0 || header->biClrUsed != 0)
        return nullptr;
    const std::int64_t nHeight = header->biHeight;
    const auto nRows = static_cast<std::size_t>(nHeight < 0 ? -nHeight : nHeight);
    // Compared by division so that no product can overflow.
    if (nRows > (m_nSize - header->biSize) / Stride(header->biWidth, 24))
        return nullptr;
    return m_pData + header->biSize;
}
