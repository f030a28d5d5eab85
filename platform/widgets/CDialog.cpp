#include "CDialog.h"

#include "CBitmap.h"
#include "CDialogImpl.h"
#include "CIconImpl.h"
#include "CListBoxWidget.h"
#include "CListTabDelegate.h"
#include "CPaintDC.h"
#include "CThreeDimensionalStyle.h"
#include "SafeOwner.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QWindow>

#include <cassert>

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

// The template font at the pixel height the system gives the point size at 96 dots per
// inch.
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

// The entries a window manager's own menu would offer and the dialog can honour.
void ResetSystemMenu(CMenu& menu)
{
    menu.RemoveAll();
    menu.AppendMenu(MF_STRING, SC_MOVE, "&Déplacer");
    menu.AppendMenu(MF_STRING, SC_CLOSE, "&Fermer\tAlt+F4");
}

// A dialog opened without a parent belongs to the program's window it comes from, unless
// it is an application window of its own.
QWidget* OwnerWidget(const CDialog* pParent, const DLGTEMPLATE& dlgTemplate)
{
    if (pParent)
        return DialogWidget(*pParent);
    return (dlgTemplate.exStyle & WS_EX_APPWINDOW) ? nullptr : SafeOwner();
}

void CentreOnScreen(QWidget& widget)
{
    if (const QScreen* pScreen = QGuiApplication::primaryScreen())
        widget.move(pScreen->availableGeometry().center() - widget.rect().center());
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
} // namespace

