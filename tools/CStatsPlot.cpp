#include "CStatsPlot.h"

#include "COutputFile.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
// One colour per number of large tiles, told apart also by readers with a colour
// deficiency (Okabe and Ito's palette, its yellow darkened to show on white), and black
// for all draws.
const QColor kaCategoryColours[CDrawTally::Categories] = {
    QColor(0xE6, 0x9F, 0x00), QColor(0x56, 0xB4, 0xE9), QColor(0x00, 0x9E, 0x73),
    QColor(0x00, 0x72, 0xB2), QColor(0xD5, 0x5E, 0x00), QColor(0xCC, 0x79, 0xA7),
    QColor(0x99, 0x99, 0x33)};
const QColor kAllColour(0x20, 0x20, 0x20);
const QColor kGridColour(0xDD, 0xDD, 0xDD);

constexpr int kLeft = 110;
constexpr int kRight = 30;

QFont Font(int nPixels, bool bBold = false)
{
    QFont font("DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(nPixels);
    font.setBold(bBold);
    return font;
}

// The legend as a row of coloured marks, one per number of large tiles, centred on x, its
// middle at y; lines or boxes as the panel draws them.
void PaintLegend(QPainter& painter, int nCentre, int y, int nCategories, bool bLines)
{
    painter.setFont(Font(15));
    const QFontMetrics metrics(painter.font());
    struct Entry
    {
        QColor colour;
        QString label;
    };
    std::vector<Entry> entries;
    for (int c = 0; c < nCategories; ++c)
        entries.push_back({kaCategoryColours[c], QString::number(c)});
    if (bLines)
        entries.push_back({kAllColour, "all draws"});
    const QString heading = "large tiles in the draw:";
    constexpr int kMark = 26;
    constexpr int kGap = 6;
    constexpr int kSpace = 22;
    int nWidth = metrics.horizontalAdvance(heading) + kSpace;
    for (const Entry& entry : entries)
        nWidth += kMark + kGap + metrics.horizontalAdvance(entry.label) + kSpace;
    nWidth -= kSpace;
    int x = nCentre - nWidth / 2;
    painter.setPen(Qt::black);
    painter.drawText(QRect(x, y - 12, metrics.horizontalAdvance(heading) + 2, 24),
                     Qt::AlignLeft | Qt::AlignVCenter, heading);
    x += metrics.horizontalAdvance(heading) + kSpace;
    for (const Entry& entry : entries)
    {
        if (bLines)
        {
            painter.setPen(QPen(entry.colour, entry.colour == kAllColour ? 3 : 2.5));
            painter.drawLine(x, y, x + kMark, y);
        }
        else
            painter.fillRect(x + 4, y - 8, kMark - 8, 16, entry.colour);
        x += kMark + kGap;
        painter.setPen(Qt::black);
        const int nLabel = metrics.horizontalAdvance(entry.label);
        painter.drawText(QRect(x, y - 12, nLabel + 2, 24), Qt::AlignLeft | Qt::AlignVCenter,
                         entry.label);
        x += nLabel + kSpace;
    }
}

// A title above a panel, and the label of its vertical axis, turned.
void PaintPanelTitles(QPainter& painter, int nTop, int nPlotTop, int nPlotBottom,
                      const QString& title, const QString& axis)
{
    painter.setPen(Qt::black);
    painter.setFont(Font(19, true));
    painter.drawText(QRect(kLeft, nTop, CStatsPlot::kWidth - kLeft - kRight, 28),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.save();
    painter.setFont(Font(15));
    painter.translate(24, (nPlotTop + nPlotBottom) / 2);
    painter.rotate(-90);
    painter.drawText(QRect(-200, -12, 400, 24), Qt::AlignCenter, axis);
    painter.restore();
}
} // namespace

CStatsPlot::CStatsPlot(const CDrawTally& tally, std::string title)
    : m_tally(tally), m_title(std::move(title))
{
}

std::optional<std::string> CStatsPlot::Save(const std::string& path, int argc, char** argv) const
{
    // Qt's notes on its own set-up (a missing runtime folder, say) are no concern of the
    // picture's; failures that matter come back as values.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // A picture needs no screen: the offscreen platform paints with the same fonts.
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance())
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool bSvg = QString::fromStdString(path).endsWith(".svg", Qt::CaseInsensitive);
    if (bSvg)
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(kWidth, kHeight));
        generator.setViewBox(QRect(0, 0, kWidth, kHeight));
        generator.setTitle(QString::fromStdString(m_title));
        generator.setDescription("Drawn by pivolo-stats");
        QPainter painter(&generator);
        Paint(painter);
    }
    else
    {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            Paint(painter);
        }
        if (!image.save(&buffer, "PNG"))
            return "cannot make the picture " + path;
    }
    return COutputFile::WriteWhole(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void CStatsPlot::Paint(QPainter& painter) const
{
    painter.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
    painter.setPen(Qt::black);
    painter.setFont(Font(22, true));
    painter.drawText(QRect(20, 12, kWidth - 40, 32), Qt::AlignCenter,
                     QString::fromStdString(m_title));
    painter.setFont(Font(15));
    painter.drawText(QRect(20, 44, kWidth - 40, 22), Qt::AlignCenter,
                     QString("%L1 draws (equal tiles make one draw) x %L2 targets, %3 to %4")
                         .arg(static_cast<qlonglong>(m_tally.DrawCount()))
                         .arg(m_tally.TargetCount())
                         .arg(m_tally.FirstTarget())
                         .arg(m_tally.LastTarget()));
    PaintShares(painter, 80, 530);
    PaintDistances(painter, 560, kHeight - 10);
}

void CStatsPlot::PaintShares(QPainter& painter, int nTop, int nBottom) const
{
    const int nPlotTop = nTop + 40;
    const int nPlotBottom = nBottom - 90;
    const int nPlotLeft = kLeft;
    const int nPlotRight = kWidth - kRight;
    // Over a long range, target by target, the lines of the categories with few draws jump
    // from 0 to 100% and hide each other: each point is then the mean over ten targets.
    const int nBin = m_tally.TargetCount() > 100 ? 10 : 1;
    PaintPanelTitles(painter, nTop, nPlotTop, nPlotBottom,
                     nBin == 1
                         ? "Share of draws that reach each target"
                         : "Share of draws that reach each target (mean over each ten targets)",
                     "draws that reach the target (%)");
    struct Point
    {
        double dTarget;
        double dShare;
    };
    // The points of a category's line, or of all draws' (-1).
    auto points = [&](int nCategory)
    {
        const std::int64_t nDraws = nCategory < 0 ? static_cast<std::int64_t>(m_tally.DrawCount())
                                                  : m_tally.CategoryDraws(nCategory);
        std::vector<Point> line;
        for (int t = m_tally.FirstTarget(); t <= m_tally.LastTarget(); t += nBin)
        {
            const int nLast = std::min(t + nBin - 1, m_tally.LastTarget());
            std::int64_t nExact = 0;
            for (int u = t; u <= nLast; ++u)
                nExact += nCategory < 0 ? m_tally.ExactDraws(u) : m_tally.ExactDraws(nCategory, u);
            const std::int64_t nGames = nDraws * (nLast - t + 1);
            line.push_back({(t + nLast) / 2.0, nGames == 0 ? 0 : 100.0 * nExact / nGames});
        }
        return line;
    };

    // The vertical scale starts at the tens below the lowest share, so that the lines do not
    // crowd at the top.
    double dLowest = 100;
    for (int c = 0; c < m_tally.UsedCategories(); ++c)
    {
        if (m_tally.CategoryDraws(c) == 0)
            continue;
        for (const Point& point : points(c))
            dLowest = std::min(dLowest, point.dShare);
    }
    const double dFloor = std::min(90.0, std::floor(dLowest / 10) * 10);
    const double dStep = 100 - dFloor > 50 ? 10 : 100 - dFloor > 20 ? 5 : 100 - dFloor > 10 ? 2 : 1;
    const int nFirst = m_tally.FirstTarget();
    const int nSpan = std::max(1, m_tally.LastTarget() - nFirst);
    auto xOf = [&](double dTarget)
    { return nPlotLeft + (dTarget - nFirst) * (nPlotRight - nPlotLeft) / nSpan; };
    auto yOf = [&](double dShare)
    { return nPlotBottom - (dShare - dFloor) * (nPlotBottom - nPlotTop) / (100 - dFloor); };

    painter.setFont(Font(14));
    for (double s = dFloor; s <= 100.001; s += dStep)
    {
        painter.setPen(QPen(kGridColour, 1));
        painter.drawLine(QPointF(nPlotLeft, yOf(s)), QPointF(nPlotRight, yOf(s)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(nPlotLeft - 70, yOf(s) - 10, 62, 20),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(s, 'f', 0) + "%");
    }
    // Targets ticks at round hundreds (or tens, or units, for short ranges).
    const int nTick = nSpan > 300 ? 100 : nSpan > 60 ? 20 : nSpan > 15 ? 5 : 1;
    for (int t = (nFirst + nTick - 1) / nTick * nTick; t <= m_tally.LastTarget(); t += nTick)
    {
        painter.setPen(QPen(kGridColour, 1));
        painter.drawLine(QPointF(xOf(t), nPlotTop), QPointF(xOf(t), nPlotBottom));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(xOf(t), nPlotBottom), QPointF(xOf(t), nPlotBottom + 5));
        painter.drawText(QRectF(xOf(t) - 40, nPlotBottom + 6, 80, 20), Qt::AlignCenter,
                         QString::number(t));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(nPlotLeft, nPlotTop, nPlotRight - nPlotLeft, nPlotBottom - nPlotTop));
    painter.setFont(Font(15));
    painter.drawText(QRect(nPlotLeft, nPlotBottom + 28, nPlotRight - nPlotLeft, 22),
                     Qt::AlignCenter, "target");

    painter.save();
    painter.setClipRect(
        QRectF(nPlotLeft, nPlotTop - 2, nPlotRight - nPlotLeft, nPlotBottom - nPlotTop + 4));
    auto line = [&](int nCategory)
    {
        QPainterPath path;
        for (const Point& point : points(nCategory))
        {
            const QPointF at(xOf(point.dTarget), yOf(point.dShare));
            if (path.elementCount() == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        return path;
    };
    for (int c = 0; c < m_tally.UsedCategories(); ++c)
    {
        if (m_tally.CategoryDraws(c) == 0)
            continue;
        painter.setPen(QPen(kaCategoryColours[c], 2));
        painter.drawPath(line(c));
    }
    painter.setPen(QPen(kAllColour, 2.5));
    painter.drawPath(line(-1));
    painter.restore();
    PaintLegend(painter, (nPlotLeft + nPlotRight) / 2, nBottom - 20, m_tally.UsedCategories(),
                true);
}

void CStatsPlot::PaintDistances(QPainter& painter, int nTop, int nBottom) const
{
    const int nPlotTop = nTop + 40;
    const int nPlotBottom = nBottom - 90;
    const int nPlotLeft = kLeft;
    const int nPlotRight = kWidth - kRight;
    PaintPanelTitles(painter, nTop, nPlotTop, nPlotBottom,
                     "How far from the target the games end (logarithmic scale)",
                     "games of the category (%)");

    // Powers of ten from the smallest share shown up to 100%.
    double dSmallest = 100;
    for (int c = 0; c < m_tally.UsedCategories(); ++c)
    {
        const std::int64_t nGames = m_tally.CategoryDraws(c) * m_tally.TargetCount();
        for (int b = 0; b < CDrawTally::Distances; ++b)
        {
            if (nGames > 0 && m_tally.Games(c, b) > 0)
                dSmallest = std::min(dSmallest, 100.0 * m_tally.Games(c, b) / nGames);
        }
    }
    const int nLowPower = std::min(0, static_cast<int>(std::floor(std::log10(dSmallest))));
    const double dLow = nLowPower;
    auto yOf = [&](double dShare)
    {
        const double dLog = std::log10(std::max(dShare, std::pow(10.0, dLow)));
        return nPlotBottom - (dLog - dLow) * (nPlotBottom - nPlotTop) / (2 - dLow);
    };
    painter.setFont(Font(14));
    for (int p = nLowPower; p <= 2; ++p)
    {
        const double dShare = std::pow(10.0, p);
        painter.setPen(QPen(kGridColour, 1));
        painter.drawLine(QPointF(nPlotLeft, yOf(dShare)), QPointF(nPlotRight, yOf(dShare)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(nPlotLeft - 90, yOf(dShare) - 10, 82, 20),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(dShare, 'f', std::max(0, -p)) + "%");
    }

    const double dGroup = static_cast<double>(nPlotRight - nPlotLeft) / CDrawTally::Distances;
    const double dBar = dGroup * 0.8 / m_tally.UsedCategories();
    for (int b = 0; b < CDrawTally::Distances; ++b)
    {
        const double x = nPlotLeft + b * dGroup + dGroup * 0.1;
        for (int c = 0; c < m_tally.UsedCategories(); ++c)
        {
            const std::int64_t nGames = m_tally.CategoryDraws(c) * m_tally.TargetCount();
            if (nGames == 0 || m_tally.Games(c, b) == 0)
                continue;
            const double y = yOf(100.0 * m_tally.Games(c, b) / nGames);
            painter.fillRect(QRectF(x + c * dBar, y, dBar - 1, nPlotBottom - y),
                             kaCategoryColours[c]);
        }
        painter.setPen(Qt::black);
        const QString label = b == 0                       ? "exact"
                              : b == CDrawTally::FarBucket ? "> 10"
                                                           : QString::number(b);
        painter.drawText(QRectF(nPlotLeft + b * dGroup, nPlotBottom + 6, dGroup, 20),
                         Qt::AlignCenter, label);
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(nPlotLeft, nPlotTop, nPlotRight - nPlotLeft, nPlotBottom - nPlotTop));
    painter.setFont(Font(15));
    painter.drawText(QRect(nPlotLeft, nPlotBottom + 28, nPlotRight - nPlotLeft, 22),
                     Qt::AlignCenter, "distance from the target");
    PaintLegend(painter, (nPlotLeft + nPlotRight) / 2, nBottom - 20, m_tally.UsedCategories(),
                false);
}
