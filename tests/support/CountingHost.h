#ifndef PARVOLIN_TEST_COUNTING_HOST_H
#define PARVOLIN_TEST_COUNTING_HOST_H

#include "platform/base/Host.h"

// A host that counts what it is told, installed for the life of the object.
class CountingHost : public Host {
public:
    CountingHost() { Hosts::install(this); }
    ~CountingHost() override { Hosts::install(nullptr); }

    void present(const EmulatedScreen&) override { ++presents; }
    void windowsChanged() override { ++windowChanges; }

    unsigned presents = 0;
    unsigned windowChanges = 0;
};

#endif
