#include "core/ResultCodes.h"

namespace {
// The list keeps one text more than there are codes below 35: position 14 belongs to an
// audio code that no longer exists, so codes 14..34 read one position further on.
const wchar_t* const errorTexts[52] = {
    L"OK",
    L"ASSERTION ERROR",
    L"INVALID COORDINATES",
    L"INVALID OPACITY VALUE",
    L"OUT OF MEMORY",
    L"INVALID SURFACE",
    L"UNSUPPORTED MODE",
    L"STRING IS TOO LARGE",
    L"ERROR WHILE OPENING IMAGE",
    L"ERROR WHILE OPENING VIDEO",
    L"ERROR WHILE SAVING IMAGE",
    L"END OF VIDEO",
    L"UNSUPPORTED IMAGE TYPE",
    L"INVALID FONT",
    L"AUDIO INITIALIZATION FAILED",
    L"THE FILE HAS NOT BEEN INITIALIZED",
    L"NULL PARAMETER",
    L"THE VIDEO HAS NOT BEEN INITIALIZED",
    L"WRONG PATH FORMAT",
    L"CANNOT RESOLVE FILE",
    L"CANNOT CREATE FILESYSTEM",
    L"NO BASE FILE DECLARED",
    L"FILE IS NOT SEEKABLE",
    L"NO MORE CHILDS TO SEARCH FOR",
    L"ERROR WHILE OPENING FILE PARENT",
    L"ERROR WHILE OPENING FILE",
    L"ERROR WHILE CREATING FILE",
    L"ERROR WHILE CREATING FOLDER",
    L"ERROR WHILE DELETING FILE",
    L"ERROR WHILE CROSSING THROUGHT FOLDER",
    L"ERROR WHILE SEEKING FILE",
    L"GETCHILD IS NOT ALLOWED",
    L"FILE IS TOO DEEP",
    L"FOLDER DOES NOT EXIST",
    L"FILE DOES NOT EXIST",
    L"CREATING A FOLDER IS NOT ALLOWED",
    L"CREATING A FILESYSTEM IS NOT ALLOWED",
    L"FILE DELETION IS NOT ALLOWED",
    L"FOLDER DELETION IS NOT ALLOWED",
    L"FOLDER HAS NOT BEEN OPENED",
    L"SEEK METHOD DOES NOT EXISTS",
    L"ERROR PROCESSING ZIP FILE",
    L"WRONG SPLITTED ZIP FILE",
    L"ERROR DECOMPRESSING FILE",
    L"UNSOPPORTED COMPRESSION METHOD",
    L"ERROR DELETING FOLDER",
    L"ERROR RESOLVING FILE",
    L"FPS CLASS HAS NOT BEEN INITIALIZED",
    L"THE FILE IS EMPTY",
    L"ERROR READING SUBTITLES",
    L"ERROR MOVING PANEL BECAUSE IT HAS CHILDS",
    L"UNKNOWN ERROR",
};
} // namespace

const wchar_t* getErrorText(long position)
{
    if (position < 0 || position > 51)
        return errorTexts[51];
    return errorTexts[position];
}

long getErrorPosition(long code)
{
    if (code < 0 || code > 51 || code == ResultCode::FileCreationNotAllowed)
        return -1;
    if (code >= ResultCode::FileNotInitialized && code <= ResultCode::FolderCreationNotAllowed)
        return code + 1;
    return code;
}

const wchar_t* getErrorTextForCode(long code) { return getErrorText(getErrorPosition(code)); }
