#ifndef PARVOLIN_COMPOSITE_SHADERS_H
#define PARVOLIN_COMPOSITE_SHADERS_H

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Shader.h>

// Shaders built around other shaders. The inner shaders are borrowed: they must outlive
// every blit that uses the outer one. Copying copies the pointers, not the shaders.

// Two shaders in a row: both see the same destination, the second sees the first's
// result as its source. A null shader passes its source on unchanged.
class PARVOLIN_API CascadeShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    CascadeShader(Shader* first, Shader* second);
    CascadeShader(const CascadeShader& other) = default;
    CascadeShader& operator=(const CascadeShader& other) = default;
    ~CascadeShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;

private:
    Shader* first;
    Shader* second;
};

// The shader fonts pass to every glyph blit: an optional colour key (the glyph background
// stays transparent), an optional font colour (recolours the glyph) and an optional
// inner shader applied on top through its public process.
class PARVOLIN_API FontShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    FontShader();
    // Key set and in use; no font colour, no inner shader.
    FontShader(unsigned long colorKey);
    FontShader(const FontShader& other) = default;
    FontShader& operator=(const FontShader& other) = default;
    ~FontShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    // Each setter also switches its feature on.
    void setColorKey(unsigned long colorKey);
    void setFontColor(unsigned long fontColor);
    void setShader(Shader* shader);

private:
    friend class BlitRows;
    unsigned long colorKey;
    unsigned long fontColor;
    Shader* shader;
    bool useColorKey;
    bool useFontColor;
};

#endif
