#ifndef PARVOLIN_TEST_ALLOCATION_FAULTS_H
#define PARVOLIN_TEST_ALLOCATION_FAULTS_H

// This suite's program replaces the allocation functions (operator new and delete in all
// their plain and array forms): while a plan is armed, the n-th allocation that can
// report failure (the nothrow forms, which is how the library allocates) returns null.
namespace AllocationFaults {

// Arms the plan: the n-th nothrow allocation from now on fails (1 is the next one).
void failAt(unsigned long n);
// Disarms it; returns whether the planned failure happened.
bool disarm();
// Nothrow and throwing allocations counted since the plan was armed.
unsigned long nothrowCount();
unsigned long throwingCount();

} // namespace AllocationFaults

#endif
