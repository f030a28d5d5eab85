#pragma once

#include <QStringList>
#include <QTextEdit>

// Where the practice window speaks: what to do before and during a round, then the verdict,
// its headline in bold and a paragraph a detail. It reads like any text, line by line, and
// its description, for a screen reader, is the verdict's headline.
class CVerdictView : public QTextEdit
{
    Q_OBJECT

public:
    explicit CVerdictView(QWidget* pParent = nullptr);

    // A word before or during a round; no verdict stands.
    void ShowPrompt(const QString& text);
    void ShowVerdict(const QString& headline, const QStringList& details);
};
