#include "CSolver.h"

#include "CListBox.h"
#include "CPlatform.h"

#include <cassert>
#include <cstdio>
#include <cstring>
#include <limits>

namespace
{
enum : int
{
    OpDivide,
    OpMultiply,
    OpAdd,
    OpSubtract,
    OpCount
};

// Marks a refused step; no accepted result can take this value.
constexpr std::int32_t kRefused = -10000;
} // namespace

CSolver::CSolver(int nTile1, int nTile2, int nTile3, int nTile4, int nTile5, int nTile6,
                 int nTarget, CListBox* pList)
    : m_nTarget(nTarget), m_pList(pList)
{
    m_tiles.SetSize(0);
    for (int nTile : {nTile1, nTile2, nTile3, nTile4, nTile5, nTile6})
        m_tiles.Add(static_cast<BYTE>(nTile));
    std::strcpy(m_szOperators, "/x+-");
}

CSolver::~CSolver() = default;

bool CSolver::Combine(int nOperator, std::int32_t a, std::int32_t b, std::int32_t& nResult) const
{
    // Worked out in 64 bits: a step whose exact value does not fit in 32 bits is refused
    // rather than wrapped, as a wrapped value is not the value of the step.
    std::int64_t nExact = kRefused;
    switch (nOperator)
    {
    case OpDivide:
        if (b != 0 && a % b == 0)
            nExact = static_cast<std::int64_t>(a) / b;
        break;
    case OpMultiply:
        if (a != 1 && b != 1)
            nExact = static_cast<std::int64_t>(a) * b;
        break;
    case OpAdd:
        nExact = static_cast<std::int64_t>(a) + b;
        break;
    case OpSubtract:
        nExact = static_cast<std::int64_t>(a) - b;
        break;
    }
    if (nExact < 0 || nExact > std::numeric_limits<std::int32_t>::max())
        return false;
    nResult = static_cast<std::int32_t>(nExact);
    return true;
}

void CSolver::AddLine()
{
    if (m_pList)
        m_pList->AddString(m_szLine);
}

int CSolver::Search(std::int32_t nTarget, int nCount, const std::int32_t* pValues)
{
    if (nCount <= 0)
        return 0;
    if (nCount == 1)
    {
        if (pValues[0] != nTarget)
            return 0;
        std::snprintf(m_szLine, sizeof m_szLine, "Solution : %ld", static_cast<long>(pValues[0]));
        AddLine();
        return 1;
    }
    std::int32_t child[6];
    for (int i = 0; i < nCount; ++i)
    {
        if (pValues[i] == nTarget)
        {
            PlatformPrintf("Sol : %ld \n", static_cast<long>(pValues[i]));
            return 1;
        }
        for (int j = m_nSecondStart; j < nCount; ++j)
        {
            if (j == i)
                continue;
            const std::int32_t a = pValues[i];
            const std::int32_t b = pValues[j];
            for (int nOperator = 0; nOperator < OpCount; ++nOperator)
            {
                std::int32_t r = kRefused;
                if (!Combine(nOperator, a, b, r))
                    continue;
                child[0] = r;
                int n = 1;
                for (int k = 0; k < nCount; ++k)
                {
                    if (k != i && k != j)
                        child[n++] = pValues[k];
                }
                if (Search(nTarget, nCount - 1, child))
                {
                    std::snprintf(m_szLine, sizeof m_szLine, "%ld\t= %ld %c %ld",
                                  static_cast<long>(r), static_cast<long>(a),
                                  m_szOperators[nOperator], static_cast<long>(b));
                    AddLine();
                    return 1;
                }
            }
        }
    }
    return 0;
}

int CSolver::Solve()
{
    std::int32_t top[8] = {};
    assert(m_tiles.GetSize() == 6);
    for (int i = 0; i < 6; ++i)
        top[i] = m_tiles.GetAt(i);

    std::int32_t t = m_nTarget;
    std::int32_t s = 0;
    for (;;)
    {
        m_nSecondStart = 1;
        if (Search(t, 6, top))
            break;
        m_nSecondStart = 0;
        if (Search(t, 6, top))
            break;
        s = s <= 0 ? 1 - s : -1 - s;
        t += s;
    }
    m_nSecondStart = 1;
    m_nReached = t;
    return t == m_nTarget ? 1 : 0;
}
