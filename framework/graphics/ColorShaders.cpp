#include "graphics/ColorShaders.h"

#include "graphics/PixelRules.h"

namespace {
// The three channel factors of a COLORREF.
void splitColor(unsigned long color, unsigned long& red, unsigned long& green, unsigned long& blue)
{
    red = color & 0xFF;
    green = (color >> 8) & 0xFF;
    blue = (color >> 16) & 0xFF;
}
} // namespace

MultiplyShader::MultiplyShader() : red(0), green(0), blue(0) {}
MultiplyShader::MultiplyShader(unsigned long color) { splitColor(color, red, green, blue); }
MultiplyShader::~MultiplyShader() {}
void MultiplyShader::setShaderColor(unsigned long color) { splitColor(color, red, green, blue); }
unsigned long MultiplyShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long MultiplyShader::internalProcess(unsigned long, unsigned long source)
{
    return PixelRules::perChannel<PixelRules::multiplyChannel>(static_cast<uint32_t>(source), red, green, blue);
}

OverlayShader::OverlayShader() : red(0), green(0), blue(0) {}
OverlayShader::OverlayShader(unsigned long color) { splitColor(color, red, green, blue); }
OverlayShader::~OverlayShader() {}
void OverlayShader::setShaderColor(unsigned long color) { splitColor(color, red, green, blue); }
unsigned long OverlayShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long OverlayShader::internalProcess(unsigned long, unsigned long source)
{
    return PixelRules::perChannel<PixelRules::overlayChannel>(static_cast<uint32_t>(source), red, green, blue);
}

ScreenShader::ScreenShader() : red(0), green(0), blue(0) {}
ScreenShader::ScreenShader(unsigned long color) { splitColor(color, red, green, blue); }
ScreenShader::~ScreenShader() {}
void ScreenShader::setShaderColor(unsigned long color) { splitColor(color, red, green, blue); }
unsigned long ScreenShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long ScreenShader::internalProcess(unsigned long, unsigned long source)
{
    return PixelRules::perChannel<PixelRules::screenChannel>(static_cast<uint32_t>(source), red, green, blue);
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
