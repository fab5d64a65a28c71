#ifndef PARVOLIN_COPY_ROUTINE_H
#define PARVOLIN_COPY_ROUTINE_H

/// \file
/// CopyRoutine, the type of the display's flip copies.
/// \ingroup display

/// \addtogroup display
/// @{

/// A routine that copies the back buffer (packed RGB565 rows, `width` pixels each) into the
/// frame buffer: back-buffer pixel (x, y) goes to the byte address base + y * yPitch +
/// x * xPitch, the pitches signed. The display chooses one for the device's screen; games
/// do not call these.
typedef void (*CopyRoutine)(unsigned char* base, const unsigned short* pixels, unsigned long width,
                            unsigned long height, long xPitch, long yPitch);

/// @}

#endif
