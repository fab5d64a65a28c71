#ifndef PARVOLIN_OPACITY_SHADER_H
#define PARVOLIN_OPACITY_SHADER_H

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Shader.h>

// Draws the source translucent: the blend of source over destination with the weight
// opacity >> 2 (so 255 gives 63, a near copy, and 0..3 leave the destination).
class PARVOLIN_API OpacityShader : public Shader {
    unsigned long internalProcess(unsigned long destination, unsigned long source) override;

public:
    OpacityShader();
    // Values above 255 are stored as 255.
    OpacityShader(unsigned long opacity);
    OpacityShader(const OpacityShader& other) = default;
    OpacityShader& operator=(const OpacityShader& other) = default;
    ~OpacityShader() override;
    unsigned long process(unsigned long destination, unsigned long source) override;
    void setOpacity(unsigned long opacity);

private:
    friend class BlitRows;
    unsigned long opacity;
};

#endif
