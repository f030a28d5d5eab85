#pragma once

#include <cstddef>

// A resource embedded in the program, found by numeric id and type name ("WAV" for the
// clips). Its bytes are read-only and stay valid for the program's whole life.
class CResource
{
public:
    // A resource that was not found.
    CResource() = default;

    static CResource Find(unsigned nId, const char* pszType);

    bool IsFound() const { return m_pData != nullptr; }
    const void* Data() const { return m_pData; }
    std::size_t Size() const { return m_nSize; }

private:
    CResource(const void* pData, std::size_t nSize) : m_pData(pData), m_nSize(nSize) {}

    const void* m_pData = nullptr;
    std::size_t m_nSize = 0;
};
