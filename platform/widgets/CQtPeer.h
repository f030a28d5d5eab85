#pragma once

#include "CDialogTemplate.h"
#include "CWndPeer.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

// The peer of a control over its widget: a QLineEdit for an edit, a QListWidget for a list
// box, a QLabel for a static, a QPushButton for a button.
class CQtPeer : public CWndPeer
{
public:
    CQtPeer(QWidget* pWidget, EControlClass eClass, std::uint32_t style);
    CQtPeer(const CQtPeer&) = delete;
    CQtPeer& operator=(const CQtPeer&) = delete;

    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void Enable(bool bEnable) override;
    bool IsEnabled() const override;
    LOGFONT GetFont() const override;
    void SetFont(const LOGFONT* pFont) override;
    void SetLimitText(int nMaxChars) override;

    void ResetContent() override;
    void AddString(const std::string& text) override;
    int GetCount() const override;
    std::string GetString(int nIndex) const override;

    QWidget* Widget() const { return m_pWidget; }

    // A font description of a Qt font, and back; heights are negative pixel heights.
    static LOGFONT DescribeFont(const QFont& font);
    static QFont MakeFont(const LOGFONT& logFont);
    // The nearest faces present for the templates' face, for a font whose size, weight and
    // slant are set already; the weight and slant are kept.
    static void SubstituteTemplateFace(QFont& font);
    // Whether the face Qt finds for the font has the slant and the weight class (bold or
    // not) that the font asks for.
    static bool FindsStyleAskedFor(const QFont& font);
    // Breaks a caption at blanks so that each line fits the width.
    static QString WrapCaption(const QString& caption, const QFont& font, int nWidth);

private:
    // Shows a button's caption, wrapped when its style asks for it.
    void ShowCaption();
    // Names the foundry of the font's family that has the style asked for, if one has.
    static void NameFoundryOfStyle(QFont& font);

    QPointer<QWidget> m_pWidget;
    EControlClass m_eClass;
    std::uint32_t m_style;
    // A button's caption as set, before any wrapping.
    QString m_caption;
};
