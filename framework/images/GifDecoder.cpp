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

// The first frame on the logical screen: the screen in its background colour, the frame
// at its place, cut to the screen. Indices beyond the colour map read as black.
void placeFirstFrame(const GifFileType& gif, const PixelRows::ColorTable& table, DecodeTarget& rows)
{
    const SavedImage& frame = gif.SavedImages[0];
    const GifImageDesc& place = frame.ImageDesc;
    const int background = gif.SBackGroundColor;
    rows.fill(background >= 0 && background < 256 ? table.colors[background] : 0);
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
    const ColorMapObject* map = gif->SColorMap;
    if (result == ResultCode::Ok && (!map || map->ColorCount != (1 << map->BitsPerPixel) || gif->ImageCount < 1))
        result = ResultCode::UnsupportedImageType;
    DecodeTarget rows(target);
    if (result == ResultCode::Ok)
        result = rows.size(static_cast<unsigned long>(gif->SWidth), static_cast<unsigned long>(gif->SHeight));
    if (result == ResultCode::Ok) {
        PixelRows::ColorTable table;
        for (int i = 0; i < map->ColorCount && i < 256; ++i)
            table.set(static_cast<size_t>(i), map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
        placeFirstFrame(*gif, table, rows);
    }
    DGifCloseFile(gif, &error);
    return result;
}
