#pragma once

#include <memory>

class CIcon;
// Icons come from the program's resources and live as long as the program: a handle is
// never released.
using HICON = const CIcon*;

inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;

// The standard icon size, in pixels.
int GetSystemMetrics(int nIndex);

// An icon resource (type "ICON", all its images).
class CIcon
{
public:
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;
    ~CIcon();

    // nullptr when the resource is missing or holds no image.
    static HICON Load(unsigned nId);
    // The sizes of its images, largest first.
    int ImageCount() const;

    struct Impl;
    const Impl& GetImpl() const { return *m_pImpl; }

private:
    explicit CIcon(std::unique_ptr<Impl> pImpl);
    std::unique_ptr<Impl> m_pImpl;
};
