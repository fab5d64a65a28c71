#include "FontImages.h"

#include "support/SurfacePixels.h"

namespace FontImages {

void make(Surface& image, const std::vector<unsigned long>& widths, unsigned long glyphHeight, unsigned long first,
          unsigned long gap, unsigned long trailing)
{
    unsigned long width = first + trailing;
    for (unsigned long w : widths)
        width += w + gap;
    width -= widths.empty() ? 0 : gap;
    SurfacePixels::make(image, width, glyphHeight + 1, magenta);
    unsigned long x = first;
    for (size_t i = 0; i < widths.size(); ++i) {
        for (unsigned long c = 0; c < widths[i]; ++c, ++x) {
            SurfacePixels::set(image, x, 0, white);
            for (unsigned long y = 1; y <= glyphHeight; ++y)
                SurfacePixels::set(image, x, y, glyphColor(i));
        }
        x += gap;
    }
}

} // namespace FontImages
