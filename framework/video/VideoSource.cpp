#include "video/VideoSource.h"

VideoSource::VideoSource() : extraHeight(0), framesDecoded(0), timeMs(0), frameMs(0) {}

VideoSource::~VideoSource() {}
