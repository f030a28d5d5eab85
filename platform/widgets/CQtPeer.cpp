#include "CQtPeer.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace
{
// The room a button's frame leaves its caption on each side.
constexpr int BUTTON_CAPTION_MARGIN = 4;
// The templates' face, which this system does not have.
constexpr const char* TEMPLATE_FACE = "MS Sans Serif";

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text)
{
    return text.toUtf8().toStdString();
}
} // namespace

CQtPeer::CQtPeer(QWidget* pWidget, EControlClass eClass, std::uint32_t style)
    : m_pWidget(pWidget), m_eClass(eClass), m_style(style)
{
    if (auto* pButton = qobject_cast<QPushButton*>(pWidget))
        m_caption = pButton->text();
}

std::string CQtPeer::GetText() const
{
    if (auto* pEdit = qobject_cast<QLineEdit*>(m_pWidget))
        return ToUtf8(pEdit->text());
    if (auto* pLabel = qobject_cast<QLabel*>(m_pWidget))
        return ToUtf8(pLabel->text());
    if (qobject_cast<QPushButton*>(m_pWidget))
        return ToUtf8(m_caption);
    return {};
}

void CQtPeer::SetText(const std::string& text)
{
    if (auto* pEdit = qobject_cast<QLineEdit*>(m_pWidget))
        pEdit->setText(FromUtf8(text));
    else if (auto* pLabel = qobject_cast<QLabel*>(m_pWidget))
        pLabel->setText(FromUtf8(text));
    else if (qobject_cast<QPushButton*>(m_pWidget))
    {
        m_caption = FromUtf8(text);
        ShowCaption();
    }
}

void CQtPeer::Enable(bool bEnable)
{
    if (m_pWidget)
        m_pWidget->setEnabled(bEnable);
}

bool CQtPeer::IsEnabled() const
{
    return m_pWidget && m_pWidget->isEnabled();
}

LOGFONT CQtPeer::GetFont() const
{
    return m_pWidget ? DescribeFont(m_pWidget->font()) : LOGFONT{};
}

void CQtPeer::SetFont(const LOGFONT* pFont)
{
    if (!m_pWidget)
        return;
    // An empty font resolves nothing of its own: the control takes the dialog's again.
    m_pWidget->setFont(pFont ? MakeFont(*pFont) : QFont());
    ShowCaption();
}

void CQtPeer::SetLimitText(int nMaxChars)
{
    // 0 lifts the limit, as far as the widget allows.
    if (auto* pEdit = qobject_cast<QLineEdit*>(m_pWidget))
        pEdit->setMaxLength(nMaxChars > 0 ? nMaxChars : 32767);
}

void CQtPeer::ResetContent()
{
    if (auto* pList = qobject_cast<QListWidget*>(m_pWidget))
        pList->clear();
}

void CQtPeer::AddString(const std::string& text)
{
    if (auto* pList = qobject_cast<QListWidget*>(m_pWidget))
        pList->addItem(FromUtf8(text));
}

int CQtPeer::GetCount() const
{
    if (auto* pList = qobject_cast<QListWidget*>(m_pWidget))
        return pList->count();
    return 0;
}

std::string CQtPeer::GetString(int nIndex) const
{
    auto* pList = qobject_cast<QListWidget*>(m_pWidget);
    if (!pList || nIndex < 0 || nIndex >= pList->count())
        return {};
    return ToUtf8(pList->item(nIndex)->text());
}

LOGFONT CQtPeer::DescribeFont(const QFont& font)
{
    const QFontInfo info(font);
    LOGFONT logFont;
    logFont.lfHeight = -info.pixelSize();
    logFont.lfWeight = info.weight();
    logFont.lfItalic = info.italic();
    // The face asked for, as the font was made: a font made from the description then
    // finds the same face again.
    logFont.lfFaceName = ToUtf8(font.family());
    return logFont;
}

