#include "graphics/ColorShaders.h"

#include "pixels/PixelRules.h"

namespace {
template <uint32_t (*rule)(uint32_t, uint32_t)>
unsigned long applyFactors(const ChannelFactors& factors, unsigned long source)
{
    return PixelRules::perChannel<rule>(static_cast<uint32_t>(source), static_cast<uint32_t>(factors.red),
                                        static_cast<uint32_t>(factors.green), static_cast<uint32_t>(factors.blue));
}
} // namespace

MultiplyShader::MultiplyShader() {}
MultiplyShader::MultiplyShader(unsigned long color) : factors(color) {}
MultiplyShader::~MultiplyShader() {}
void MultiplyShader::setShaderColor(unsigned long color) { factors.set(color); }
unsigned long MultiplyShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long MultiplyShader::internalProcess(unsigned long, unsigned long source)
{
    return applyFactors<PixelRules::multiplyChannel>(factors, source);
}

OverlayShader::OverlayShader() {}
OverlayShader::OverlayShader(unsigned long color) : factors(color) {}
OverlayShader::~OverlayShader() {}
void OverlayShader::setShaderColor(unsigned long color) { factors.set(color); }
unsigned long OverlayShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long OverlayShader::internalProcess(unsigned long, unsigned long source)
{
    return applyFactors<PixelRules::overlayChannel>(factors, source);
}

ScreenShader::ScreenShader() {}
ScreenShader::ScreenShader(unsigned long color) : factors(color) {}
ScreenShader::~ScreenShader() {}
void ScreenShader::setShaderColor(unsigned long color) { factors.set(color); }
unsigned long ScreenShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long ScreenShader::internalProcess(unsigned long, unsigned long source)
{
    return applyFactors<PixelRules::screenChannel>(factors, source);
}

GrayScaleShader::GrayScaleShader() {}
GrayScaleShader::~GrayScaleShader() {}
unsigned long GrayScaleShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long GrayScaleShader::internalProcess(unsigned long, unsigned long source)
{
    return PixelRules::grayScale(static_cast<uint32_t>(source));
}
