#pragma once

#include <cstdint>
#include <functional>

// A 32-bit boolean, as the dialog's switches are declared.
using BOOL = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// The messages the dialog layer routes, with their usual values.
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_ICONERASEBKGND = 0x0027;
inline constexpr unsigned WM_QUERYDRAGICON = 0x0037;
inline constexpr unsigned WM_COMMAND = 0x0111;
inline constexpr unsigned WM_SYSCOMMAND = 0x0112;
inline constexpr unsigned BN_CLICKED = 0;

// System commands: the low four bits of an identifier are the system's own.
inline constexpr unsigned SC_MOVE = 0xF010;
inline constexpr unsigned SC_CLOSE = 0xF060;

inline constexpr int IDCANCEL = 2;

constexpr WPARAM MAKEWPARAM(unsigned nLow, unsigned nHigh)
{
    return (static_cast<WPARAM>(nHigh & 0xFFFF) << 16) | (nLow & 0xFFFF);
}

// Where a window sends its messages: the dialog that owns it.
using MessageSink = std::function<LRESULT(unsigned nMessage, WPARAM wParam, LPARAM lParam)>;
