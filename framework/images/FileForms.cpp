#include "app/ResultCodes.h"
#include "graphics/Surface.h"
#include "graphics/SurfaceRGBA.h"
#include "images/EncodedImage.h"
#include "images/ImageDecoder.h"
#include "images/ImageOutput.h"
#include "images/ImageSaving.h"
#include "images/ImageSource.h"

// The File forms of loading and saving.

long FileImage::decodeInto(Surface* target, Surface* alpha)
{
    if (!file)
        return ResultCode::NullParameter;
    EncodedImage image;
    if (long result = image.acquire(file))
        return result;
    return decodeImage(image.data(), image.size(), target, alpha);
}

long Surface::save(File* file, ImageFileType type)
{
    if (!file)
        return ResultCode::NullParameter;
    FileOutput output(file);
    return saveImage(this, nullptr, type, output);
}

long SurfaceRGBA::save(File* file, ImageFileType type)
{
    if (!file)
        return ResultCode::NullParameter;
    FileOutput output(file);
    return saveImage(this, alphaSurface, type, output);
}
