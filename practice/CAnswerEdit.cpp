#include "CAnswerEdit.h"

#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBlock>

namespace
{
// Between the end of a line's text and its mark.
constexpr int MARK_GAP = 16;
const QColor RIGHT_COLOUR(0x1b, 0x7a, 0x2e);
const QColor WRONG_COLOUR(0xb0, 0x1c, 0x1c);
} // namespace

CAnswerEdit::CAnswerEdit(QWidget* pParent) : QPlainTextEdit(pParent)
{
    // One line of text, one line on screen: each mark stands beside its own line.
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
}

void CAnswerEdit::SetLineMarks(std::vector<SLineMark> marks)
{
    m_marks = std::move(marks);
    viewport()->update();
}

int CAnswerEdit::CursorLine() const
{
    return textCursor().blockNumber() + 1;
}

bool CAnswerEdit::EnterSubmits(const QString& line) const
{
    const QString text = line.trimmed();
    if (text.isEmpty() || !text.contains(QLatin1Char('=')))
        return true;
    // A stated result equal to the target, on either side of "=", as players and the dialog
    // write steps.
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d+)\\s*$"));
    for (const QString& side : text.split(QLatin1Char('=')))
    {
        const QRegularExpressionMatch match = number.match(side);
        if (match.hasMatch() && match.captured(1).toInt() == m_nTarget)
            return true;
    }
    return false;
}

void CAnswerEdit::keyPressEvent(QKeyEvent* pEvent)
{
    const bool bEnter = pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
    if (!bEnter || isReadOnly())
    {
        QPlainTextEdit::keyPressEvent(pEvent);
        return;
    }
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ShiftModifier)
    {
        textCursor().insertBlock();
        return;
    }
    if (modifiers == Qt::ControlModifier)
    {
        emit submitRequested();
        return;
    }
    // Nothing typed yet: nothing to submit, and no reason for an empty first line.
    if (modifiers != Qt::NoModifier || toPlainText().trimmed().isEmpty())
        return;
    if (EnterSubmits(textCursor().block().text()))
        emit submitRequested();
    else
        textCursor().insertBlock();
}

void CAnswerEdit::paintEvent(QPaintEvent* pEvent)
{
    QPlainTextEdit::paintEvent(pEvent);
    QPainter painter(viewport());
    const QFontMetrics metrics(font());
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next())
    {
        const QRectF box = blockBoundingGeometry(block).translated(offset);
        if (box.top() > viewport()->height())
            break;
        const auto nLine = static_cast<std::size_t>(block.blockNumber());
        if (nLine >= m_marks.size() || m_marks[nLine].eKind == SLineMark::EKind::None)
            continue;
        const SLineMark& mark = m_marks[nLine];
        const bool bRight = mark.eKind == SLineMark::EKind::Right;
        const int nX =
            static_cast<int>(offset.x()) + metrics.horizontalAdvance(block.text()) + MARK_GAP;
        // Drawn rather than written: a tick or a cross shows whatever fonts there are.
        const qreal nSize = metrics.ascent() * 0.6;
        const QPointF centre(nX + nSize / 2, box.center().y());
        painter.setPen(QPen(bRight ? RIGHT_COLOUR : WRONG_COLOUR, 2));
        painter.setRenderHint(QPainter::Antialiasing);
        if (bRight)
            painter.drawPolyline(QPolygonF{centre + QPointF(-nSize / 2, 0),
                                           centre + QPointF(-nSize / 6, nSize / 2),
                                           centre + QPointF(nSize / 2, -nSize / 2)});
        else
        {
            painter.drawLine(centre + QPointF(-nSize / 2, -nSize / 2),
                             centre + QPointF(nSize / 2, nSize / 2));
            painter.drawLine(centre + QPointF(-nSize / 2, nSize / 2),
                             centre + QPointF(nSize / 2, -nSize / 2));
            const qreal nTextX = nX + nSize + MARK_GAP / 2;
            painter.drawText(QRectF(nTextX, box.top(), viewport()->width() - nTextX, box.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(mark.reason));
        }
    }
}
