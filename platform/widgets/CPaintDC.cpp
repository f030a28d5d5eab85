#include "CPaintDC.h"

#include "CDialogImpl.h"
#include "CIconImpl.h"

struct CPaintDC::Painter
{
    explicit Painter(QWidget* pWidget) : painter(pWidget) {}
    QPainter painter;
};

CPaintDC::CPaintDC(CDialog* pWnd) : m_pWnd(pWnd)
{
    CDialog::Impl& impl = pWnd->GetImpl();
    // A painter can only be opened on the window while it handles a paint event.
    if (!impl.pWidget || !impl.pWidget->PaintEvent() || impl.pPainter)
        return;
    m_pPainter = std::make_unique<Painter>(impl.pWidget.get());
    impl.pPainter = &m_pPainter->painter;
}

CPaintDC::~CPaintDC()
{
    if (m_pPainter)
        m_pWnd->GetImpl().pPainter = nullptr;
}

bool CPaintDC::IsOpen() const
{
    return m_pPainter != nullptr;
}

bool CPaintDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (!m_pPainter || !hIcon)
        return false;
    const int nWidth = GetSystemMetrics(SM_CXICON);
    const int nHeight = GetSystemMetrics(SM_CYICON);
    hIcon->GetImpl().icon.paint(&m_pPainter->painter, QRect(x, y, nWidth, nHeight));
    return true;
}

void CPaintDC::EraseBackground()
{
    if (!m_pPainter)
        return;
    QWidget* pWidget = m_pWnd->GetImpl().pWidget.get();
    m_pPainter->painter.fillRect(pWidget->rect(), pWidget->palette().window());
}
