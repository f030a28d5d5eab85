#include "TemplateControls.h"

#include "CBitmap.h"
#include "CIconImpl.h"
#include "CListBoxWidget.h"
#include "CListTabDelegate.h"
#include "CQtPeer.h"
#include "CThreeDimensionalStyle.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace
{
// Typed and pasted text alike: anything but digits is refused whole.
const QRegularExpression g_digitsOnly(QStringLiteral("[0-9]*"));
// The system's default limit of an edit's text.
constexpr int DEFAULT_EDIT_LIMIT = 30000;
// The system's standard tab positions in a list box, one every 32 dialog units.
constexpr int LIST_TAB_STOP_UNITS = 32;

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ToQRect(const CRect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

QPixmap BitmapPixmap(unsigned nId)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nId))
        return {};
    const std::uint8_t* pPixels = bitmap.Pixels24();
    const auto header = bitmap.InfoHeader();
    if (!pPixels || !header)
        return {};
    const int nRows = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    const QImage image(pPixels, header->biWidth, nRows,
                       static_cast<qsizetype>(CBitmap::Stride(header->biWidth, 24)),
                       QImage::Format_BGR888);
    // Rows stored bottom-up when the height is positive.
    return QPixmap::fromImage(header->biHeight > 0 ? image.mirrored() : image.copy());
}

QWidget* MakeStatic(const DLGITEMTEMPLATE& item, QWidget* pParent)
{
    auto* pLabel = new QLabel(pParent);
    pLabel->setFocusPolicy(Qt::NoFocus);
    const std::uint32_t nKind = item.style & 0x1F;
    if (nKind == SS_BITMAP || nKind == SS_ICON)
    {
        // A picture shows its image at its own size from the top-left corner; clicks go
        // through it to the dialog's background.
        if (nKind == SS_BITMAP)
            pLabel->setPixmap(BitmapPixmap(item.nImageId));
        else if (HICON hIcon = CIcon::Load(item.nImageId))
        {
            // An icon control takes the size of its icon, whatever its template size.
            const QSize size(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
            pLabel->setPixmap(hIcon->GetImpl().icon.pixmap(size));
            pLabel->setFixedSize(size);
        }
        pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        pLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
        return pLabel;
    }
    pLabel->setText(FromUtf8(item.caption));
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pLabel->setWordWrap(true);
    // The text starts at the edge, as a static's does: the toolkit's indent of a framed
    // label would push the descenders out at the bottom.
    pLabel->setIndent(0);
    // Statics paint the dialog's grey behind their text, over any picture.
    pLabel->setAutoFillBackground(true);
    if (item.exStyle & WS_EX_STATICEDGE)
    {
        pLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pLabel->setLineWidth(1);
    }
    return pLabel;
}

QWidget* MakeEdit(const DLGITEMTEMPLATE& item, QWidget* pParent)
{
    auto* pEdit = new QLineEdit(FromUtf8(item.caption), pParent);
    pEdit->setMaxLength(DEFAULT_EDIT_LIMIT);
    if (item.style & ES_CENTER)
        pEdit->setAlignment(Qt::AlignCenter);
    if (item.style & ES_NUMBER)
        pEdit->setValidator(new QRegularExpressionValidator(g_digitsOnly, pEdit));
    pEdit->setFrame((item.style & WS_BORDER) != 0);
    // A static edge takes the pixel that the edit keeps on either side of its text, which
    // keeps its room: three bold digits fill the target edit.
    if (item.exStyle & WS_EX_STATICEDGE)
        pEdit->setTextMargins(-1, 0, -1, 0);
    return pEdit;
}

QWidget* MakeListBox(const DLGITEMTEMPLATE& item, QWidget* pParent)
{
    auto* pList = new CListBoxWidget(pParent);
    pList->setSortingEnabled((item.style & LBS_SORT) != 0);
    pList->setVerticalScrollBarPolicy((item.style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
    pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pList->setTextElideMode(Qt::ElideNone);
    if (item.style & LBS_USETABSTOPS)
        pList->setItemDelegate(
            new CListTabDelegate(DialogUnitsToPixelsX(LIST_TAB_STOP_UNITS), pList));
    return pList;
}

// A caption as it is read out: the mnemonic marks dropped, a doubled one kept as one.
QString WithoutMnemonics(const QString& caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i)
    {
        if (caption[i] == QLatin1Char('&') && ++i == caption.size())
            break;
        text += caption[i];
    }
    return text;
}

QWidget* MakeButton(const DLGITEMTEMPLATE& item, QWidget* pParent)
{
    auto* pButton = new QPushButton(FromUtf8(item.caption), pParent);
    pButton->setAutoDefault(true);
    pButton->setDefault((item.style & 0xF) == BS_DEFPUSHBUTTON);
    // The caption is broken into lines to fit the button; a screen reader reads it whole.
    if (item.style & BS_MULTILINE)
        pButton->setAccessibleName(WithoutMnemonics(pButton->text()));
    return pButton;
}

} // namespace

QFont TemplateFont(const DLGTEMPLATE& dlgTemplate)
{
    LOGFONT logFont;
    logFont.lfHeight = -MulDiv(dlgTemplate.nPointSize, 96, 72);
    logFont.lfWeight = dlgTemplate.nWeight;
    logFont.lfItalic = dlgTemplate.bItalic;
    logFont.lfCharSet = dlgTemplate.nCharSet;
    logFont.lfFaceName = std::string(dlgTemplate.faceName);
    return CQtPeer::MakeFont(logFont);
}

QWidget* MakeControl(const DLGITEMTEMPLATE& item, QWidget* pParent)
{
    QWidget* pWidget = nullptr;
    switch (item.eClass)
    {
    case EControlClass::Static:
        pWidget = MakeStatic(item, pParent);
        break;
    case EControlClass::Edit:
        pWidget = MakeEdit(item, pParent);
        break;
    case EControlClass::ListBox:
        pWidget = MakeListBox(item, pParent);
        break;
    case EControlClass::Button:
        pWidget = MakeButton(item, pParent);
        break;
    }
    CThreeDimensionalStyle::SetExtendedStyle(*pWidget, item.exStyle);
    pWidget->setGeometry(ToQRect(MapDialogRect(item.x, item.y, item.cx, item.cy)));
    if (!item.accessibleName.empty())
        pWidget->setAccessibleName(FromUtf8(item.accessibleName));
    if (item.eClass != EControlClass::Static)
        pWidget->setFocusPolicy((item.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    pWidget->setVisible((item.style & WS_VISIBLE) != 0);
    return pWidget;
}
