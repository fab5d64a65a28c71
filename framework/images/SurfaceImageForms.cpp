#include "app/ResultCodes.h"
#include "graphics/Surface.h"
#include "graphics/SurfaceRGBA.h"

// Image files are not decoded yet: every image form reports the type as unsupported.

long Surface::save(File*, ImageFileType) { return ResultCode::UnsupportedImageType; }

long Surface::save(const wchar_t*, ImageFileType) { return ResultCode::UnsupportedImageType; }

long Surface::create(unsigned long, const wchar_t*, HINSTANCE) { return ResultCode::UnsupportedImageType; }

long Surface::create(File*) { return ResultCode::UnsupportedImageType; }

long Surface::create(const wchar_t*) { return ResultCode::UnsupportedImageType; }

long Surface::create(unsigned char*, unsigned long) { return ResultCode::UnsupportedImageType; }

long SurfaceRGBA::save(File*, ImageFileType) { return ResultCode::UnsupportedImageType; }

long SurfaceRGBA::save(const wchar_t*, ImageFileType) { return ResultCode::UnsupportedImageType; }

long SurfaceRGBA::create(unsigned long, const wchar_t*, HINSTANCE) { return ResultCode::UnsupportedImageType; }

long SurfaceRGBA::create(File*) { return ResultCode::UnsupportedImageType; }

long SurfaceRGBA::create(const wchar_t*) { return ResultCode::UnsupportedImageType; }

long SurfaceRGBA::create(unsigned char*, unsigned long) { return ResultCode::UnsupportedImageType; }
