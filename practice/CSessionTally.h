#pragma once

#include <string>

// The session's tally: rounds played, targets made, rounds where the answer was the best the
// tiles allow (the target, or the nearest value when the target cannot be made). It lives as
// long as the window: nothing is written to disk.
class CSessionTally
{
public:
    // One judged round: an answer that made the target, one that was the best possible (the
    // target itself counts as best), or neither (faulty, empty, or further off).
    void Add(bool bTargetMade, bool bBest);

    int Rounds() const { return m_nRounds; }
    int TargetsMade() const { return m_nTargetsMade; }
    int BestFound() const { return m_nBestFound; }

    // In French, as the window shows it: "3 parties, 2 comptes trouvés, 2 fois le meilleur
    // possible".
    std::string Text() const;

private:
    int m_nRounds = 0;
    int m_nTargetsMade = 0;
    int m_nBestFound = 0;
};
