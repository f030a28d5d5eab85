#include "CSessionTally.h"

namespace
{
// French puts 0 and 1 in the singular.
std::string Count(int n, const char* pszOne, const char* pszMany)
{
    return std::to_string(n) + ' ' + (n > 1 ? pszMany : pszOne);
}
} // namespace

void CSessionTally::Add(bool bTargetMade, bool bBest)
{
    ++m_nRounds;
    if (bTargetMade)
        ++m_nTargetsMade;
    if (bBest || bTargetMade)
        ++m_nBestFound;
}

std::string CSessionTally::Text() const
{
    return Count(m_nRounds, "partie", "parties") + ", " +
           Count(m_nTargetsMade, "compte trouvé", "comptes trouvés") + ", " +
           std::to_string(m_nBestFound) + " fois le meilleur possible";
}
