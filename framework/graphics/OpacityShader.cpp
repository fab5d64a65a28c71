#include "graphics/OpacityShader.h"

#include "pixels/PixelRules.h"

OpacityShader::OpacityShader() : opacity(255) {}
OpacityShader::OpacityShader(unsigned long value) : opacity(value > 255 ? 255 : value) {}
OpacityShader::~OpacityShader() {}
void OpacityShader::setOpacity(unsigned long value) { opacity = value > 255 ? 255 : value; }
unsigned long OpacityShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long OpacityShader::internalProcess(unsigned long destination, unsigned long source)
{
    return PixelRules::blend(static_cast<uint32_t>(source), static_cast<uint32_t>(destination),
                             static_cast<uint32_t>(opacity >> 2));
}
