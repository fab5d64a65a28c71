#ifndef PARVOLIN_H
#define PARVOLIN_H

// Everything a game needs: include this one header.

#include "Export.h"
#include "platform/PlatformTypes.h"
#include "app/ResultCodes.h"
#include "app/Config.h"
#include "app/Device.h"
#include "app/Fps.h"
#include "display/KeyList.h"
#include "display/Display.h"
#include "graphics/Rect.h"
#include "graphics/Surface.h"

#endif
