// Times the solver game by game: reads games from standard input, one a line ("t1 t2 t3 t4
// t5 t6 target"), and prints for each the time of its first solve and the best of several
// more. The first line's first solve is the first game of the process: nothing of the
// solver has been allocated or touched yet. Built from the solver's interface alone, so
// that the same source times an earlier solver too.

#include "CListBox.h"
#include "CRecordingPlatform.h"
#include "CSolver.h"
#include "CTextPeer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace
{
double SolveMilliseconds(const int* t)
{
    CTextPeer peer;
    CListBox list;
    list.Attach(&peer);
    const auto start = std::chrono::steady_clock::now();
    CSolver solver(t[0], t[1], t[2], t[3], t[4], t[5], t[6], &list);
    solver.Solve();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
} // namespace

int main(int argc, char** argv)
{
    const int nRepeats = argc > 1 ? std::atoi(argv[1]) : 20;
    CRecordingPlatform platform;
    const int other[7] = {1, 1, 1, 1, 1, 1, 0};
    int t[7];
    while (std::scanf("%d %d %d %d %d %d %d", &t[0], &t[1], &t[2], &t[3], &t[4], &t[5], &t[6]) == 7)
    {
        const double dFirst = SolveMilliseconds(t);
        double dBest = dFirst;
        for (int n = 0; n < nRepeats; ++n)
        {
            // Another game in between, so that no table of these tiles is left over.
            SolveMilliseconds(other);
            dBest = std::min(dBest, SolveMilliseconds(t));
        }
        std::printf("%d %d %d %d %d %d / %d: first %.3f ms, best of %d %.3f ms\n", t[0], t[1], t[2],
                    t[3], t[4], t[5], t[6], dFirst, nRepeats + 1, dBest);
    }
    return 0;
}
