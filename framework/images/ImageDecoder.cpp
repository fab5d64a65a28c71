#include "images/ImageDecoder.h"

#include "core/ResultCodes.h"
#include "images/BmpDecoder.h"
#include "images/GifDecoder.h"
#include "images/ImageFormat.h"
#include "images/JpegDecoder.h"
#include "images/PngDecoder.h"

ImageDecoder::~ImageDecoder() {}

long decodeImage(const unsigned char* data, size_t size, Surface* target, Surface* alpha)
{
    // The decoders keep no state between calls: one of each serves every load.
    static BmpDecoder bmp;
    static GifDecoder gif;
    static JpegDecoder jpeg;
    static PngDecoder png;
    // In the order of ImageFormat.
    ImageDecoder* const decoders[] = {&bmp, &gif, &jpeg, &png};
    ImageFormat format = recognizeImage(data, size);
    if (format == ImageFormat::Unknown)
        return ResultCode::UnsupportedImageType;
    long result = decoders[static_cast<int>(format)]->decode(data, size, target, alpha);
    // JPEG data told by its markers alone was once not recognised at all: when the
    // decoder cannot read it, the caller gets the answer it always got.
    if (format == ImageFormat::Jpeg && result == ResultCode::ImageOpenError && !hasJfifMarker(data, size))
        result = ResultCode::UnsupportedImageType;
    return result;
}
