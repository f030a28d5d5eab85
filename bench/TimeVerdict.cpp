// How long the practice window takes to show a verdict, and to mark the answer's lines as it
// is typed, on the hardest games of bench/TimeAllSolutions.cpp: every target of eight draws of
// small tiles whose small values have hundreds of solutions, and the slowest random games.
// The answer is the last of the distinct solutions of the value the tiles reach (the target,
// or the nearest value), the one the judge ranks last. The window is a real one on Qt's
// offscreen platform: the time runs from the press of "Valider" until the window has painted
// the verdict, on the clock and in processor time. Usage: pivolo_time_verdict [targets per
// draw, 1000 by default].
#include "CAllSolutions.h"
#include "CAllSolutionsText.h"
#include "CAnswerEdit.h"
#include "CPracticeWindow.h"

#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

struct STimed
{
    double dMs;
    CPracticeDraw::SGame game;
};

// The processor time of this thread: what a busy machine, which takes the processor away
// now and then, adds less to than to the time on the clock.
double ThreadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

void Report(const char* pszWhat, std::vector<STimed> times)
{
    std::sort(times.begin(), times.end(),
              [](const STimed& a, const STimed& b) { return a.dMs < b.dMs; });
    const STimed& slowest = times.back();
    std::printf("%-14s games %5zu  median %7.3f ms  99%% %7.3f ms  slowest %7.3f ms (", pszWhat,
                times.size(), times[times.size() / 2].dMs, times[times.size() * 99 / 100].dMs,
                slowest.dMs);
    for (int t : slowest.game.tiles)
        std::printf("%d ", t);
    std::printf("/ %d)\n", slowest.game.nTarget);
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int nTargets = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 1000) : 1000;
    QApplication application(argc, argv);
    std::vector<CPracticeDraw::SGame> games;
    for (const CPracticeDraw::Tiles& tiles :
         {CPracticeDraw::Tiles{1, 1, 2, 2, 3, 3}, CPracticeDraw::Tiles{1, 2, 3, 4, 5, 6},
          CPracticeDraw::Tiles{2, 2, 3, 3, 4, 4}, CPracticeDraw::Tiles{2, 3, 4, 5, 6, 7},
          CPracticeDraw::Tiles{3, 4, 5, 6, 7, 8}, CPracticeDraw::Tiles{4, 5, 6, 7, 8, 9},
          CPracticeDraw::Tiles{5, 6, 7, 8, 9, 10}, CPracticeDraw::Tiles{1, 2, 4, 6, 8, 10}})
        for (int t = 0; t < 1000; t += 1000 / nTargets)
            games.push_back({tiles, t});
    games.push_back({{10, 5, 4, 3, 8, 6}, 4});
    games.push_back({{8, 2, 9, 7, 3, 10}, 4});
    games.push_back({{3, 4, 2, 5, 10, 25}, 9});
    games.push_back({{5, 10, 3, 6, 7, 2}, 7});

    CPracticeWindow window;
    window.show();
    auto* pAnswer = window.findChild<CAnswerEdit*>();
    QPushButton* pSubmit = nullptr;
    for (QPushButton* pButton : window.findChildren<QPushButton*>())
        if (pButton->text() == QStringLiteral("&Valider"))
            pSubmit = pButton;
    CAllSolutions solutions;
    std::vector<STimed> marks;
    std::vector<STimed> verdicts;
    std::vector<STimed> verdictsProcessor;
    for (const CPracticeDraw::SGame& game : games)
    {
        solutions.SetTiles(std::vector<std::int32_t>(game.tiles.begin(), game.tiles.end()));
        std::int32_t nValue = game.nTarget;
        if (!solutions.Reachable(nValue))
        {
            const CAllSolutions::SNearest nearest = solutions.Nearest(nValue);
            nValue = nearest.above ? *nearest.above : *nearest.below;
        }
        const CAllSolutions::SValueSolutions all = solutions.Solve(nValue);
        const std::string answer = CAllSolutionsText::Expression(all.solutions.back().way);

        window.StartRound(game);
        QApplication::processEvents();
        const Clock::time_point typed = Clock::now();
        pAnswer->setPlainText(QString::fromStdString(answer));
        QApplication::processEvents();
        marks.push_back({Milliseconds(Clock::now() - typed), game});
        const Clock::time_point pressed = Clock::now();
        const double dProcessor = ThreadMs();
        pSubmit->click();
        QApplication::processEvents();
        verdicts.push_back({Milliseconds(Clock::now() - pressed), game});
        verdictsProcessor.push_back({ThreadMs() - dProcessor, game});
    }
    Report("line marks", marks);
    Report("verdict shown", verdicts);
    Report("  (processor)", verdictsProcessor);
    return 0;
}
