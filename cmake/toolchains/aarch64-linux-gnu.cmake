# Cross build for 64-bit ARM Linux (aarch64) on Debian, with the arm64 packages installed
# beside the host's (dpkg --add-architecture arm64): their libraries are in
# /usr/lib/aarch64-linux-gnu and their headers in /usr/include, where Debian's cross
# compiler already looks, so no sysroot is needed. `./parvolin cross aarch64` installs
# the packages and uses this file; by hand:
#   cmake -S . -B build-aarch64 -G Ninja --toolchain cmake/toolchains/aarch64-linux-gnu.cmake
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# find_library and find_package look in lib/aarch64-linux-gnu, never in the host's folder.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
# The target's files are under / like the host's; programs (cmake, pkg-config) are the host's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)

# pkg-config answering for the target: the wrapper of pkgconf:arm64, or else the host's
# pkg-config kept to the arm64 .pc files.
find_program(PARVOLIN_CROSS_PKG_CONFIG aarch64-linux-gnu-pkg-config)
if(PARVOLIN_CROSS_PKG_CONFIG)
  set(PKG_CONFIG_EXECUTABLE "${PARVOLIN_CROSS_PKG_CONFIG}" CACHE FILEPATH "pkg-config for aarch64")
else()
  set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
endif()

# Programs built for the target run under qemu's user-mode emulator: the tests, and the
# tools the build itself runs (the video example's clip maker). libc6:arm64 puts the
# loader at /lib/ld-linux-aarch64.so.1, so qemu finds it without a prefix.
find_program(PARVOLIN_QEMU_AARCH64 qemu-aarch64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${PARVOLIN_QEMU_AARCH64}")
