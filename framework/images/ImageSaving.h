#ifndef PARVOLIN_IMAGE_SAVING_H
#define PARVOLIN_IMAGE_SAVING_H

#include "graphics/Surface.h"

class ImageOutput;

// The save forms' common part: 12 for a type other than BMP and PNG, 5 for a surface
// without pixels (both before the output is touched), then the writer of the type. The
// bitmap writer never writes the alpha plane.
long saveImage(Surface* surface, Surface* alpha, Surface::ImageFileType type, ImageOutput& output);

#endif
