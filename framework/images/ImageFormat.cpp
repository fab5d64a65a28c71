#include "images/ImageFormat.h"

#include <cstring>

ImageFormat recognizeImage(const unsigned char* data, size_t size)
{
    if (size >= 3 && std::memcmp(data, "BM", 2) == 0)
        return ImageFormat::Bmp;
    if (size >= 3 && std::memcmp(data, "GIF", 3) == 0)
        return ImageFormat::Gif;
    if (size >= 9 && std::memcmp(data + 6, "JFI", 3) == 0)
        return ImageFormat::Jpeg;
    if (size >= 5 && std::memcmp(data + 1, "PNG", 3) == 0)
        return ImageFormat::Png;
    return ImageFormat::Unknown;
}
