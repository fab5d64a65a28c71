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
    if (type == Surface::BMP)
        return writeBmp(surface, output);
    return writePng(surface, alpha, output);
}
