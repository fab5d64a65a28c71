#ifndef PARVOLIN_IMAGE_FORMAT_H
#define PARVOLIN_IMAGE_FORMAT_H

#include <cstddef>

enum class ImageFormat { Bmp = 0, Gif = 1, Jpeg = 2, Png = 3, Unknown = 4 };

// The format told by the first bytes: "BM", "GIF", the JFIF marker "JFI" at byte 6 (JPEG
// data without it is not recognised), "PNG" at byte 1.
ImageFormat recognizeImage(const unsigned char* data, size_t size);

#endif
