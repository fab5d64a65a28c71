#ifndef PARVOLIN_IMAGE_FORMAT_H
#define PARVOLIN_IMAGE_FORMAT_H

#include <cstddef>

enum class ImageFormat { Bmp = 0, Gif = 1, Jpeg = 2, Png = 3, Unknown = 4 };

// The format told by the first bytes: "BM", "GIF", JPEG's start-of-image marker followed
// by another marker (or the JFIF marker "JFI" at byte 6), "PNG" at byte 1.
ImageFormat recognizeImage(const unsigned char* data, size_t size);

// Whether bytes 6 to 8 are "JFI", the JFIF marker of a first segment.
bool hasJfifMarker(const unsigned char* data, size_t size);

#endif
