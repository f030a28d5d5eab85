#include "CWndPeer.h"

CWndPeer::~CWndPeer() = default;
