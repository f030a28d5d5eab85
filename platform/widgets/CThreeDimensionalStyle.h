#pragma once

#include <QProxyStyle>

#include <cstdint>

// Qt's "Windows" style, which gives the grey three-dimensional look, with the edges that a
// template's extended styles put around a control, drawn outside what the control draws
// itself, where the system would draw them in the control's frame: a static edge, one
// sunken line, around an edit's or a list's own border; a client edge, a two-pixel sunken
// border, around a button.
class CThreeDimensionalStyle : public QProxyStyle
{
public:
    CThreeDimensionalStyle();

    // Records a control's extended styles, for the style to draw its edges.
    static void SetExtendedStyle(QWidget& widget, std::uint32_t exStyle);
    static std::uint32_t ExtendedStyle(const QWidget* pWidget);

    int pixelMetric(PixelMetric metric, const QStyleOption* pOption,
                    const QWidget* pWidget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                       const QWidget* pWidget) const override;
    void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                     const QWidget* pWidget) const override;
};
