#ifndef PARVOLIN_H
#define PARVOLIN_H

// Everything a game needs: include this one header.

#include "Export.h"
#include "platform/PlatformTypes.h"
#include "app/ResultCodes.h"
#include "graphics/Rect.h"
#include "graphics/Surface.h"

#endif
