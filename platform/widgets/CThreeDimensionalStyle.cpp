#include "CThreeDimensionalStyle.h"

#include "CDialogTemplate.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

namespace
{
constexpr const char* EX_STYLE_PROPERTY = "extendedStyle";
constexpr int STATIC_EDGE_WIDTH = 1;
constexpr int CLIENT_EDGE_WIDTH = 2;

// An edit or a list whose template asks for a static edge around its own border.
bool HasStaticEdgeOutsideBorder(const QWidget* pWidget)
{
    return (CThreeDimensionalStyle::ExtendedStyle(pWidget) & WS_EX_STATICEDGE) &&
           (qobject_cast<const QLineEdit*>(pWidget) ||
            qobject_cast<const QAbstractScrollArea*>(pWidget));
}

// The element with which each kind of control draws its border.
bool IsBorderOf(QStyle::PrimitiveElement element, const QWidget* pWidget)
{
    if (qobject_cast<const QLineEdit*>(pWidget))
        return element == QStyle::PE_FrameLineEdit;
    return element == QStyle::PE_Frame;
}
} // namespace

CThreeDimensionalStyle::CThreeDimensionalStyle() : QProxyStyle(QStyleFactory::create("Windows")) {}

void CThreeDimensionalStyle::SetExtendedStyle(QWidget& widget, std::uint32_t exStyle)
{
    widget.setProperty(EX_STYLE_PROPERTY, exStyle);
    // Framed controls measure their border again, edges included.
    QEvent styleChange(QEvent::StyleChange);
    QApplication::sendEvent(&widget, &styleChange);
}

std::uint32_t CThreeDimensionalStyle::ExtendedStyle(const QWidget* pWidget)
{
    return pWidget ? pWidget->property(EX_STYLE_PROPERTY).toUInt() : 0;
}

int CThreeDimensionalStyle::pixelMetric(PixelMetric metric, const QStyleOption* pOption,
                                        const QWidget* pWidget) const
{
    const int nMetric = QProxyStyle::pixelMetric(metric, pOption, pWidget);
    if (metric == PM_DefaultFrameWidth && HasStaticEdgeOutsideBorder(pWidget))
        return nMetric + STATIC_EDGE_WIDTH;
    return nMetric;
}

void CThreeDimensionalStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* pOption,
                                           QPainter* pPainter, const QWidget* pWidget) const
{
    const auto* pFrame = qstyleoption_cast<const QStyleOptionFrame*>(pOption);
    if (!pFrame || !HasStaticEdgeOutsideBorder(pWidget) || !IsBorderOf(element, pWidget))
        return QProxyStyle::drawPrimitive(element, pOption, pPainter, pWidget);
    // The static edge is the same sunken line as a static text's edge; the control's own
    // border comes inside it.
    qDrawShadePanel(pPainter, pFrame->rect, pFrame->palette, true, STATIC_EDGE_WIDTH);
    QStyleOptionFrame border = *pFrame;
    border.rect = pFrame->rect.adjusted(STATIC_EDGE_WIDTH, STATIC_EDGE_WIDTH, -STATIC_EDGE_WIDTH,
                                        -STATIC_EDGE_WIDTH);
    border.lineWidth = std::max(0, pFrame->lineWidth - STATIC_EDGE_WIDTH);
    QProxyStyle::drawPrimitive(element, &border, pPainter, pWidget);
}

void CThreeDimensionalStyle::drawControl(ControlElement element, const QStyleOption* pOption,
                                         QPainter* pPainter, const QWidget* pWidget) const
{
    const auto* pButton = qstyleoption_cast<const QStyleOptionButton*>(pOption);
    if (element != CE_PushButton || !pButton || !(ExtendedStyle(pWidget) & WS_EX_CLIENTEDGE))
        return QProxyStyle::drawControl(element, pOption, pPainter, pWidget);
    // The client edge is the sunken border that edits and lists have; the button is drawn
    // inside it.
    QStyleOptionFrame edge;
    edge.rect = pOption->rect;
    edge.palette = pOption->palette;
    edge.state = State_Sunken;
    edge.lineWidth = CLIENT_EDGE_WIDTH;
    QProxyStyle::drawPrimitive(PE_Frame, &edge, pPainter, pWidget);
    QStyleOptionButton button = *pButton;
    button.rect = pButton->rect.adjusted(CLIENT_EDGE_WIDTH, CLIENT_EDGE_WIDTH, -CLIENT_EDGE_WIDTH,
                                         -CLIENT_EDGE_WIDTH);
    QProxyStyle::drawControl(element, &button, pPainter, pWidget);
}
