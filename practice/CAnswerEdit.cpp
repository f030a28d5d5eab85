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
    const bool bSubmit =
        modifiers == Qt::ControlModifier ||
        (!toPlainText().trimmed().isEmpty() && EnterSubmits(textCursor().block().text()));
    if (bSubmit)
        emit submitRequested();
    else if (modifiers == Qt::NoModifier)
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
        const QString text = bRight ? QStringLiteral("✓")
                                    : QStringLiteral("✗ ") + QString::fromStdString(mark.reason);
        const int nX =
            static_cast<int>(offset.x()) + metrics.horizontalAdvance(block.text()) + MARK_GAP;
        painter.setPen(bRight ? RIGHT_COLOUR : WRONG_COLOUR);
        painter.drawText(QRectF(nX, box.top(), viewport()->width() - nX, box.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}
