#ifndef PARVOLIN_OPACITY_SHADER_H
#define PARVOLIN_OPACITY_SHADER_H

/// \file
/// OpacityShader, which draws a blit translucent.
/// \ingroup graphics

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Shader.h>

/// \addtogroup graphics
/// @{

/// Draws the source translucent: the blend of source over destination with the weight
/// opacity >> 2 out of 64 (so 255 gives 63, a near copy, and 0..3 leave the destination).
/// Unlike the opacity of Surface::fillRect, 255 and 128 are not exact here.
class PARVOLIN_API OpacityShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    /// Opacity 255.
    OpacityShader();
    /// Opacity 0..255; values above 255 are stored as 255.
    OpacityShader(unsigned long opacity);
    /// Copies `other`'s opacity.
    OpacityShader(const OpacityShader& other) = default;
    /// Copies `other`'s opacity.
    OpacityShader& operator=(const OpacityShader& other) = default;
    /// Releases nothing the shader borrowed.
    ~OpacityShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    /// Opacity 0..255; values above 255 are stored as 255.
    void setOpacity(unsigned long opacity);

private:
    friend class BlitRows;
    unsigned long opacity;
};

/// @}

#endif
