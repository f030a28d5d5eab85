#include "CVerdictView.h"

#include <QTextCursor>

CVerdictView::CVerdictView(QWidget* pParent) : QTextEdit(pParent)
{
    setReadOnly(true);
    setAccessibleName(QStringLiteral("Verdict"));
}

void CVerdictView::ShowPrompt(const QString& text)
{
    setPlainText(text);
    setAccessibleDescription(QString());
}

void CVerdictView::ShowVerdict(const QString& headline, const QStringList& details)
{
    setPlainText(headline);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.mergeCharFormat(bold);
    cursor.movePosition(QTextCursor::End);
    for (const QString& detail : details)
    {
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertText(detail);
    }
    setAccessibleDescription(headline);
}
