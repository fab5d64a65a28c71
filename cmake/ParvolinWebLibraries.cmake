# The libraries the framework uses, built for WebAssembly from Debian's source packages
# (`./parvolin web` unpacks them into PARVOLIN_WEB_SOURCES), as static libraries under the
# names the native build finds them by. Only their C sources are taken, without their own
# build systems: those probe the machine they run on, which is not the one the code runs on.
set(PARVOLIN_WEB_SOURCES "" CACHE PATH "Folder holding the unpacked Debian source packages of the libraries")

function(parvolin_web_source_folder variable package)
  file(GLOB found LIST_DIRECTORIES true "${PARVOLIN_WEB_SOURCES}/${package}-*")
  list(FILTER found EXCLUDE REGEX "\\.(tar\\..*|dsc)$")
  list(LENGTH found count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "The web build needs Debian's source of ${package} unpacked once in "
                        "PARVOLIN_WEB_SOURCES (${PARVOLIN_WEB_SOURCES}); `./parvolin web` fetches it")
  endif()
  set(${variable} "${found}" PARENT_SCOPE)
endfunction()

# A library of `sources` (relative to `folder`), compiled quietly: the warnings are theirs.
function(parvolin_web_library name folder)
  list(TRANSFORM ARGN PREPEND "${folder}/" OUTPUT_VARIABLE sources)
  add_library(${name} STATIC ${sources})
  target_compile_options(${name} PRIVATE -w -O2)
endfunction()

set(generated ${PROJECT_BINARY_DIR}/web-libraries)

parvolin_web_source_folder(zlib zlib)
parvolin_web_library(ParvolinWebZlib ${zlib} adler32.c compress.c crc32.c deflate.c gzclose.c gzlib.c gzread.c
  gzwrite.c infback.c inffast.c inflate.c inftrees.c trees.c uncompr.c zutil.c)
target_include_directories(ParvolinWebZlib SYSTEM PUBLIC ${zlib})
add_library(ZLIB::ZLIB ALIAS ParvolinWebZlib)

parvolin_web_source_folder(png libpng1.6)
configure_file(${png}/scripts/pnglibconf.h.prebuilt ${generated}/png/pnglibconf.h COPYONLY)
parvolin_web_library(ParvolinWebPng ${png} png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c
  pngrtran.c pngrutil.c pngset.c pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c)
target_include_directories(ParvolinWebPng SYSTEM PUBLIC ${png} ${generated}/png)
target_link_libraries(ParvolinWebPng PUBLIC ParvolinWebZlib)
add_library(PNG::PNG ALIAS ParvolinWebPng)

# libjpeg-turbo's configured headers, as its own build writes them for an 8-bit library
# with arithmetic coding and no vector code.
parvolin_web_source_folder(jpeg libjpeg-turbo)
file(STRINGS ${jpeg}/CMakeLists.txt jpegVersionLine REGEX "^set\\(VERSION [0-9.]+\\)")
string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+" VERSION "${jpegVersionLine}")
string(REPLACE "." ";" jpegVersionParts "${VERSION}")
list(GET jpegVersionParts 0 jpegMajor)
list(GET jpegVersionParts 1 jpegMinor)
list(GET jpegVersionParts 2 jpegRevision)
math(EXPR LIBJPEG_TURBO_VERSION_NUMBER "${jpegMajor} * 1000000 + ${jpegMinor} * 1000 + ${jpegRevision}")
set(JPEG_LIB_VERSION 62)
set(C_ARITH_CODING_SUPPORTED 1)
set(D_ARITH_CODING_SUPPORTED 1)
set(MEM_SRCDST_SUPPORTED 1)
set(BITS_IN_JSAMPLE 8)
set(BUILD "parvolin-web")
set(INLINE "__inline__ __attribute__((always_inline))")
set(THREAD_LOCAL "")
set(CMAKE_PROJECT_NAME libjpeg-turbo)
set(SIZE_T 4)
set(HAVE_BUILTIN_CTZL 1)
set(COPYRIGHT_YEAR "1991-2023")
foreach(header jconfig.h jconfigint.h jversion.h)
  if(EXISTS ${jpeg}/${header}.in)
    configure_file(${jpeg}/${header}.in ${generated}/jpeg/${header})
  endif()
