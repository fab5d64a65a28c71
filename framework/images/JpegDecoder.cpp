#include "images/JpegDecoder.h"

#include "core/ResultCodes.h"
#include "images/DecodeTarget.h"
#include "images/PixelRows.h"

#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>

namespace {

// libjpeg's own memory ceiling, set to what the largest accepted image needs: four
// components of whole-image coefficients (progressive files keep them all) and change.
constexpr long memoryLimit = static_cast<long>(DecodeTarget::maxSide * DecodeTarget::maxSide * 4 * 2 + (64l << 20));
// A handful of scans makes a progressive picture; thousands of empty ones would only make
// a small file take minutes.
constexpr int scanLimit = 500;

struct JpegSession {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf unwind;
    bool sized;
};

// libjpeg assumes its fatal-error hook never returns: it jumps back into decodeIn.
[[noreturn]] void fail(j_common_ptr info) { std::longjmp(static_cast<JpegSession*>(info->client_data)->unwind, 1); }

// Warnings (a file that breaks off raises one) are not logged.
void ignoreMessage(j_common_ptr) {}

void limitScans(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > scanLimit)
        fail(info);
}

// Everything libjpeg is called for, in the one function it may jump back into. Only
// trivially destructible objects live here, so the jump skips nothing that needs undoing.
long decodeIn(JpegSession& session, const unsigned char* data, size_t size, Surface* target)
{
    jpeg_decompress_struct& info = session.info;
    info.err = jpeg_std_error(&session.errors);
    session.errors.error_exit = fail;
    session.errors.output_message = ignoreMessage;
    info.client_data = &session;
    if (setjmp(session.unwind)) {
        jpeg_destroy_decompress(&info);
        if (session.sized)
            target->free();
        return ResultCode::ImageOpenError;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = memoryLimit;
    session.progress.progress_monitor = limitScans;
    info.progress = &session.progress;
    // The memory source supplies an end-of-image marker once the data is used up.
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (!sideFits(info.image_width) || !sideFits(info.image_height)) {
        jpeg_destroy_decompress(&info);
        return ResultCode::ImageOpenError;
    }
    // Grey and colour output are what a handheld shows; CMYK and the like are refused
    // before any work is done for them.
    const bool grey = info.out_color_space == JCS_GRAYSCALE;
    if (!grey && info.out_color_space != JCS_RGB) {
        jpeg_destroy_decompress(&info);
        return ResultCode::UnsupportedImageType;
    }
    // The same samples as RGB with a fourth byte beside them: whole 32-bit pixels convert
    // several at a time.
    if (!grey)
        info.out_color_space = JCS_EXT_RGBX;
    jpeg_start_decompress(&info);
    DecodeTarget rows(target);
    if (long result = rows.size(info.output_width, info.output_height)) {
        jpeg_destroy_decompress(&info);
        return result;
    }
    session.sized = true;
    JSAMPARRAY line = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                info.output_width * static_cast<JDIMENSION>(info.output_components), 1);
    while (info.output_scanline < info.output_height) {
        const unsigned long y = info.output_scanline;
        if (jpeg_read_scanlines(&info, line, 1) != 1)
            fail(reinterpret_cast<j_common_ptr>(&info));
        if (grey)
            PixelRows::pack<1, 0, 0, 0>(line[0], info.output_width, rows.row(y));
        else
            PixelRows::packRgbx(line[0], info.output_width, rows.row(y));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return ResultCode::Ok;
}

} // namespace

long JpegDecoder::decode(const unsigned char* data, size_t size, Surface* target, Surface*)
{
    // On the heap: the session is large, and its address must stay put while libjpeg runs.
    JpegSession* session = new (std::nothrow) JpegSession();
    if (!session)
        return ResultCode::OutOfMemory;
    long result = decodeIn(*session, data, size, target);
    delete session;
    return result;
}
