#pragma once

#include "CIcon.h"

#include <memory>

class CDialog;
class CPaintDC;
using HDC = CPaintDC*;

// The painting context of a paint request: open only inside the dialog's paint handler.
class CPaintDC
{
public:
    explicit CPaintDC(CDialog* pWnd);
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC();

    HDC GetSafeHdc() { return this; }
    bool IsOpen() const;
    // Draws the icon at its standard size with its top-left corner at (x, y).
    bool DrawIcon(int x, int y, HICON hIcon);
    // Fills the client area with the dialog's background.
    void EraseBackground();

private:
    CDialog* m_pWnd;
    struct Painter;
    std::unique_ptr<Painter> m_pPainter;
};
