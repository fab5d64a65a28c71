#include "platform/hosts/HeadlessHost.h"

std::unique_ptr<Host> HeadlessHost::create() { return std::make_unique<HeadlessHost>(); }

void HeadlessHost::present(const EmulatedScreen&) { ++frames; }
