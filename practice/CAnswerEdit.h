#pragma once

#include "CAnswerReview.h"

#include <QPlainTextEdit>

#include <vector>

// Where the player types an answer: steps one a line ("50 x 8 = 400") or an expression. Each
// line carries a mark, drawn after its text: right, or wrong with a short reason.
//
// Enter goes to a new line after a step that states a result other than the target, and
// otherwise (an expression, a step that makes the target, an empty line) submits the answer;
// Shift+Enter always starts a new line and Ctrl+Enter always submits.
class CAnswerEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    using SLineMark = CAnswerReview::SLineMark;

    explicit CAnswerEdit(QWidget* pParent = nullptr);

    void SetTarget(int nTarget) { m_nTarget = nTarget; }
    // One mark a line of the text, in order; lines beyond the marks have none.
    void SetLineMarks(std::vector<SLineMark> marks);
    const std::vector<SLineMark>& LineMarks() const { return m_marks; }
    // The line (1-based) the cursor stands in.
    int CursorLine() const;
    // Whether Enter at the end of this line submits the answer.
    bool EnterSubmits(const QString& line) const;

signals:
    void submitRequested();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    int m_nTarget = -1;
    std::vector<SLineMark> m_marks;
};
