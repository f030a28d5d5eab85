#pragma once

#include "CDrawTally.h"

#include <optional>
#include <string>

class QPainter;

// The picture of a tally, painted with Qt Gui: above, the share of draws that reach each
// target, one line per number of large tiles; below, how far from their targets the games
// end, a group of bars per distance, one bar per number of large tiles, on a logarithmic
// scale so that the rare far misses show beside the common exact games.
class CStatsPlot
{
public:
    CStatsPlot(const CDrawTally& tally, std::string title);

    // Paints the picture into a PNG or an SVG file, by the name's extension. Qt needs its
    // application object for fonts: one is made on the offscreen platform, given the
    // program's arguments. Nothing when the file was written, else why not.
    std::optional<std::string> Save(const std::string& path, int argc, char** argv) const;

    // Paints the picture on a canvas of kWidth x kHeight.
    void Paint(QPainter& painter) const;

    static constexpr int kWidth = 1200;
    static constexpr int kHeight = 1000;

private:
    void PaintShares(QPainter& painter, int nTop, int nBottom) const;
    void PaintDistances(QPainter& painter, int nTop, int nBottom) const;

    const CDrawTally& m_tally;
    std::string m_title;
};