QFont CQtPeer::MakeFont(const LOGFONT& logFont)
{
    QFont font(FromUtf8(logFont.lfFaceName));
    font.setStyleHint(QFont::SansSerif);
    // A positive height is the cell's; the characters then take about that much.
    const int nPixels = std::abs(logFont.lfHeight);
    if (nPixels > 0)
        font.setPixelSize(nPixels);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(logFont.lfWeight, 1, 1000)));
    font.setItalic(logFont.lfItalic);
    // Last: the substitute is chosen for the weight and slant asked for.
    if (font.family() == QLatin1String(TEMPLATE_FACE))
        SubstituteTemplateFace(font);
    return font;
}

void CQtPeer::SubstituteTemplateFace(QFont& font)
{
    // Faces about as narrow as the template face come first.
    static const QStringList metricCompatible = {QStringLiteral("Microsoft Sans Serif"),
                                                 QStringLiteral("Liberation Sans"),
                                                 QStringLiteral("Arimo"), QStringLiteral("Arial")};
    const auto compatible =
        std::find_if(metricCompatible.begin(), metricCompatible.end(),
                     [](const QString& face) { return QFontDatabase::hasFamily(face); });
    if (compatible != metricCompatible.end())
        font.setFamilies({QLatin1String(TEMPLATE_FACE), *compatible});
    else
    {
        // The default sans-serif face is wider: narrowed, three bold digits fit the target
        // edit as they do in the template face. Only where the face has a narrow form of
        // the same slant and weight: Qt matches a face without one (Nimbus Sans) with
        // another of its styles, italic ones included.
        QFont narrowed(font);
        narrowed.setStretch(QFont::SemiCondensed);
        if (FindsStyleAskedFor(narrowed))
            font = narrowed;
    }
    if (!FindsStyleAskedFor(font))
        NameFoundryOfStyle(font);
}

bool CQtPeer::FindsStyleAskedFor(const QFont& font)
{
    // QFontInfo tells the slant asked for, not the face's: the face's style is looked up.
    const QFontInfo info(font);
    const QString style = info.styleName();
    const bool bSlanted = QFontDatabase::italic(info.family(), style) ||
                          style.contains(QLatin1String("Italic"), Qt::CaseInsensitive) ||
                          style.contains(QLatin1String("Oblique"), Qt::CaseInsensitive);
    const int nWeight = QFontDatabase::weight(info.family(), style);
    return bSlanted == font.italic() &&
           (nWeight < 0 || (nWeight >= QFont::DemiBold) == (font.weight() >= QFont::DemiBold));
}

void CQtPeer::NameFoundryOfStyle(QFont& font)
{
    // A family whose styles come from several foundries (the URW fonts: the upright faces
    // from one, the italic ones from another) is matched within one foundry, which may
    // have no face of the slant asked for. Named with its foundry, "Family [Foundry]", it is
    // matched within that one.
    QString family = QFontInfo(font).family();
    const qsizetype nFoundry = family.indexOf(QLatin1String(" ["));
    if (nFoundry >= 0)
        family.truncate(nFoundry);
    for (const QString& candidate : QFontDatabase::families())
    {
        if (candidate != family && !candidate.startsWith(family + QLatin1String(" [")))
            continue;
        QFont named(font);
        named.setFamily(candidate);
        if (FindsStyleAskedFor(named))
        {
            font = named;
            return;
        }
    }
}

QString CQtPeer::WrapCaption(const QString& caption, const QFont& font, int nWidth)
{
    const QFontMetrics metrics(font);
    QStringList lines;
    QString line;
    for (const QString& word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts))
    {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > nWidth)
        {
            lines << line;
            line = word;
        }
        else
            line = candidate;
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(QLatin1Char('\n'));
}

void CQtPeer::ShowCaption()
{
    auto* pButton = qobject_cast<QPushButton*>(m_pWidget);
    if (!pButton)
        return;
    if (m_style & BS_MULTILINE)
        pButton->setText(
            WrapCaption(m_caption, pButton->font(), pButton->width() - 2 * BUTTON_CAPTION_MARGIN));
    else
        pButton->setText(m_caption);
}
