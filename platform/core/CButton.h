#pragma once

#include "CWnd.h"

class CButton : public CWnd
{
};
