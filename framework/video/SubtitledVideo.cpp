#include "video/SubtitledVideo.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "graphics/Surface.h"
#include "text/Font.h"
#include "video/SubtitleList.h"
#include "video/SubtitleParser.h"
#include "video/VideoSource.h"

#include <new>

SubtitledVideo::SubtitledVideo()
    : font(nullptr), subtitles(nullptr), background(0), bottomMargin(3), bandHeight(0), lineSpacing(3)
{
}

SubtitledVideo::~SubtitledVideo() { delete subtitles; }

long SubtitledVideo::setSubtitles(const wchar_t* path)
{
    if (!path)
        return ResultCode::NullParameter;
    FileSystemManager fileSystems;
    File file;
    if (long result = fileSystems.resolveFile(&file, path))
        return result;
    return setSubtitles(&file);
}

long SubtitledVideo::setSubtitles(File* file)
{
    if (!file)
        return ResultCode::NullParameter;
    // Only read: a read-only file or an archive member serves as well. A file that cannot
    // be opened shows as a read error.
    file->open(FileMode::Read);
    SubtitleList* list = new (std::nothrow) SubtitleList();
    if (!list) {
        file->close();
        return ResultCode::OutOfMemory;
    }
    delete subtitles;
    subtitles = list;
    long result = SubtitleParser(file).parse(*list);
    if (result != ResultCode::Ok) {
        file->close();
        delete subtitles;
        subtitles = nullptr;
        return result;
    }
    list->rewind();
    return file->close();
}

long SubtitledVideo::setSubtitlesFont(Font* newFont)
{
    font = newFont;
    return ResultCode::Ok;
}

long SubtitledVideo::setSubtitlesBackground(unsigned long colorref)
{
    background = colorref;
    return ResultCode::Ok;
}

long SubtitledVideo::setSubtitlesPosition(unsigned long newBottomMargin, long newLineSpacing,
                                          unsigned long newBandHeight)
{
    bottomMargin = static_cast<uint32_t>(newBottomMargin);
    lineSpacing = static_cast<int32_t>(newLineSpacing);
    bandHeight = static_cast<uint32_t>(newBandHeight);
    return ResultCode::Ok;
}

long SubtitledVideo::getNextSubtitledFrame(Surface* target)
{
    if (source)
        source->setExtraHeight(bandHeight);
    long result = getNextFrame(target);
    if (source)
        source->setExtraHeight(0);
    if (result != ResultCode::Ok)
        return result;
    printSubtitles(target);
    return ResultCode::Ok;
}

Font* SubtitledVideo::subtitleFont() { return font ? font : Font::getSystemFontWithBorder(); }

long SubtitledVideo::printSubtitles(Surface* target)
{
    if (!source)
        return ResultCode::VideoNotInitialized;
    if (!target)
        return ResultCode::NullParameter;
    const unsigned long width = target->getWidth();
    const unsigned long height = target->getHeight();
    if (height < bandHeight)
        return ResultCode::InvalidSurface;
    if (bandHeight > 0) {
        tagRECT band = {0, static_cast<int32_t>(height - bandHeight), static_cast<int32_t>(width),
                        static_cast<int32_t>(height)};
        if (long result = target->fillRect(background, &band, 255))
            return result;
    }
    if (!subtitles)
        return ResultCode::Ok;
    const SubtitleEntry* entry = subtitles->due(source->getTimeMs());
    if (!entry)
        return ResultCode::Ok;

    Font* textFont = subtitleFont();
    const long fontHeight = textFont ? static_cast<long>(textFont->getHeight()) : 0;
    // Lines that would start above the target wrap to far below it, where no glyph fits.
    const unsigned long x = width / 2;
    unsigned long y = height - static_cast<unsigned long>(fontHeight) - bottomMargin;
    if (entry->secondLine) {
        target->drawText(x, y, textFont, 2, entry->secondLine);
        y -= static_cast<unsigned long>(fontHeight + lineSpacing);
    }
    return target->drawText(x, y, textFont, 2, entry->firstLine);
}
