#include "core/ResultCodes.h"
#include "graphics/Surface.h"
#include "graphics/SurfaceRGBA.h"
#include "images/ImageOutput.h"
#include "images/ImageSaving.h"
#include "images/ImageSource.h"

#include <new>

// The image members of Surface and SurfaceRGBA: loading from a path, a File, a module
// resource or a buffer, and saving as a bitmap or PNG file.

namespace {

// A save form: 15 without a path or File, else the image written to it.
template <typename Output, typename Destination>
long saveTo(Destination destination, Surface* surface, Surface* alpha, Surface::ImageFileType type)
{
    if (!destination)
        return ResultCode::NullParameter;
    Output output(destination);
    return saveImage(surface, alpha, type, output);
}

} // namespace

long Surface::create(const wchar_t* path) { return PathImage(path).decodeInto(this, nullptr); }

long Surface::create(File* file) { return FileImage(file).decodeInto(this, nullptr); }

long Surface::create(unsigned long resourceId, const wchar_t* resourceType, HINSTANCE module)
{
    return ResourceImage(resourceId, resourceType, module).decodeInto(this, nullptr);
}

long Surface::create(unsigned char* data, unsigned long size) { return BufferImage(data, size).decodeInto(this, nullptr); }

long Surface::save(const wchar_t* path, ImageFileType type) { return saveTo<PathOutput>(path, this, nullptr, type); }

long Surface::save(File* file, ImageFileType type) { return saveTo<FileOutput>(file, this, nullptr, type); }

long SurfaceRGBA::loadImage(ImageSource& source, bool completeEmptyAlpha)
{
    Surface* alpha = new (std::nothrow) Surface;
    if (!alpha)
        return ResultCode::OutOfMemory;
    if (long result = source.decodeInto(this, alpha)) {
        alpha->free();
        delete alpha;
        return result;
    }
    setAlphaSurface(alpha);
    if (!completeEmptyAlpha && alpha->getHeight() == 0) {
        free();
        return ResultCode::UnknownError;
    }
    if (long result = generateAlpha()) {
        free();
        return result;
    }
    return ResultCode::Ok;
}

// Files always load: a format without opacity comes out opaque.
long SurfaceRGBA::create(const wchar_t* path)
{
    PathImage source(path);
    return loadImage(source, true);
}

long SurfaceRGBA::create(File* file)
{
    FileImage source(file);
    return loadImage(source, true);
}

// Resources and buffers must carry their opacity.
long SurfaceRGBA::create(unsigned long resourceId, const wchar_t* resourceType, HINSTANCE module)
{
    ResourceImage source(resourceId, resourceType, module);
    return loadImage(source, false);
}

long SurfaceRGBA::create(unsigned char* data, unsigned long size)
{
    BufferImage source(data, size);
    return loadImage(source, false);
}

long SurfaceRGBA::save(const wchar_t* path, ImageFileType type)
{
    return saveTo<PathOutput>(path, this, alphaSurface, type);
}

long SurfaceRGBA::save(File* file, ImageFileType type) { return saveTo<FileOutput>(file, this, alphaSurface, type); }
