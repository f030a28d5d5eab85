#include "CDialog.h"

#include "CDialogImpl.h"
#include "CIconImpl.h"
#include "CPaintDC.h"
#include "CSystemMenuPopup.h"
#include "SafeOwner.h"
#include "TemplateControls.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <cassert>

namespace
{
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
} // namespace

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
    m_pImpl->pWidget = std::make_unique<CDialogWidget>(
        [this](unsigned nMessage, WPARAM wParam, LPARAM lParam)
        { return SendMessage(nMessage, wParam, lParam); },
        m_pImpl->systemMenu, OwnerWidget(m_pImpl->pParent, *pTemplate), type);
    m_pImpl->bEnded = false;
    m_pImpl->nResult = 0;
    CDialogWidget& widget = *m_pImpl->pWidget;
    widget.setWindowTitle(QString::fromUtf8(pTemplate->caption.data(),
                                            static_cast<qsizetype>(pTemplate->caption.size())));
    widget.setFont(TemplateFont(*pTemplate));
    widget.setFixedSize(DialogUnitsToPixelsX(pTemplate->cx), DialogUnitsToPixelsY(pTemplate->cy));
    widget.setModal(m_pImpl->bModal);
    CreateControls(*pTemplate);
    CSystemMenuPopup::SetStandardEntries(m_pImpl->systemMenu);

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
        CSystemMenuPopup::SetStandardEntries(m_pImpl->systemMenu);
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
    if (m_pImpl->pWidget && m_pImpl->pWidget->PaintEvent() && !m_pImpl->pPainter)
        m_pImpl->pWidget->DefaultPaint(m_pImpl->pWidget->PaintEvent());
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
