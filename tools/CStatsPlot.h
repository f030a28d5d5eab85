#pragma once

#include "CDealtTally.h"
#include "CDrawTally.h"
#include "CStatsWords.h"

#include <optional>
#include <string>

class QPainter;

// The picture of a tally, painted with Qt Gui. Above, the share of draws that reach each
// target, target by target (the large tiles' multiples of 25 show as they are), one line per
// number of large tiles, one for all draws and one for all draws as dealt, from 0 to 100%
// whatever the set; a series of one draw, or a single target, is drawn as markers. Below,
// how far from their targets the games end: a table of each row's shares by distance, every
// value written, zeros included, the cells shaded by their share.
class CStatsPlot
{
public:
    CStatsPlot(const CDrawTally& tally, const CDealtTally& dealt, const CStatsWords& words);

    // The picture as the bytes of a PNG or an SVG file, by the name's extension; nothing
    // when it cannot be made. Qt needs its application object for fonts: one is made on
    // the offscreen platform, given the program's arguments.
    std::optional<std::string> Picture(const std::string& name, int argc, char** argv) const;

    // Paints the picture on a canvas of kWidth x kHeight.
    void Paint(QPainter& painter) const;

    static constexpr int kWidth = 1200;
    static constexpr int kHeight = 1000;

private:
    void PaintShares(QPainter& painter, int nTop, int nBottom) const;
    void PaintDistances(QPainter& painter, int nTop, int nBottom) const;
    // The series of the top panel: a number of large tiles, or all draws (-1), or all draws
    // as dealt (-2).
    double Share(int nSeries, int nTarget) const;
    std::int64_t SeriesDraws(int nSeries) const;

    const CDrawTally& m_tally;
    const CDealtTally& m_dealt;
    const CStatsWords& m_words;
};
