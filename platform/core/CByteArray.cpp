#include "CByteArray.h"

#include <algorithm>
#include <cassert>

CByteArray::~CByteArray() = default;

void CByteArray::SetSize(int nNewSize)
{
    assert(nNewSize >= 0);
    m_data.resize(static_cast<std::size_t>(nNewSize), 0);
}

BYTE CByteArray::GetAt(int nIndex) const
{
    assert(nIndex >= 0 && nIndex < GetSize());
    return m_data[static_cast<std::size_t>(nIndex)];
}

int CByteArray::Add(BYTE value)
{
    // Room for several bytes at a time: arrays of a few bytes, as the solver's six tiles,
    // then take one allocation or two rather than one per doubling.
    if (m_data.size() == m_data.capacity())
        m_data.reserve(m_data.size() + std::max<std::size_t>(8, m_data.size() / 8));
    m_data.push_back(value);
    return GetSize() - 1;
}

void CByteArray::RemoveAt(int nIndex)
{
    assert(nIndex >= 0 && nIndex < GetSize());
    m_data.erase(m_data.begin() + nIndex);
}
