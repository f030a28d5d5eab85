#pragma once

#include <cstdint>
#include <vector>

using BYTE = std::uint8_t;

// Growable array of bytes, the base of the tile pool and of the solver.
class CByteArray
{
public:
    CByteArray() = default;
    CByteArray(const CByteArray&) = delete;
    CByteArray& operator=(const CByteArray&) = delete;
    virtual ~CByteArray();

    int GetSize() const { return static_cast<int>(m_data.size()); }
    // Empties the array, or grows it with zero bytes.
    void SetSize(int nNewSize);
    BYTE GetAt(int nIndex) const;
    // Appends at the end and returns the new entry's index.
    int Add(BYTE value);
    // The later entries move down by one place and keep their order.
    void RemoveAt(int nIndex);
    void RemoveAll() { m_data.clear(); }

private:
    std::vector<BYTE> m_data;
};
