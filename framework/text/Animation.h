#ifndef PARVOLIN_ANIMATION_H
#define PARVOLIN_ANIMATION_H

/// \file
/// Animation, a sprite sheet played one frame per draw.
/// \ingroup text

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

#include <cstdint>

class Panel;
class SurfaceRGBA;

/// \addtogroup text
/// @{

/// A sprite sheet played one frame per draw: equally sized frames in a grid, numbered row
/// by row, each drawn centred on a point of a panel (clipped, with the sheet's alpha
/// plane). The speed is the caller's frame rate. A subclass may change the order of
/// frames or their layout.
class PARVOLIN_API Animation {
public:
    /// `rows` x `columns` frames over the sheet (a count of 0 counts as 1); the sheet is
    /// borrowed, not owned. The frame size is taken from the sheet now, so load the sheet
    /// first.
    Animation(SurfaceRGBA* image, unsigned long rows, unsigned long columns);
    /// A single strip of `frames` frames side by side.
    Animation(SurfaceRGBA* image, unsigned long frames);

    /// The frame point placed at the draw position; the frame's centre at first.
    void setCenter(tagPOINT center);
    /// Draws the next frame with the centre at panel position (x, y): Panel::alphaBltFast's
    /// result (ResultCode::NullParameter without a sheet or panel). The animation moves on
    /// even when drawing fails.
    long draw(Panel* panel, long x, long y);

protected:
    /// The frame to show now: 0, 1, ... frameCount - 1, then 0 again.
    virtual unsigned long getNextFrame();
    /// The frame's rectangle in the sheet, kept in the animation.
    virtual tagRECT* getFrameRect(unsigned long frame);

public:
    /// Releases nothing: the sheet is the caller's.
    virtual ~Animation();

private:
    SurfaceRGBA* image;
    uint32_t frameCount;
    uint32_t rows;
    uint32_t columns;
    uint32_t currentFrame;
    tagRECT frameRect;
    uint32_t frameWidth;
    uint32_t frameHeight;
    tagPOINT center;
};

/// @}

#endif
