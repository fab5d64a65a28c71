#include "images/ImageSource.h"

#include "app/ResultCodes.h"
#include "images/EncodedImage.h"
#include "images/ImageDecoder.h"

ImageSource::~ImageSource() {}

long PathImage::decodeInto(Surface* target, Surface* alpha)
{
    if (!path)
        return ResultCode::ImageOpenError;
    EncodedImage image;
    if (long result = image.acquire(path))
        return result;
    return decodeImage(image.data(), image.size(), target, alpha);
}

long BufferImage::decodeInto(Surface* target, Surface* alpha)
{
    if (!data)
        return ResultCode::ImageOpenError;
    return decodeImage(data, size, target, alpha);
}
