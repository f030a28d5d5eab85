#pragma once

#include "CIcon.h"

#include <QIcon>

// The Qt side of an icon, for the dialog layer.
struct CIcon::Impl
{
    QIcon icon;
    int nImages = 0;
};
