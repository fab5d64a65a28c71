#include "images/ImageSource.h"

#include "core/ResultCodes.h"
#include "images/EncodedImage.h"
#include "images/ImageDecoder.h"

ImageSource::~ImageSource() {}

namespace {

// Brings the bytes of `source` into memory, decodes them and lets them go.
template <typename Source>
long acquireAndDecode(Source source, Surface* target, Surface* alpha)
{
    EncodedImage image;
    if (long result = image.acquire(source))
        return result;
    return decodeImage(image.data(), image.size(), target, alpha);
}

} // namespace

long PathImage::decodeInto(Surface* target, Surface* alpha)
{
    if (!path)
        return ResultCode::ImageOpenError;
    return acquireAndDecode(path, target, alpha);
}

long FileImage::decodeInto(Surface* target, Surface* alpha)
{
    if (!file)
        return ResultCode::NullParameter;
    return acquireAndDecode(file, target, alpha);
}

long BufferImage::decodeInto(Surface* target, Surface* alpha)
{
    if (!data)
        return ResultCode::ImageOpenError;
    return decodeImage(data, size, target, alpha);
}
