#ifndef PARVOLIN_KEY_SHADERS_H
#define PARVOLIN_KEY_SHADERS_H

/// \file
/// The shaders that choose per pixel by a colour key.
///
/// Source pixels equal to the key (compared as native pixels; a COLORREF key is truncated
/// first, so every colour that truncates to the same native value matches) are treated
/// apart from the others.
/// \ingroup graphics

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Shader.h>

/// \addtogroup graphics
/// @{

/// The sprite shader: key-coloured source pixels are transparent, the others copied.
/// The key is a COLORREF compared as an RGB565 pixel: every colour that truncates to the
/// same pixel matches.
class PARVOLIN_API ColorKeyShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// Black as the key.
    ColorKeyShader();
    /// `colorKey` (a COLORREF) as the key.
    ColorKeyShader(unsigned long colorKey);
    /// Copies `other`'s key.
    ColorKeyShader(const ColorKeyShader& other) = default;
    /// Copies `other`'s key.
    ColorKeyShader& operator=(const ColorKeyShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~ColorKeyShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    /// Takes `colorKey` (a COLORREF) as the key.
    void setColorKey(unsigned long colorKey);

private:
    friend class BlitRows;
    unsigned long colorKey;
};

/// A silhouette: key pixels transparent, every other pixel painted in the fill colour.
/// Key and fill are COLORREF values; the key compares as for ColorKeyShader.
class PARVOLIN_API FillForeShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// Black key, black fill.
    FillForeShader();
    /// The key and the fill colour.
    FillForeShader(unsigned long colorKey, unsigned long fillColor);
    /// Copies `other`'s colours.
    FillForeShader(const FillForeShader& other) = default;
    /// Copies `other`'s colours.
    FillForeShader& operator=(const FillForeShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~FillForeShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    /// Takes a new key.
    void setColorKey(unsigned long colorKey);
    /// Takes a new fill colour.
    void setFillColor(unsigned long fillColor);

private:
    friend class BlitRows;
    unsigned long colorKey;
    unsigned long fillColor;
};

/// The key-coloured background painted in the fill colour, the sprite kept: every pixel
/// is written. Key and fill are COLORREF values; the key compares as for ColorKeyShader.
class PARVOLIN_API FillBackShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// Black key, black fill.
    FillBackShader();
    /// The key and the fill colour.
    FillBackShader(unsigned long colorKey, unsigned long fillColor);
    /// Copies `other`'s colours.
    FillBackShader(const FillBackShader& other) = default;
    /// Copies `other`'s colours.
    FillBackShader& operator=(const FillBackShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~FillBackShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    /// Takes a new key.
    void setColorKey(unsigned long colorKey);
    /// Takes a new fill colour.
    void setFillColor(unsigned long fillColor);

private:
    friend class BlitRows;
    unsigned long colorKey;
    unsigned long fillColor;
};

/// @}

#endif