CDialogWidget::CDialogWidget(CDialog& owner, QWidget* pParent, Qt::WindowType type)
    : QDialog(pParent, type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_owner(owner), m_pSystemMenu(new CSystemMenuPopup(owner, *this)),
      m_pKeyboardMove(new CKeyboardMove(*this))
{
}

void CDialogWidget::StartMove()
{
    if (CKeyboardMove::CanPlaceWindows())
        m_pKeyboardMove->Start();
    else if (windowHandle())
        windowHandle()->startSystemMove();
}

void CDialogWidget::accept()
{
    m_owner.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
}

void CDialogWidget::reject()
{
    m_owner.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

void CDialogWidget::paintEvent(QPaintEvent* pEvent)
{
    CDialog::Impl& impl = m_owner.GetImpl();
    impl.pPaintEvent = pEvent;
    m_owner.SendMessage(WM_PAINT);
    impl.pPaintEvent = nullptr;
}

void CDialogWidget::contextMenuEvent(QContextMenuEvent* pEvent)
{
    // Only the background's own clicks: the controls keep their context menus. The keyboard's
    // requests never come here: they open the system menu from any control.
    if (childAt(pEvent->pos()) != nullptr)
        return QDialog::contextMenuEvent(pEvent);
    m_pSystemMenu->PopupAt(pEvent->globalPos());
}

void CDialogWidget::closeEvent(QCloseEvent* pEvent)
{
    if (m_owner.GetImpl().bEnded)
        return QDialog::closeEvent(pEvent);
    // The close box is the system menu's Close.
    pEvent->ignore();
    m_owner.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

void CDialogWidget::keyPressEvent(QKeyEvent* pEvent)
{
    // Without a window manager nobody else reads Alt+F4.
    if (pEvent->key() == Qt::Key_F4 && pEvent->modifiers() == Qt::AltModifier)
    {
        m_owner.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        return;
    }
    QDialog::keyPressEvent(pEvent);
}

QDialog* DialogWidget(const CDialog& dialog)
{
    return dialog.GetImpl().pWidget.get();
}

CDialog::CDialog(unsigned nTemplateId, CDialog* pParent) : m_pImpl(std::make_unique<Impl>())
{
    m_pImpl->nTemplateId = nTemplateId;
    m_pImpl->pParent = pParent;
}

CDialog::~CDialog()
{
    // The derived dialog's wrappers are gone already: nothing to detach.
    m_pImpl->bound.clear();
    m_pImpl->peers.clear();
    m_pImpl->pWidget.reset();
}

int CDialog::DoModal()
{
    m_pImpl->bModal = true;
    if (!Create())
        return -1;
    int nResult = m_pImpl->nResult;
    if (!m_pImpl->bEnded)
        nResult = m_pImpl->pWidget->exec();
    DestroyWindow();
    m_pImpl->bModal = false;
    return nResult;
}

bool CDialog::Create()
{
    const DLGTEMPLATE* pTemplate = FindDialogTemplate(m_pImpl->nTemplateId);
    if (!pTemplate || IsWindow())
        return false;
    // An application window is a main window of the desktop, with a taskbar entry of its
    // own; other dialogs are dialogs of the window they belong to.
    const Qt::WindowType type = (pTemplate->exStyle & WS_EX_APPWINDOW) ? Qt::Window : Qt::Dialog;
    m_pImpl->pWidget =
        std::make_unique<CDialogWidget>(*this, OwnerWidget(m_pImpl->pParent, *pTemplate), type);
    m_pImpl->bEnded = false;
    m_pImpl->nResult = 0;
    CDialogWidget& widget = *m_pImpl->pWidget;
    widget.setWindowTitle(FromUtf8(pTemplate->caption));
    widget.setFont(TemplateFont(*pTemplate));
    widget.setFixedSize(DialogUnitsToPixelsX(pTemplate->cx), DialogUnitsToPixelsY(pTemplate->cy));
    widget.setModal(m_pImpl->bModal);
    CreateControls(*pTemplate);
    ResetSystemMenu(m_pImpl->systemMenu);

    const bool bFocusFirst = InitialiseDialog();
    if (pTemplate->style & DS_CENTER)
        CentreOnScreen(widget);
    else
        CentreOverOwner(widget);
    // Ended during its initialisation: it is never shown.
    if (m_pImpl->bEnded)
        return true;
    widget.show();
    if (bFocusFirst)
        FocusFirstTabStop();
    return true;
}

void CDialog::CreateControls(const DLGTEMPLATE& dlgTemplate)
{
    // Created in template order, which makes it the tab order and stacks each control over
    // the ones before it.
    for (const DLGITEMTEMPLATE& item : dlgTemplate.items)
    {
        QWidget* pControl = MakeControl(item, m_pImpl->pWidget.get());
        m_pImpl->controls.push_back(pControl);
        m_pImpl->controlStyles.push_back(item.style);
        auto pPeer = std::make_unique<CQtPeer>(pControl, item.eClass, item.style);
        // A wrapped caption is laid out once the button has its size and font.
        pPeer->SetText(pPeer->GetText());
        if (item.nId == IDC_STATIC)
            continue;
        m_pImpl->peers[item.nId] = std::move(pPeer);
        if (auto* pButton = qobject_cast<QPushButton*>(pControl))
        {
            const int nId = item.nId;
            QObject::connect(pButton, &QPushButton::clicked, pButton,
                             [this, nId] { SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED)); });
        }
    }
}

void CDialog::FocusFirstTabStop()
{
    for (std::size_t i = 0; i < m_pImpl->controls.size(); ++i)
    {
        QWidget* pControl = m_pImpl->controls[i];
        if ((m_pImpl->controlStyles[i] & WS_TABSTOP) && pControl->isEnabled() &&
            pControl->isVisible())
        {
            pControl->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CDialog::DestroyWindow()
{
    for (CWnd* pWnd : m_pImpl->bound)
        pWnd->Detach();
    m_pImpl->bound.clear();
    m_pImpl->peers.clear();
    m_pImpl->controls.clear();
    m_pImpl->controlStyles.clear();
    m_pImpl->pWidget.reset();
}

bool CDialog::IsWindow() const
{
    return m_pImpl->pWidget != nullptr;
}

void CDialog::EndDialog(int nResult)
{
    m_pImpl->bEnded = true;
    m_pImpl->nResult = nResult;
    if (m_pImpl->pWidget)
        m_pImpl->pWidget->done(nResult);
}

CWndPeer* CDialog::GetDlgItem(int nId) const
{
    const auto it = m_pImpl->peers.find(nId);
    return it == m_pImpl->peers.end() ? nullptr : it->second.get();
}

CMenu* CDialog::GetSystemMenu(bool bRevert)
{
    if (!IsWindow())
        return nullptr;
    if (bRevert)
        ResetSystemMenu(m_pImpl->systemMenu);
    return &m_pImpl->systemMenu;
}

HICON CDialog::SetIcon(HICON hIcon, bool bBigIcon)
{
    HICON& hSlot = bBigIcon ? m_pImpl->hBigIcon : m_pImpl->hSmallIcon;
    const HICON hPrevious = hSlot;
    hSlot = hIcon;
    if (m_pImpl->pWidget)
    {
        // The window system picks the image of the size it needs from one icon.
        QIcon icon;
        for (HICON h : {m_pImpl->hBigIcon, m_pImpl->hSmallIcon})
        {
            if (!h)
                continue;
            for (const QSize& size : h->GetImpl().icon.availableSizes())
                icon.addPixmap(h->GetImpl().icon.pixmap(size));
        }
        m_pImpl->pWidget->setWindowIcon(icon);
    }
    return hPrevious;
}

HICON CDialog::GetIcon(bool bBigIcon) const
{
    return bBigIcon ? m_pImpl->hBigIcon : m_pImpl->hSmallIcon;
}

bool CDialog::IsIconic() const
{
    return m_pImpl->pWidget && m_pImpl->pWidget->isMinimized();
}

void CDialog::GetClientRect(CRect* pRect) const
{
    assert(pRect);
    *pRect = {};
    if (m_pImpl->pWidget)
        *pRect = {0, 0, m_pImpl->pWidget->width(), m_pImpl->pWidget->height()};
}

void CDialog::ShowSystemMenu()
{
    if (m_pImpl->pWidget)
        m_pImpl->pWidget->SystemMenu().PopupUnderTitleBar();
}

std::span<const CHandlerEntry> CDialog::GetHandlerTable() const
{
    return {};
}

void CDialog::BindControls() {}

bool CDialog::InitialiseDialog()
{
    BindControls();
    return true;
}

void CDialog::BindControl(int nId, CWnd& wnd)
{
    CWndPeer* pPeer = GetDlgItem(nId);
    assert(pPeer && "the template has no control with this id");
    wnd.Attach(pPeer);
    m_pImpl->bound.push_back(&wnd);
}

void CDialog::OnSystemCommand(unsigned nId, LPARAM)
{
    switch (nId & 0xFFF0)
    {
    case SC_MOVE:
        if (m_pImpl->pWidget)
            m_pImpl->pWidget->StartMove();
        break;
    case SC_CLOSE:
        SendMessage(WM_CLOSE);
        break;
    default:
        break;
    }
}

void CDialog::OnPaintRequest()
{
    if (m_pImpl->pWidget && m_pImpl->pPaintEvent && !m_pImpl->pPainter)
        m_pImpl->pWidget->DefaultPaint(m_pImpl->pPaintEvent);
}

HICON CDialog::OnDragIconQuery()
{
    return m_pImpl->hBigIcon;
}

LRESULT CDialog::SendMessage(unsigned nMessage, WPARAM wParam, LPARAM lParam)
{
    const unsigned nCode =
        nMessage == WM_COMMAND ? static_cast<unsigned>(wParam >> 16) & 0xFFFF : 0;
    const int nId = nMessage == WM_COMMAND ? static_cast<int>(wParam & 0xFFFF) : 0;
    if (const CHandlerEntry* pEntry = FindHandler(nMessage, nCode, nId))
        return Call(*pEntry, wParam, lParam);
    return DefaultHandling(nMessage, wParam, lParam);
}

const CHandlerEntry* CDialog::FindHandler(unsigned nMessage, unsigned nCode, int nId) const
{
    for (const CHandlerEntry& entry : GetHandlerTable())
    {
        if (entry.nMessage == nMessage && entry.nCode == nCode && entry.nId == nId)
            return &entry;
    }
    return nullptr;
}

LRESULT CDialog::Call(const CHandlerEntry& entry, WPARAM wParam, LPARAM lParam)
{
    if (const auto* pPlain = std::get_if<CHandlerEntry::PlainHandler>(&entry.handler))
    {
        (this->**pPlain)();
        return 0;
    }
    if (const auto* pCommand = std::get_if<CHandlerEntry::SystemCommandHandler>(&entry.handler))
    {
        (this->**pCommand)(static_cast<unsigned>(wParam), lParam);
        return 0;
    }
    const auto pIcon = std::get<CHandlerEntry::IconHandler>(entry.handler);
    return reinterpret_cast<LRESULT>((this->*pIcon)());
}

LRESULT CDialog::DefaultHandling(unsigned nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage)
    {
    case WM_COMMAND:
        if ((wParam & 0xFFFF) == static_cast<WPARAM>(IDOK))
            OnOK();
        else if ((wParam & 0xFFFF) == static_cast<WPARAM>(IDCANCEL))
            OnCancel();
        return 0;
    case WM_SYSCOMMAND:
        OnSystemCommand(static_cast<unsigned>(wParam), lParam);
        return 0;
    case WM_CLOSE:
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return 0;
    case WM_PAINT:
        OnPaintRequest();
        return 0;
    case WM_ICONERASEBKGND:
        if (wParam != 0)
            reinterpret_cast<HDC>(wParam)->EraseBackground();
        return 1;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnDragIconQuery());
    default:
        return 0;
    }
}
