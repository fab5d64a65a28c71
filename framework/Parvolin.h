#ifndef PARVOLIN_H
#define PARVOLIN_H

/// \file
/// Everything a game needs: include this one header, `<Parvolin/Parvolin.h>`.
/// \ingroup core

#include <Parvolin/platform/base/PlatformTypes.h>
#include <Parvolin/platform/base/VirtualKeys.h>
#include <Parvolin/core/ResultCodes.h>
#include <Parvolin/core/Config.h>
#include <Parvolin/core/Device.h>
#include <Parvolin/app/Fps.h>
#include <Parvolin/graphics/Rect.h>
#include <Parvolin/graphics/Surface.h>
#include <Parvolin/graphics/SurfaceRGBA.h>
#include <Parvolin/graphics/Shader.h>
#include <Parvolin/graphics/ColorShaders.h>
#include <Parvolin/graphics/KeyShaders.h>
#include <Parvolin/graphics/OpacityShader.h>
#include <Parvolin/graphics/CompositeShaders.h>
#include <Parvolin/text/Panel.h>
#include <Parvolin/text/Font.h>
#include <Parvolin/text/Animation.h>
#include <Parvolin/display/KeyList.h>
#include <Parvolin/display/Display.h>
#include <Parvolin/audio/Sound.h>
#include <Parvolin/audio/Music.h>
#include <Parvolin/audio/Audio.h>
#include <Parvolin/app/EventHandler.h>
#include <Parvolin/app/State.h>
#include <Parvolin/app/Application.h>
#include <Parvolin/app/StateMachine.h>
#include <Parvolin/platform/windows/ProgramEntry.h>
#include <Parvolin/platform/windows/MessageBox.h>
#include <Parvolin/files/File.h>
#include <Parvolin/files/FileSystemManager.h>
#include <Parvolin/video/Video.h>
#include <Parvolin/video/SubtitledVideo.h>

#endif
