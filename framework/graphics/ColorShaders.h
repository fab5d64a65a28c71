#ifndef PARVOLIN_COLOR_SHADERS_H
#define PARVOLIN_COLOR_SHADERS_H

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Shader.h>

// Shaders that recolour the source pixel by itself (the destination is ignored, so the
// result replaces it). Channel factors come from a COLORREF: red = c & 0xFF,
// green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF.

// The three channel factors of the colour shaders.
struct ChannelFactors {
    ChannelFactors(unsigned long color = 0) { set(color); }
    void set(unsigned long color)
    {
        red = color & 0xFF;
        green = (color >> 8) & 0xFF;
        blue = (color >> 16) & 0xFF;
    }
    unsigned long red;
    unsigned long green;
    unsigned long blue;
};

// Tint: each channel times its factor / 256; a factor of 255 keeps the channel.
class PARVOLIN_API MultiplyShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    MultiplyShader();
    MultiplyShader(unsigned long color);
    MultiplyShader(const MultiplyShader& other) = default;
    MultiplyShader& operator=(const MultiplyShader& other) = default;
    ~MultiplyShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    void setShaderColor(unsigned long color);

private:
    friend class BlitRows;
    ChannelFactors factors;
};

// Overlay: channels below 128 darkened by the factor, the others lightened.
class PARVOLIN_API OverlayShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    OverlayShader();
    OverlayShader(unsigned long color);
    OverlayShader(const OverlayShader& other) = default;
    OverlayShader& operator=(const OverlayShader& other) = default;
    ~OverlayShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    void setShaderColor(unsigned long color);

private:
    friend class BlitRows;
    ChannelFactors factors;
};

// Screen: each channel moved toward white by its factor / 256 of the distance.
class PARVOLIN_API ScreenShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    ScreenShader();
    ScreenShader(unsigned long color);
    ScreenShader(const ScreenShader& other) = default;
    ScreenShader& operator=(const ScreenShader& other) = default;
    ~ScreenShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    void setShaderColor(unsigned long color);

private:
    friend class BlitRows;
    ChannelFactors factors;
};

// The luma of the source in all three channels.
class PARVOLIN_API GrayScaleShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    GrayScaleShader();
    GrayScaleShader(const GrayScaleShader& other) = default;
    GrayScaleShader& operator=(const GrayScaleShader& other) = default;
    ~GrayScaleShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
};

#endif
