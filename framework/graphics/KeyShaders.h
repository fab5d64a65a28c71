#ifndef PARVOLIN_KEY_SHADERS_H
#define PARVOLIN_KEY_SHADERS_H

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Shader.h>

// Shaders that choose per pixel by a colour key: source pixels equal to the key (compared
// as native pixels; a COLORREF key is truncated first, so every colour that truncates to
// the same native value matches) are treated apart from the others.

// Key-coloured source pixels are transparent.
class PARVOLIN_API ColorKeyShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    ColorKeyShader();
    ColorKeyShader(unsigned long colorKey);
    ColorKeyShader(const ColorKeyShader& other) = default;
    ColorKeyShader& operator=(const ColorKeyShader& other) = default;
    ~ColorKeyShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    void setColorKey(unsigned long colorKey);

private:
    friend class BlitRows;
    unsigned long colorKey;
};

// A silhouette: key pixels transparent, every other pixel painted in the fill colour.
class PARVOLIN_API FillForeShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    FillForeShader();
    FillForeShader(unsigned long colorKey, unsigned long fillColor);
    FillForeShader(const FillForeShader& other) = default;
    FillForeShader& operator=(const FillForeShader& other) = default;
    ~FillForeShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    void setColorKey(unsigned long colorKey);
    void setFillColor(unsigned long fillColor);

private:
    friend class BlitRows;
    unsigned long colorKey;
    unsigned long fillColor;
};

// The key-coloured background painted in the fill colour, the sprite kept.
class PARVOLIN_API FillBackShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    FillBackShader();
    FillBackShader(unsigned long colorKey, unsigned long fillColor);
    FillBackShader(const FillBackShader& other) = default;
    FillBackShader& operator=(const FillBackShader& other) = default;
    ~FillBackShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    void setColorKey(unsigned long colorKey);
    void setFillColor(unsigned long fillColor);

private:
    friend class BlitRows;
    unsigned long colorKey;
    unsigned long fillColor;
};

#endif
