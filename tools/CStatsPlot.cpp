#include "CStatsPlot.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <memory>
#include <vector>

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
constexpr int kAll = -1;
constexpr int kAllDealt = -2;

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

QPen SeriesPen(int nSeries)
{
    if (nSeries >= 0)
        return QPen(kaCategoryColours[nSeries], 1.5);
    QPen pen(kAllColour, 2.5);
    if (nSeries == kAllDealt)
        pen.setStyle(Qt::DashLine);
    return pen;
}

QString Grouped(std::int64_t nCount)
{
    return QString::fromStdString(CStatsWords::Grouped(nCount));
}
} // namespace

CStatsPlot::CStatsPlot(const CDrawTally& tally, const CDealtTally& dealt, const CStatsWords& words)
    : m_tally(tally), m_dealt(dealt), m_words(words)
{
}

std::optional<std::string> CStatsPlot::Picture(const std::string& name, int argc, char** argv) const
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
    if (QString::fromStdString(name).endsWith(".svg", Qt::CaseInsensitive))
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(kWidth, kHeight));
        generator.setViewBox(QRect(0, 0, kWidth, kHeight));
        generator.setTitle(QString::fromStdString(m_words.Draws()));
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
            return std::nullopt;
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void CStatsPlot::Paint(QPainter& painter) const
{
    painter.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
    painter.setPen(Qt::black);
    painter.setFont(Font(21, true));
    painter.drawText(QRect(20, 10, kWidth - 40, 32), Qt::AlignCenter,
                     QString::fromStdString(m_words.Draws()));
    painter.setFont(Font(15));
    painter.drawText(QRect(20, 42, kWidth - 40, 22), Qt::AlignCenter,
                     QString::fromStdString(m_words.Targets() + ": " + m_words.Games() +
                                            " (equal tiles make one draw)"));
    PaintShares(painter, 74, 580);
    PaintDistances(painter, 600, kHeight - 10);
}

std::int64_t CStatsPlot::SeriesDraws(int nSeries) const
{
    return nSeries >= 0 ? m_tally.CategoryDraws(nSeries)
                        : static_cast<std::int64_t>(m_tally.DrawCount());
}

double CStatsPlot::Share(int nSeries, int nTarget) const
{
    if (nSeries == kAllDealt)
        return 100.0 * static_cast<double>(m_dealt.ExactWays(nTarget)) /
               static_cast<double>(std::max<std::int64_t>(m_dealt.AllWays(), 1));
    const std::int64_t nExact =
        nSeries == kAll ? m_tally.ExactDraws(nTarget) : m_tally.ExactDraws(nSeries, nTarget);
    return 100.0 * static_cast<double>(nExact) /
           static_cast<double>(std::max<std::int64_t>(SeriesDraws(nSeries), 1));
}

