#ifndef PARVOLIN_COLOR_SHADERS_H
#define PARVOLIN_COLOR_SHADERS_H

/// \file
/// The shaders that recolour the source: multiply, overlay, screen and grey scale.
///
/// Each recolours the source pixel by itself (the destination is ignored, so the result
/// replaces it). Channel factors come from a COLORREF: red = c & 0xFF,
/// green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF.
/// \ingroup graphics

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Shader.h>

/// \addtogroup graphics
/// @{

/// The three channel factors of the colour shaders, taken from a COLORREF 0x00BBGGRR.
struct ChannelFactors {
    /// The factors of `color`.
    ChannelFactors(unsigned long color = 0) { set(color); }
    /// Takes the factors of `color`: red = c & 0xFF, green = (c >> 8) & 0xFF,
    /// blue = (c >> 16) & 0xFF.
    void set(unsigned long color)
    {
        red = color & 0xFF;
        green = (color >> 8) & 0xFF;
        blue = (color >> 16) & 0xFF;
    }
    unsigned long red;    ///< 0..255.
    unsigned long green;  ///< 0..255.
    unsigned long blue;   ///< 0..255.
};

/// Tint: each channel of the source times its factor / 256; a factor of 255 keeps the
/// channel. The destination is ignored: the result replaces it.
class PARVOLIN_API MultiplyShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// Factors 0: everything black.
    MultiplyShader();
    /// The factors of the COLORREF `color`.
    MultiplyShader(unsigned long color);
    /// Copies `other`'s factors.
    MultiplyShader(const MultiplyShader& other) = default;
    /// Copies `other`'s factors.
    MultiplyShader& operator=(const MultiplyShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~MultiplyShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    /// Takes the factors of the COLORREF `color`.
    void setShaderColor(unsigned long color);

private:
    friend class BlitRows;
    ChannelFactors factors;
};

/// Overlay: source channels below 128 darkened by the factor, the others lightened. The
/// destination is ignored: the result replaces it.
class PARVOLIN_API OverlayShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// Factors 0.
    OverlayShader();
    /// The factors of the COLORREF `color`.
    OverlayShader(unsigned long color);
    /// Copies `other`'s factors.
    OverlayShader(const OverlayShader& other) = default;
    /// Copies `other`'s factors.
    OverlayShader& operator=(const OverlayShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~OverlayShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    /// Takes the factors of the COLORREF `color`.
    void setShaderColor(unsigned long color);

private:
    friend class BlitRows;
    ChannelFactors factors;
};

/// Screen: each source channel moved toward white by its factor / 256 of the distance.
/// The destination is ignored: the result replaces it.
class PARVOLIN_API ScreenShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// Factors 0: the source unchanged.
    ScreenShader();
    /// The factors of the COLORREF `color`.
    ScreenShader(unsigned long color);
    /// Copies `other`'s factors.
    ScreenShader(const ScreenShader& other) = default;
    /// Copies `other`'s factors.
    ScreenShader& operator=(const ScreenShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~ScreenShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    /// Takes the factors of the COLORREF `color`.
    void setShaderColor(unsigned long color);

private:
    friend class BlitRows;
    ChannelFactors factors;
};

/// The luma of the source in all three channels. The destination is ignored.
class PARVOLIN_API GrayScaleShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// A grey-scale shader.
    GrayScaleShader();
    /// A copy.
    GrayScaleShader(const GrayScaleShader& other) = default;
    /// A copy.
    GrayScaleShader& operator=(const GrayScaleShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~GrayScaleShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
};

/// @}

#endif
