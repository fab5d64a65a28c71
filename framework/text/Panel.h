#ifndef PARVOLIN_PANEL_H
#define PARVOLIN_PANEL_H

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

#include <cstdint>

class Font;
class Shader;
class Surface;
class SurfaceRGBA;

// A rectangular drawing area inside a surface with its own origin and clipping. A root
// panel wraps a surface; child panels sit inside a parent, relative to it, to any depth.
// Drawing takes panel coordinates and is clipped to the panel's absolute rectangle.
//
// A panel owns neither its surface, nor its parent, nor its children; it keeps only the
// number of its children.
class PARVOLIN_API Panel {
public:
    // No surface: every drawing call answers ResultCode::InvalidSurface.
    Panel();
    // A root panel over the whole surface.
    Panel(Surface* surface);
    // A child placed at `area` of `parent`; when the area does not fit, the panel stays
    // unattached with an empty area.
    Panel(Panel* parent, tagRECT area);

    // Makes `child` a child of this panel at `area` (this panel's coordinates), taking it
    // from its old parent. ResultCode::InvalidCoordinates when the area does not fit
    // inside this panel.
    long addChild(Panel* child, tagRECT area);
    // ResultCode::InvalidCoordinates for an area outside the parent (or the surface of a
    // root panel); ResultCode::PanelCannotMove for a panel
    // with neither parent nor surface.
    long setArea(tagRECT area);
    long setPosition(tagPOINT position);
    long move(tagPOINT offset);

    tagRECT getArea();
    unsigned long getWidth();
    unsigned long getHeight();
    // How many panels have this one as their parent.
    unsigned long getChildCount();

    // The surface of the topmost ancestor (may be null) and, in `absolute` (may be null),
    // this panel's rectangle in that surface's coordinates.
    Surface* getBackSurface(tagRECT* absolute);

    long bltFast(long x, long y, Surface* source, tagRECT* sourceRect, Shader* shader);
    long alphaBltFast(long x, long y, Surface* source, tagRECT* sourceRect, Surface* alphaSource, tagRECT* alphaRect,
                      Shader* shader);
    long alphaBltFast(long x, long y, SurfaceRGBA* source, tagRECT* sourceRect, Shader* shader);
    long setPixel(long x, long y, unsigned long colorref);
    long getPixel(long x, long y, unsigned long* colorref);
    long fillRect(unsigned long colorref, tagRECT* rect, unsigned long opacity);
    long drawRect(unsigned long colorref, tagRECT* rect, unsigned long opacity);
    // One line of text at panel position (x, y), every glyph clipped to the panel; see
    // Surface::drawText. The formatted form expands into 128 wide characters
    // (ResultCode::StringTooLarge when the text does not fit).
    long drawText(long x, long y, Font* font, unsigned long alignment, const wchar_t* text);
    long drawFormattedText(long x, long y, Font* font, unsigned long alignment, const wchar_t* format, ...);

private:
    // The root's surface and this panel's absolute top-left corner, summed up the parents.
    Surface* locate(long& absoluteLeft, long& absoluteTop);
    // The back surface and the surface position of panel pixel (x, y);
    // ResultCode::InvalidSurface without a back surface, ResultCode::InvalidCoordinates for
    // a pixel outside the panel.
    long locatePixel(long x, long y, Surface*& back, unsigned long& surfaceX, unsigned long& surfaceY);
    // The clipped unscaled blit behind bltFast and both alphaBltFast forms (alpha null:
    // an opaque blit).
    long clipAndBlit(long x, long y, Surface* source, tagRECT* sourceRect, Surface* alpha, tagRECT* alphaRect,
                     Shader* shader);

    Panel* parent;
    tagRECT area;
    uint32_t childCount;
    Surface* surface;
};

#endif
