#ifndef PARVOLIN_FBDEV_HOST_ENTRY_H
#define PARVOLIN_FBDEV_HOST_ENTRY_H

#include "platform/base/Host.h"

#include <memory>
#include <string>

// The frame-buffer host's place in the table of hosts (FbdevHost::create), apart from its
// class, which needs Linux's headers: a build for the browser has neither a frame buffer
// nor those headers, and its entry says so.
std::unique_ptr<Host> createFbdevHost(std::string& why);

#endif
