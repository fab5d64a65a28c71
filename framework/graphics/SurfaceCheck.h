#ifndef PARVOLIN_SURFACE_CHECK_H
#define PARVOLIN_SURFACE_CHECK_H

#include "core/ResultCodes.h"
#include "graphics/Surface.h"

// The check of a surface handed to a blit or a copy: 15 when null, 5 without pixels or
// with a zero size; on success `view` holds its plain view.
inline long checkSurface(Surface* surface, Surface::Buffer* view)
{
    if (!surface)
        return ResultCode::NullParameter;
    if (surface->getBuffer(view) != ResultCode::Ok || view->width == 0 || view->height == 0)
        return ResultCode::InvalidSurface;
    return ResultCode::Ok;
}

#endif
