#ifndef PARVOLIN_SHADER_H
#define PARVOLIN_SHADER_H

/// \file
/// Shader, the per-pixel operation of the blits.
/// \ingroup graphics

#include <Parvolin/Export.h>

/// \addtogroup graphics
/// @{

/// A per-pixel operation the blits apply to every pixel they draw: it receives the current
/// destination pixel and the incoming source pixel and returns the pixel to store (or, in
/// the alpha blits, to blend). A null shader is a plain copy.
///
/// Two levels: the blits call the private internalProcess on native RGB565 pixels; a game's
/// own shader overrides only process, which works on COLORREF colours 0x00BBGGRR, and the
/// base internalProcess converts around it. The built-in shaders override both, so that the
/// blits never pay for conversions. A shader is borrowed by the blit it is passed to.
class PARVOLIN_API Shader {
    // Native pixels in, native pixel out. The base converts both to COLORREF, calls
    // process and truncates the result back to native.
    virtual unsigned long internalProcess(unsigned long destination, unsigned long source);

public:
    /// A shader.
    Shader();
    /// Copies `other`'s settings.
    Shader(const Shader& other) = default;
    /// Copies `other`'s settings.
    Shader& operator=(const Shader& other) = default;
    /// Releases nothing the shader borrowed.
    virtual ~Shader();

    /// The pixel to store for `source` drawn over `destination`: COLORREF colours in,
    /// COLORREF colour out. The colours come from RGB565 pixels (the low bits of each
    /// channel zero) and the result is cut back to RGB565.
    virtual unsigned long process(unsigned long destination, unsigned long source) = 0;

    /// The shader itself, for the calls that take a Shader*.
    operator Shader*();

protected:
    /// What every built-in process does: both colours to native, this shader's own
    /// internalProcess, the result back to COLORREF.
    unsigned long processNatively(unsigned long destination, unsigned long source);

private:
    friend class Surface;
    friend class BlitRows;
    friend class CascadeShader;
};

/// @}

#endif
