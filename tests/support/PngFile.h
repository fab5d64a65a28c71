#ifndef PARVOLIN_TEST_PNG_FILE_H
#define PARVOLIN_TEST_PNG_FILE_H

#include "platform/device/GlassImage.h"

#include <string>

// Reads a PNG file as 0x00RRGGBB pixels (8-bit RGB or RGBA, as the glass is written);
// false when it cannot.
bool readPng(const std::string& hostPath, GlassImage& image);

#endif
