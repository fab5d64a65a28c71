#ifndef PARVOLIN_SUBTITLED_VIDEO_H
#define PARVOLIN_SUBTITLED_VIDEO_H

/// \file
/// SubtitledVideo, a Video with SubRip subtitles drawn over it.
/// \ingroup video

#include <Parvolin/Export.h>
#include <Parvolin/video/Video.h>

#include <cstdint>

class File;
class Font;
class Surface;
class SubtitleList;

/// \addtogroup video
/// @{

/// A Video that also draws SubRip subtitles over its frames, centred near the bottom of the
/// target, optionally on a band of rows added below the picture. Subtitles follow the
/// video's own playing time (frames decoded x frame duration), not a clock.
class PARVOLIN_API SubtitledVideo : public Video {
public:
    /// No subtitles, the bordered built-in font, a black band of 0 rows, a bottom margin of
    /// 3 rows and 3 rows between lines.
    SubtitledVideo();
    /// Closes the video and releases the subtitles.
    ~SubtitledVideo() override;

    /// Reads the subtitle file at `path` (resolved by a FileSystemManager, so "zip:" paths
    /// work; relative paths are the program's folder):
    /// ResultCode::NullParameter, the resolution's code, or what setSubtitles(File*) gives.
    long setSubtitles(const wchar_t* path);
    /// Reads `file` from where it stands (opened for reading, closed after), replacing the
    /// subtitles held: 0 (File::close's result), or (ResultCode::) NullParameter,
    /// OutOfMemory or SubtitleError (then none are held).
    long setSubtitles(File* file);
    /// The font of the subtitles (borrowed: it must outlive the drawing); null: the
    /// bordered built-in font. Returns 0.
    long setSubtitlesFont(Font* font);
    /// COLORREF 0x00BBGGRR of the band. Returns 0.
    long setSubtitlesBackground(unsigned long colorref);
    /// Rows between the lowest text line and the bottom of the target, extra rows between
    /// two text lines, and rows added below the picture for the band. Returns 0.
    long setSubtitlesPosition(unsigned long bottomMargin, long lineSpacing, unsigned long bandHeight);

    /// The next frame with the band below it and the subtitle due: getNextFrame's codes
    /// (a drawing failure does not count).
    long getNextSubtitledFrame(Surface* target);
    /// Fills the band and draws the subtitle due at the playing time: (ResultCode::)
    /// VideoNotInitialized, NullParameter, InvalidSurface for a target lower than the band,
    /// else 0 or the code of the last line drawn.
    long printSubtitles(Surface* target);

private:
    Font* subtitleFont();

    // Null: the bordered built-in font (made when first drawn).
    Font* font;
    SubtitleList* subtitles;
    unsigned long background;
    uint32_t bottomMargin;
    uint32_t bandHeight;
    int32_t lineSpacing;
};

/// @}

#endif
