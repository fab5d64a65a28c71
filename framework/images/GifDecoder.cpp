#include "images/GifDecoder.h"

#include "core/ResultCodes.h"
#include "images/DecodeTarget.h"
#include "images/GifFrameCheck.h"
#include "images/MemoryReader.h"
#include "images/PixelRows.h"

#include <gif_lib.h>

namespace {

int readFromMemory(GifFileType* gif, GifByteType* out, int count)
{
    if (count <= 0)
        return 0;
    return static_cast<int>(static_cast<MemoryReader*>(gif->UserData)->read(out, static_cast<size_t>(count)));
}

// A whole colour map (a count that is a power of two, as the format writes it) as a table;
// false for a map that is missing or malformed.
bool tableOf(const ColorMapObject* map, PixelRows::ColorTable& table)
{
    if (!map || map->ColorCount != (1 << map->BitsPerPixel))
        return false;
    for (int i = 0; i < map->ColorCount && i < 256; ++i)
        table.set(static_cast<size_t>(i), map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
    return true;
}

// The first frame on the logical screen: the screen in its background colour (from the
// global map; black without one), the frame at its place in its own colours, cut to the
// screen. Indices beyond the colour map read as black.
void placeFirstFrame(const GifFileType& gif, const PixelRows::ColorTable& table, uint16_t background,
                     DecodeTarget& rows)
{
    const SavedImage& frame = gif.SavedImages[0];
    const GifImageDesc& place = frame.ImageDesc;
    rows.fill(background);
    if (!frame.RasterBits || place.Width <= 0 || place.Height <= 0)
        return;
    const long screenWidth = static_cast<long>(rows.width());
    const long screenHeight = static_cast<long>(rows.height());
    const long left = place.Left < screenWidth ? place.Left : screenWidth;
    const long right = place.Left + place.Width < screenWidth ? place.Left + place.Width : screenWidth;
    const long bottom = place.Top + place.Height < screenHeight ? place.Top + place.Height : screenHeight;
    // giflib hands interlaced frames over with their rows already in display order.
    for (long y = place.Top; y < bottom; ++y) {
        const GifByteType* raster = frame.RasterBits + static_cast<size_t>(y - place.Top) * place.Width;
        table.lookUp(raster + (left - place.Left), 1, static_cast<size_t>(right - left), rows.row(y) + left);
    }
}

} // namespace

long GifDecoder::decode(const unsigned char* data, size_t size, Surface* target, Surface*)
{
    if (!gifFramesFit(data, size))
        return ResultCode::ImageOpenError;
    MemoryReader reader{data, data + size};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, readFromMemory, &error);
    if (!gif)
        return ResultCode::ImageOpenError;
    long result = ResultCode::Ok;
    if (DGifSlurp(gif) != GIF_OK)
        result = ResultCode::ImageOpenError;
    // The frame's own map when it has one, else the global one. An image with neither is
    // refused: the default map the format leaves to the viewer is no map at all.
    PixelRows::ColorTable global;
    PixelRows::ColorTable table;
    bool hasGlobal = false;
    if (result == ResultCode::Ok) {
        hasGlobal = tableOf(gif->SColorMap, global);
        const ColorMapObject* local = gif->ImageCount >= 1 ? gif->SavedImages[0].ImageDesc.ColorMap : nullptr;
        if (gif->ImageCount < 1 || !tableOf(local ? local : gif->SColorMap, table))
            result = ResultCode::UnsupportedImageType;
    }
    DecodeTarget rows(target);
    if (result == ResultCode::Ok)
        result = rows.size(static_cast<unsigned long>(gif->SWidth), static_cast<unsigned long>(gif->SHeight));
    if (result == ResultCode::Ok) {
        const int background = gif->SBackGroundColor;
        placeFirstFrame(*gif, table, hasGlobal && background >= 0 && background < 256 ? global.colors[background] : 0,
                        rows);
    }
    DGifCloseFile(gif, &error);
    return result;
}
