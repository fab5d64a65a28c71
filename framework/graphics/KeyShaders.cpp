#include "graphics/KeyShaders.h"

#include "pixels/PixelRules.h"

ColorKeyShader::ColorKeyShader() : colorKey(0) {}
ColorKeyShader::ColorKeyShader(unsigned long key) : colorKey(PixelRules::toNative(key)) {}
ColorKeyShader::~ColorKeyShader() {}
void ColorKeyShader::setColorKey(unsigned long key) { colorKey = PixelRules::toNative(key); }
unsigned long ColorKeyShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long ColorKeyShader::internalProcess(unsigned long destination, unsigned long source)
{
    return PixelRules::keyed(static_cast<uint32_t>(destination), static_cast<uint32_t>(source),
                             static_cast<uint32_t>(colorKey));
}

FillForeShader::FillForeShader() : colorKey(0), fillColor(0) {}
FillForeShader::FillForeShader(unsigned long key, unsigned long fill)
    : colorKey(PixelRules::toNative(key)), fillColor(PixelRules::toNative(fill))
{
}
FillForeShader::~FillForeShader() {}
void FillForeShader::setColorKey(unsigned long key) { colorKey = PixelRules::toNative(key); }
void FillForeShader::setFillColor(unsigned long fill) { fillColor = PixelRules::toNative(fill); }
unsigned long FillForeShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long FillForeShader::internalProcess(unsigned long destination, unsigned long source)
{
    return PixelRules::fillKeyed(static_cast<uint32_t>(destination), static_cast<uint32_t>(source),
                                 static_cast<uint32_t>(colorKey), static_cast<uint32_t>(fillColor));
}

FillBackShader::FillBackShader() : colorKey(0), fillColor(0) {}
FillBackShader::FillBackShader(unsigned long key, unsigned long fill)
    : colorKey(PixelRules::toNative(key)), fillColor(PixelRules::toNative(fill))
{
}
FillBackShader::~FillBackShader() {}
void FillBackShader::setColorKey(unsigned long key) { colorKey = PixelRules::toNative(key); }
void FillBackShader::setFillColor(unsigned long fill) { fillColor = PixelRules::toNative(fill); }
unsigned long FillBackShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long FillBackShader::internalProcess(unsigned long, unsigned long source)
{
    return PixelRules::fillBackground(static_cast<uint32_t>(source), static_cast<uint32_t>(colorKey),
                                      static_cast<uint32_t>(fillColor));
}