void CStatsPlot::PaintShares(QPainter& painter, int nTop, int nBottom) const
{
    const int nPlotTop = nTop + 36;
    const int nPlotBottom = nBottom - 110;
    const int nPlotLeft = kLeft;
    const int nPlotRight = kWidth - kRight;
    painter.setPen(Qt::black);
    painter.setFont(Font(18, true));
    // Over a long range, target by target, the lines of the series with few draws jump from
    // 0 to 100% and hide each other: each point is then the mean of 25 targets in a row,
    // which hold one multiple of 25 each, so that the large tiles' period makes no pattern
    // of its own.
    const int nBin = m_tally.TargetCount() > 100 && m_tally.DrawCount() > 1 ? 25 : 1;
    painter.drawText(QRect(kLeft, nTop, kWidth - kLeft - kRight, 28),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     nBin == 1 ? "Share of the draws that reach each target"
                               : "Share of the draws that reach the targets, in steps of 25 "
                                 "targets (one multiple of 25 in each)");
    painter.save();
    painter.setFont(Font(15));
    painter.translate(24, (nPlotTop + nPlotBottom) / 2);
    painter.rotate(-90);
    painter.drawText(QRect(-200, -12, 400, 24), Qt::AlignCenter, "draws that reach the target");
    painter.restore();

    const int nFirst = m_tally.FirstTarget();
    const int nSpan = m_tally.LastTarget() - nFirst;
    // A single target stands in the middle.
    auto xOf = [&](double dTarget)
    {
        return nSpan == 0
                   ? (nPlotLeft + nPlotRight) / 2.0
                   : nPlotLeft + 8 + (dTarget - nFirst) * (nPlotRight - nPlotLeft - 16) / nSpan;
    };
    auto yOf = [&](double dShare) { return nPlotBottom - dShare * (nPlotBottom - nPlotTop) / 100; };

    painter.setFont(Font(14));
    for (int s = 0; s <= 100; s += 10)
    {
        painter.setPen(QPen(kGridColour, 1));
        painter.drawLine(QPointF(nPlotLeft, yOf(s)), QPointF(nPlotRight, yOf(s)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(nPlotLeft - 70, yOf(s) - 10, 62, 20),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(s) + "%");
    }
    // Ticks at round hundreds, or tens, or units, for short ranges.
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
    painter.drawText(QRect(nPlotLeft, nPlotBottom + 26, nPlotRight - nPlotLeft, 22),
                     Qt::AlignCenter, "target");

    // The series: each number of large tiles that some draw holds, then all draws.
    std::vector<int> series;
    for (int c = 0; c < m_tally.UsedCategories(); ++c)
    {
        if (m_tally.CategoryDraws(c) > 0)
            series.push_back(c);
    }
    series.push_back(kAll);
    series.push_back(kAllDealt);
    painter.save();
    painter.setClipRect(
        QRectF(nPlotLeft, nPlotTop - 6, nPlotRight - nPlotLeft, nPlotBottom - nPlotTop + 12));
    for (const int nSeries : series)
    {
        painter.setPen(SeriesPen(nSeries));
        // One draw reaches a target or not: its shares are 0 or 100%, points rather than a
        // line; so is a single target.
        if (nSpan == 0 || SeriesDraws(nSeries) == 1)
        {
            const double dRadius = nSeries >= 0 ? 3.5 : 5.5;
            painter.setBrush(nSeries == kAllDealt ? QBrush(Qt::NoBrush)
                                                  : QBrush(SeriesPen(nSeries).color()));
            for (int t = nFirst; t <= m_tally.LastTarget(); ++t)
                painter.drawEllipse(QPointF(xOf(t), yOf(Share(nSeries, t))), dRadius, dRadius);
            painter.setBrush(Qt::NoBrush);
            continue;
        }
        QPainterPath path;
        for (int t = nFirst; t <= m_tally.LastTarget(); t += nBin)
        {
            const int nLast = std::min(t + nBin - 1, m_tally.LastTarget());
            double dSum = 0;
            for (int u = t; u <= nLast; ++u)
                dSum += Share(nSeries, u);
            const QPointF point(xOf((t + nLast) / 2.0), yOf(dSum / (nLast - t + 1)));
            if (t == nFirst)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        painter.drawPath(path);
    }
    painter.restore();

    // The legend, in two rows: what each series counts, and on how many draws it rests.
    painter.setFont(Font(14));
    const QFontMetrics metrics(painter.font());
    auto label = [&](int nSeries)
    {
        if (nSeries >= 0)
            return QString("%1 large (%2 %3)")
                .arg(nSeries)
                .arg(Grouped(SeriesDraws(nSeries)))
                .arg(SeriesDraws(nSeries) == 1 ? "draw" : "draws");
        if (nSeries == kAll)
            return QString("all draws, each counted once");
        return QString("all draws as dealt (%1 ways)").arg(Grouped(m_dealt.AllWays()));
    };
    // As many entries a row as fit; all draws on a row of their own.
    std::vector<std::vector<int>> legendRows(1);
    int nRowWidth = 0;
    for (const int nSeries : series)
    {
        const int nEntry = 30 + metrics.horizontalAdvance(label(nSeries)) + 20;
        if ((nSeries == kAll || nRowWidth + nEntry > nPlotRight - nPlotLeft) &&
            !legendRows.back().empty())
        {
            legendRows.emplace_back();
            nRowWidth = 0;
        }
        legendRows.back().push_back(nSeries);
        nRowWidth += nEntry;
    }
    for (std::size_t nRow = 0; nRow < legendRows.size(); ++nRow)
    {
        int nWidth = 0;
        for (const int nSeries : legendRows[nRow])
            nWidth += 30 + metrics.horizontalAdvance(label(nSeries)) + 20;
        int x = (nPlotLeft + nPlotRight - nWidth) / 2;
        const int y = nPlotBottom + 60 + static_cast<int>(nRow) * 22;
        for (const int nSeries : legendRows[nRow])
        {
            painter.setPen(SeriesPen(nSeries));
            painter.drawLine(x, y, x + 24, y);
            painter.setPen(Qt::black);
            const QString text = label(nSeries);
            painter.drawText(QRect(x + 30, y - 11, metrics.horizontalAdvance(text) + 2, 22),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
            x += 30 + metrics.horizontalAdvance(text) + 20;
        }
    }
}

void CStatsPlot::PaintDistances(QPainter& painter, int nTop, int nBottom) const
{
    painter.setPen(Qt::black);
    painter.setFont(Font(18, true));
    painter.drawText(QRect(kLeft, nTop, kWidth - kLeft - kRight, 28),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     "How far from the target the games end: % of each row's games");
    // Rows: each number of large tiles of the set, all draws, all draws as dealt.
    std::vector<int> rows;
    for (int c = 0; c < m_tally.UsedCategories(); ++c)
        rows.push_back(c);
    rows.push_back(kAll);
    rows.push_back(kAllDealt);
    const int nTableTop = nTop + 40;
    const int nHeaderHeight = 26;
    const double dRow =
        std::min(34.0, static_cast<double>(nBottom - nTableTop - nHeaderHeight) / rows.size());
    const int nLabels = 220;
    const double dColumn =
        static_cast<double>(kWidth - kRight - 20 - nLabels) / CDrawTally::Distances;
    const int nTableLeft = 20 + nLabels;

    painter.setFont(Font(14, true));
    for (int b = 0; b < CDrawTally::Distances; ++b)
    {
        const QString heading = b == 0                       ? QString("exact")
                                : b == CDrawTally::FarBucket ? QString("> %1").arg(b - 1)
                                                             : QString::number(b);
        painter.drawText(QRectF(nTableLeft + b * dColumn, nTableTop, dColumn, nHeaderHeight),
                         Qt::AlignCenter, heading);
    }
    for (std::size_t r = 0; r < rows.size(); ++r)
    {
        const int nRow = rows[r];
        const double y = nTableTop + nHeaderHeight + r * dRow;
        std::int64_t nGames = 0;
        if (nRow >= 0)
            nGames = m_tally.CategoryDraws(nRow) * m_tally.TargetCount();
        else if (nRow == kAll)
            nGames = static_cast<std::int64_t>(m_tally.DrawCount()) * m_tally.TargetCount();
        else
            nGames = m_dealt.AllWays() * m_tally.TargetCount();
        painter.setFont(Font(14));
        painter.setPen(Qt::black);
        const QString name = nRow >= 0
                                 ? QString(nRow == 1 ? "%1 large tile" : "%1 large tiles").arg(nRow)
                             : nRow == kAll ? QString("all draws")
                                            : QString("all draws as dealt");
        painter.drawText(QRectF(20, y, nLabels - 10, dRow), Qt::AlignRight | Qt::AlignVCenter,
                         name);
        for (int b = 0; b < CDrawTally::Distances; ++b)
        {
            std::int64_t nPart = 0;
            for (int c = 0; c < m_tally.UsedCategories(); ++c)
            {
                if (nRow == c || nRow == kAll)
                    nPart += m_tally.Games(c, b);
                else if (nRow == kAllDealt)
                    nPart += m_dealt.Games(c, b);
            }
            const QRectF cell(nTableLeft + b * dColumn, y, dColumn, dRow);
            QString text = "-";
            double dShare = 0;
            if (nGames > 0)
            {
                dShare = 100.0 * static_cast<double>(nPart) / static_cast<double>(nGames);
                text = nPart == 0       ? QString("0")
                       : dShare < 0.005 ? QString("<0.01")
                       : dShare < 10    ? QString::number(dShare, 'f', 2)
                                        : QString::number(dShare, 'f', 1);
            }
            // Shaded linearly by the share: a fifth of the games is the darkest.
            const int nShade = static_cast<int>(std::min(dShare / 20.0, 1.0) * 170);
            painter.fillRect(cell.adjusted(1, 1, -1, -1),
                             QColor(255 - nShade, 255 - nShade * 3 / 4, 255));
            painter.setPen(nShade > 110 ? Qt::white : Qt::black);
            painter.setFont(Font(13, nRow < 0));
            painter.drawText(cell, Qt::AlignCenter, text);
        }
    }
    painter.setPen(Qt::black);
    painter.setFont(Font(14));
    painter.drawText(QRectF(nTableLeft, nTableTop + nHeaderHeight + rows.size() * dRow + 4,
                            dColumn * CDrawTally::Distances, 22),
                     Qt::AlignCenter,
                     "distance from the target (the value reached minus the target, either way)");
}
