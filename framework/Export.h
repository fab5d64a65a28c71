#ifndef PARVOLIN_EXPORT_H
#define PARVOLIN_EXPORT_H

// Public classes and functions carry PARVOLIN_API; everything else stays hidden
// (the library is built with -fvisibility=hidden).
#define PARVOLIN_API __attribute__((visibility("default")))

#endif
