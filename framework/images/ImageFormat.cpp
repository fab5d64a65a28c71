#include "images/ImageFormat.h"

#include <cstring>

bool hasJfifMarker(const unsigned char* data, size_t size) { return size >= 9 && std::memcmp(data + 6, "JFI", 3) == 0; }

ImageFormat recognizeImage(const unsigned char* data, size_t size)
{
    if (size >= 3 && std::memcmp(data, "BM", 2) == 0)
        return ImageFormat::Bmp;
    if (size >= 3 && std::memcmp(data, "GIF", 3) == 0)
        return ImageFormat::Gif;
    // The start-of-image marker and any marker after it: cameras and phones put an Exif
    // segment first, not the JFIF one.
    if ((size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) || hasJfifMarker(data, size))
        return ImageFormat::Jpeg;
    if (size >= 5 && std::memcmp(data + 1, "PNG", 3) == 0)
        return ImageFormat::Png;
    return ImageFormat::Unknown;
}
