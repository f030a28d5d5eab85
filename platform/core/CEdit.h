#pragma once

#include "CWnd.h"

class CEdit : public CWnd
{
public:
    // No further character can be typed or pasted once the text holds nMaxChars.
    void LimitText(int nMaxChars) { Peer().SetLimitText(nMaxChars); }
};