endforeach()
parvolin_web_library(ParvolinWebJpeg ${jpeg} jcapimin.c jcapistd.c jccoefct.c jccolor.c jcdctmgr.c jchuff.c
  jcicc.c jcinit.c jcmainct.c jcmarker.c jcmaster.c jcomapi.c jcparam.c jcphuff.c jcprepct.c jcsample.c
  jctrans.c jdapimin.c jdapistd.c jdatadst.c jdatasrc.c jdcoefct.c jdcolor.c jddctmgr.c jdhuff.c jdicc.c
  jdinput.c jdmainct.c jdmarker.c jdmaster.c jdmerge.c jdphuff.c jdpostct.c jdsample.c jdtrans.c jerror.c
  jfdctflt.c jfdctfst.c jfdctint.c jidctflt.c jidctfst.c jidctint.c jidctred.c jquant1.c jquant2.c jutils.c
  jmemmgr.c jmemnobs.c jaricom.c jcarith.c jdarith.c jsimd_none.c)
target_include_directories(ParvolinWebJpeg SYSTEM PUBLIC ${jpeg} ${generated}/jpeg)
add_library(JPEG::JPEG ALIAS ParvolinWebJpeg)

parvolin_web_source_folder(gif giflib)
parvolin_web_library(ParvolinWebGif ${gif} dgif_lib.c egif_lib.c gifalloc.c gif_err.c gif_font.c gif_hash.c
  openbsd-reallocarray.c quantize.c)
target_include_directories(ParvolinWebGif SYSTEM PUBLIC ${gif})
add_library(GIF::GIF ALIAS ParvolinWebGif)

parvolin_web_source_folder(ogg libogg)
set(INCLUDE_INTTYPES_H 1)
set(INCLUDE_STDINT_H 1)
set(INCLUDE_SYS_TYPES_H 1)
set(SIZE16 int16_t)
set(USIZE16 uint16_t)
set(SIZE32 int32_t)
set(USIZE32 uint32_t)
set(SIZE64 int64_t)
set(USIZE64 uint64_t)
configure_file(${ogg}/include/ogg/config_types.h.in ${generated}/ogg/ogg/config_types.h @ONLY)
parvolin_web_library(ParvolinWebOgg ${ogg} src/bitwise.c src/framing.c)
target_include_directories(ParvolinWebOgg SYSTEM PUBLIC ${ogg}/include ${generated}/ogg)
add_library(PkgConfig::OGG ALIAS ParvolinWebOgg)

parvolin_web_source_folder(vorbis libvorbis)
parvolin_web_library(ParvolinWebVorbis ${vorbis} lib/analysis.c lib/bitrate.c lib/block.c lib/codebook.c
  lib/envelope.c lib/floor0.c lib/floor1.c lib/info.c lib/lookup.c lib/lpc.c lib/lsp.c lib/mapping0.c
  lib/mdct.c lib/psy.c lib/registry.c lib/res0.c lib/sharedbook.c lib/smallft.c lib/synthesis.c
  lib/window.c lib/vorbisfile.c lib/vorbisenc.c)
target_include_directories(ParvolinWebVorbis SYSTEM PUBLIC ${vorbis}/include PRIVATE ${vorbis}/lib)
target_link_libraries(ParvolinWebVorbis PUBLIC ParvolinWebOgg)
add_library(PkgConfig::VORBIS ALIAS ParvolinWebVorbis)
add_library(PkgConfig::VORBISENC ALIAS ParvolinWebVorbis)

# The decoder and the encoder in one library, as libtheora.so is; without the x86 code.
parvolin_web_source_folder(theora libtheora)
parvolin_web_library(ParvolinWebTheora ${theora} lib/apiwrapper.c lib/bitpack.c lib/decapiwrapper.c
  lib/decinfo.c lib/decode.c lib/dequant.c lib/fragment.c lib/huffdec.c lib/idct.c lib/info.c lib/internal.c
  lib/quant.c lib/state.c lib/analyze.c lib/fdct.c lib/encfrag.c lib/encapiwrapper.c lib/encinfo.c
  lib/encode.c lib/enquant.c lib/huffenc.c lib/mathops.c lib/mcenc.c lib/rate.c lib/tokenize.c)
target_include_directories(ParvolinWebTheora SYSTEM PUBLIC ${theora}/include)
target_link_libraries(ParvolinWebTheora PUBLIC ParvolinWebOgg)
add_library(PkgConfig::THEORA ALIAS ParvolinWebTheora)
add_library(PkgConfig::THEORAENC ALIAS ParvolinWebTheora)
