#ifndef PARVOLIN_SHADER_H
#define PARVOLIN_SHADER_H

#include <Parvolin/Export.h>

// A per-pixel operation the blits apply to every pixel they draw: it receives the current
// destination pixel and the incoming source pixel and returns the pixel to store (or, in
// the alpha blits, to blend).
//
// Two levels: the blits call the private internalProcess on native RGB565 pixels; a game's
// own shader overrides only process, which works on COLORREF colours, and the base
// internalProcess converts around it. The built-in shaders override both, so that the
// blits never pay for conversions.
class PARVOLIN_API Shader {
    // Native pixels in, native pixel out. The base converts both to COLORREF, calls
    // process and truncates the result back to native.
    virtual unsigned long internalProcess(unsigned long destination, unsigned long source);

public:
    Shader();
    Shader(const Shader& other) = default;
    Shader& operator=(const Shader& other) = default;
    virtual ~Shader();

    // COLORREF colours in, COLORREF colour out.
    virtual unsigned long process(unsigned long destination, unsigned long source) = 0;

    operator Shader*();

protected:
    // What every built-in process does: both colours to native, this shader's own
    // internalProcess, the result back to COLORREF.
    unsigned long processNatively(unsigned long destination, unsigned long source);

private:
    friend class Surface;
    friend class BlitRows;
    friend class CascadeShader;
};

#endif
