#ifndef PARVOLIN_EXPORT_H
#define PARVOLIN_EXPORT_H

/// \file
/// The export attribute of the library's public classes and functions.
/// \ingroup core

/// \addtogroup core
/// @{

/// Marks a public class or function. Everything else stays hidden (the library is built
/// with -fvisibility=hidden), so a game reaches only what the public headers declare.
#define PARVOLIN_API __attribute__((visibility("default")))

/// @}

#endif
