#ifndef PARVOLIN_PANEL_H
#define PARVOLIN_PANEL_H

/// \file
/// Panel, a clipping drawing area inside a surface.
/// \ingroup text

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

#include <cstdint>

class Font;
class Shader;
class Surface;
class SurfaceRGBA;

/// \addtogroup text
/// @{

/// A rectangular drawing area inside a surface with its own origin and clipping. A root
/// panel wraps a surface; child panels sit inside a parent, relative to it, to any depth.
/// Drawing takes panel coordinates and is clipped to the panel's absolute rectangle,
/// where a Surface would refuse the call: a sprite partly off the panel is drawn in part,
/// one wholly off it is ResultCode::InvalidCoordinates. Rectangles are right- and
/// bottom-exclusive, as everywhere.
///
/// fillRect and drawRect first check their rectangle, in panel coordinates, against the
/// size of the surface (ResultCode::InvalidCoordinates when it reaches outside it) and
/// only then clip it to the panel. The opacity rule is Surface's.
///
/// A panel owns neither its surface, nor its parent, nor its children; it keeps only the
/// number of its children.
class PARVOLIN_API Panel {
public:
    /// No surface: every drawing call answers ResultCode::InvalidSurface.
    Panel();
    /// A root panel over the whole surface (borrowed).
    Panel(Surface* surface);
    /// A child placed at `area` of `parent`; when the area does not fit, the panel stays
    /// unattached with an empty area.
    Panel(Panel* parent, tagRECT area);

    /// Makes `child` a child of this panel at `area` (this panel's coordinates), taking it
    /// from its old parent. ResultCode::InvalidCoordinates when the area does not fit
    /// inside this panel; NullParameter; PanelCannotMove when `child` is this panel or one
    /// of its ancestors.
    long addChild(Panel* child, tagRECT area);
    /// Moves and sizes the panel. ResultCode::InvalidCoordinates for an area outside the
    /// parent (or the surface of a root panel); ResultCode::PanelCannotMove for a panel
    /// with neither parent nor surface.
    long setArea(tagRECT area);
    /// Moves the panel's top-left corner to `position`, keeping its size; as setArea.
    long setPosition(tagPOINT position);
    /// Moves the panel by `offset`; as setArea.
    long move(tagPOINT offset);

    /// The area in the parent's coordinates (the surface's for a root panel).
    tagRECT getArea();
    /// Columns of the area.
    unsigned long getWidth();
    /// Rows of the area.
    unsigned long getHeight();
    /// How many panels have this one as their parent.
    unsigned long getChildCount();

    /// The surface of the topmost ancestor (may be null) and, in `absolute` (may be null),
    /// this panel's rectangle in that surface's coordinates.
    Surface* getBackSurface(tagRECT* absolute);

    /// Surface::bltFast at panel position (x, y), the parts outside the panel cut off.
    /// ResultCode::InvalidCoordinates only when the sprite lies wholly outside the panel;
    /// InvalidSurface without a surface; NullParameter.
    long bltFast(long x, long y, Surface* source, tagRECT* sourceRect, Shader* shader);
    /// Surface::alphaBltFast, clipped as bltFast.
    long alphaBltFast(long x, long y, Surface* source, tagRECT* sourceRect, Surface* alphaSource, tagRECT* alphaRect,
                      Shader* shader);
    /// alphaBltFast with the source's own alpha plane, clipped as bltFast.
    long alphaBltFast(long x, long y, SurfaceRGBA* source, tagRECT* sourceRect, Shader* shader);
    /// Sets panel pixel (x, y). ResultCode::InvalidCoordinates outside the panel,
    /// InvalidSurface.
    long setPixel(long x, long y, unsigned long colorref);
    /// The COLORREF of panel pixel (x, y); as setPixel, and NullParameter for null `colorref`.
    long getPixel(long x, long y, unsigned long* colorref);
    /// Fills `rect` (panel coordinates; null: the whole panel) cut to the panel.
    long fillRect(unsigned long colorref, tagRECT* rect, unsigned long opacity);
    /// The outline of `rect` (panel coordinates); edges beyond the panel run along its
    /// border instead.
    long drawRect(unsigned long colorref, tagRECT* rect, unsigned long opacity);
    /// One line of text at panel position (x, y), every glyph clipped to the panel; see
    /// Surface::drawText.
    long drawText(long x, long y, Font* font, unsigned long alignment, const wchar_t* text);
    /// drawText of a formatted text; the format expands into 128 wide characters
    /// (ResultCode::StringTooLarge when the text does not fit).
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

/// @}

#endif
