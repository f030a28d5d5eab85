#pragma once

#include <cstdint>
#include <string>

// A font description, as read from a control and changed before a font is made from it.
// The height is negative for a character height in pixels, as the dialog font gives it.
struct LOGFONT
{
    int lfHeight = 0;
    int lfWeight = 400;
    bool lfItalic = false;
    std::uint8_t lfCharSet = 1;
    std::string lfFaceName;
};

// What a control wrapper asks of the window behind it. The dialog gives its wrappers peers
// over real widgets; the batch front end and the tests give them text peers.
class CWndPeer
{
public:
    virtual ~CWndPeer();

    virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void Enable(bool bEnable) = 0;
    virtual bool IsEnabled() const = 0;
    virtual LOGFONT GetFont() const = 0;
    // nullptr gives the control its default font back.
    virtual void SetFont(const LOGFONT* pFont) = 0;
    virtual void SetLimitText(int nMaxChars) = 0;

    // List boxes only.
    virtual void ResetContent() = 0;
    virtual void AddString(const std::string& text) = 0;
    virtual int GetCount() const = 0;
    virtual std::string GetString(int nIndex) const = 0;
};
