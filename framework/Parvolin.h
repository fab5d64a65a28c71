#ifndef PARVOLIN_H
#define PARVOLIN_H

// Everything a game needs: include this one header.

#include "Export.h"
#include "platform/PlatformTypes.h"
#include "app/ResultCodes.h"
#include "app/Config.h"
#include "app/Device.h"
#include "app/Fps.h"
#include "graphics/Rect.h"
#include "graphics/Surface.h"
#include "files/File.h"
#include "files/FileSystemManager.h"

#endif
