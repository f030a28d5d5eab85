#pragma once

#include "CRect.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Window and control styles, with the values the templates were written with. Only those
// the dialog layer honours are listed.
inline constexpr std::uint32_t WS_POPUP = 0x80000000;
inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000;
inline constexpr std::uint32_t WS_BORDER = 0x00800000;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000;
inline constexpr std::uint32_t WS_GROUP = 0x00020000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;
inline constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr std::uint32_t WS_EX_STATICEDGE = 0x00020000;
inline constexpr std::uint32_t WS_EX_APPWINDOW = 0x00040000;

inline constexpr std::uint32_t DS_SETFONT = 0x0040;
inline constexpr std::uint32_t DS_MODALFRAME = 0x0080;
inline constexpr std::uint32_t DS_CENTER = 0x0800;

inline constexpr std::uint32_t ES_CENTER = 0x0001;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr std::uint32_t ES_NUMBER = 0x2000;

inline constexpr std::uint32_t LBS_NOTIFY = 0x0001;
inline constexpr std::uint32_t LBS_SORT = 0x0002;
inline constexpr std::uint32_t LBS_USETABSTOPS = 0x0080;
inline constexpr std::uint32_t LBS_NOINTEGRALHEIGHT = 0x0100;

inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0000;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x0001;
inline constexpr std::uint32_t BS_MULTILINE = 0x2000;

inline constexpr std::uint32_t SS_LEFT = 0x0000;
inline constexpr std::uint32_t SS_ICON = 0x0003;
inline constexpr std::uint32_t SS_BITMAP = 0x000E;
inline constexpr std::uint32_t SS_NOPREFIX = 0x0080;

// The control id of statics that nothing refers to.
inline constexpr int IDC_STATIC = -1;

enum class EControlClass
{
    Button,
    Edit,
    Static,
    ListBox,
};

// One control of a template, in dialog units from the client area's top-left corner.
struct DLGITEMTEMPLATE
{
    EControlClass eClass;
    int nId;
    std::string_view caption;
    // The bitmap or icon resource of a picture static; 0 for the others.
    unsigned nImageId;
    int x, y, cx, cy;
    std::uint32_t style;
    std::uint32_t exStyle = 0;
    // What a screen reader announces; empty to let the control's own text name it.
    std::string_view accessibleName = {};
};

// A dialog template: its window, its font and its controls in tab order.
struct DLGTEMPLATE
{
    std::string_view caption;
    int cx, cy;
    int nPointSize;
    std::string_view faceName;
    int nWeight;
    bool bItalic;
    std::uint8_t nCharSet;
    std::uint32_t style;
    std::uint32_t exStyle;
    unsigned nLanguage;
    std::span<const DLGITEMTEMPLATE> items;
};

// The program's templates and strings, by resource id; defined with the resources.
// nullptr when there is no such template.
const DLGTEMPLATE* FindDialogTemplate(unsigned nId);
// Empty when there is no such string.
std::string_view FindStringResource(unsigned nId);

inline std::string AfxLoadString(unsigned nId)
{
    return std::string(FindStringResource(nId));
}

// Multiplies and divides, rounding to the nearest integer and halves away from zero, as
// the conversion from dialog units does.
constexpr int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    const long long nProduct = static_cast<long long>(nNumber) * nNumerator;
    const long long nHalf = nDenominator / 2;
    const long long nRounded =
        nProduct >= 0 ? (nProduct + nHalf) / nDenominator : (nProduct - nHalf) / nDenominator;
    return static_cast<int>(nRounded);
}

// The template font's base units: 6 x 13 pixels for 8 points at 96 dots per inch, so that
// a horizontal dialog unit is 1.5 pixels and a vertical one 1.625.
inline constexpr int DIALOG_BASE_UNIT_X = 6;
inline constexpr int DIALOG_BASE_UNIT_Y = 13;

constexpr int DialogUnitsToPixelsX(int nUnits)
{
    return MulDiv(nUnits, DIALOG_BASE_UNIT_X, 4);
}

constexpr int DialogUnitsToPixelsY(int nUnits)
{
    return MulDiv(nUnits, DIALOG_BASE_UNIT_Y, 8);
}

// Each edge is converted on its own, as the system maps a dialog rectangle.
constexpr CRect MapDialogRect(int x, int y, int cx, int cy)
{
    return {DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y), DialogUnitsToPixelsX(x + cx),
            DialogUnitsToPixelsY(y + cy)};
}
