#include "images/ImageSaving.h"

#include "core/ResultCodes.h"
#include "images/BmpWriter.h"
#include "images/PngWriter.h"

long saveImage(Surface* surface, Surface* alpha, Surface::ImageFileType type, ImageOutput& output)
{
    if (type != Surface::BMP && type != Surface::PNG)
        return ResultCode::UnsupportedImageType;
    Surface::Buffer view;
    if (surface->getBuffer(&view) != ResultCode::Ok)
        return ResultCode::InvalidSurface;
    long result = type == Surface::BMP ? writeBmp(surface, output) : writePng(surface, alpha, output);
    // Only a whole image replaces what was there.
    if (!output.commit(result == ResultCode::Ok) && result == ResultCode::Ok)
        result = ResultCode::ImageSaveError;
    return result;
}
