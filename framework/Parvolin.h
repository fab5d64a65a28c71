#ifndef PARVOLIN_H
#define PARVOLIN_H

// Everything a game needs: include this one header.

#include "Export.h"
#include "platform/base/PlatformTypes.h"
#include "platform/base/VirtualKeys.h"
#include "core/ResultCodes.h"
#include "core/Config.h"
#include "core/Device.h"
#include "app/Fps.h"
#include "graphics/Rect.h"
#include "graphics/Surface.h"
#include "graphics/SurfaceRGBA.h"
#include "graphics/Shader.h"
#include "graphics/ColorShaders.h"
#include "graphics/KeyShaders.h"
#include "graphics/OpacityShader.h"
#include "graphics/CompositeShaders.h"
#include "text/Panel.h"
#include "text/Font.h"
#include "text/Animation.h"
#include "display/KeyList.h"
#include "display/Display.h"
#include "app/EventHandler.h"
#include "app/State.h"
#include "app/Application.h"
#include "app/StateMachine.h"
#include "platform/windows/ProgramEntry.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "video/Video.h"
#include "video/SubtitledVideo.h"

#endif
