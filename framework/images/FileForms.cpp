#include "app/ResultCodes.h"
#include "graphics/Surface.h"
#include "graphics/SurfaceRGBA.h"
#include "images/ImageSource.h"

// Until File exists, the File forms answer that the type is unsupported.

long FileImage::decodeInto(Surface*, Surface*) { return ResultCode::UnsupportedImageType; }

long Surface::save(File*, ImageFileType) { return ResultCode::UnsupportedImageType; }

long SurfaceRGBA::save(File*, ImageFileType) { return ResultCode::UnsupportedImageType; }
