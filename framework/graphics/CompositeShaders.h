#ifndef PARVOLIN_COMPOSITE_SHADERS_H
#define PARVOLIN_COMPOSITE_SHADERS_H

/// \file
/// The shaders built around other shaders: a cascade of two, and the fonts' shader.
///
/// The inner shaders are borrowed: they must outlive
/// every blit that uses the outer one. Copying copies the pointers, not the shaders.
/// \ingroup graphics

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Shader.h>

/// \addtogroup graphics
/// @{

/// Two shaders in a row: both see the same destination, the second sees the first's
/// result as its source. A null shader passes its source on unchanged. The two shaders
/// are borrowed: they must outlive every blit that uses the cascade, and copying the
/// cascade copies the pointers, not the shaders.
class PARVOLIN_API CascadeShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// `first`, then `second` (either may be null).
    CascadeShader(Shader* first, Shader* second);
    /// The same two shaders as `other`.
    CascadeShader(const CascadeShader& other) = default;
    /// The same two shaders as `other`.
    CascadeShader& operator=(const CascadeShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~CascadeShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;

private:
    Shader* first;
    Shader* second;
};

/// The shader fonts pass to every glyph blit: an optional colour key (the glyph background
/// stays transparent), an optional font colour (recolours the glyph) and an optional
/// inner shader applied on top through its public process. The inner shader is borrowed.
class PARVOLIN_API FontShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// No key, no font colour, no inner shader: a plain copy.
    FontShader();
    /// Key set and in use; no font colour, no inner shader.
    FontShader(unsigned long colorKey);
    /// The same settings (and inner shader) as `other`.
    FontShader(const FontShader& other) = default;
    /// The same settings (and inner shader) as `other`.
    FontShader& operator=(const FontShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~FontShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    /// Takes the COLORREF `colorKey` as the key and switches the key on.
    void setColorKey(unsigned long colorKey);
    /// Paints every glyph pixel in the COLORREF `fontColor` from now on.
    void setFontColor(unsigned long fontColor);
    /// Applies `shader` to every glyph pixel after the colour; null for none.
    void setShader(Shader* shader);

private:
    friend class BlitRows;
    unsigned long colorKey;
    unsigned long fontColor;
    Shader* shader;
    bool useColorKey;
    bool useFontColor;
};

/// @}

#endif
