#ifndef PARVOLIN_RESULT_CODES_H
#define PARVOLIN_RESULT_CODES_H

#include <Parvolin/Export.h>

#include <cstdint>

// Every fallible operation returns one of these numbers; 0 is success. The numbers are
// part of the interface games compare against, so they never change.
namespace ResultCode {
enum : long {
    Ok = 0,
    AssertionError = 1,
    InvalidCoordinates = 2,
    InvalidOpacity = 3,
    OutOfMemory = 4,
    InvalidSurface = 5,
    UnsupportedMode = 6,
    StringTooLarge = 7,
    ImageOpenError = 8,
    VideoOpenError = 9,
    ImageSaveError = 10,
    EndOfVideo = 11,
    UnsupportedImageType = 12,
    InvalidFont = 13,
    FileNotInitialized = 14,
    NullParameter = 15,
    VideoNotInitialized = 16,
    WrongPathFormat = 17,
    CannotResolveFile = 18,
    CannotCreateFileSystem = 19,
    NoBaseFile = 20,
    FileNotSeekable = 21,
    NoMoreChildren = 22,
    ParentOpenError = 23,
    FileOpenError = 24,
    FileCreateError = 25,
    FolderCreateError = 26,
    FileDeleteError = 27,
    FolderListError = 28,
    SeekError = 29,
    GetChildNotAllowed = 30,
    FileTooDeep = 31,
    FolderDoesNotExist = 32,
    FileDoesNotExist = 33,
    FolderCreationNotAllowed = 34,
    FileCreationNotAllowed = 35,
    FileSystemCreationNotAllowed = 36,
    FileDeletionNotAllowed = 37,
    FolderDeletionNotAllowed = 38,
    FolderNotOpened = 39,
    UnknownSeekMethod = 40,
    ZipError = 41,
    ZipSplit = 42,
    DecompressError = 43,
    UnsupportedCompression = 44,
    FolderDeleteError = 45,
    ResolveError = 46,
    FpsNotStarted = 47,
    FileEmpty = 48,
    SubtitleError = 49,
    PanelCannotMove = 50,
    UnknownError = 51,
};

// The application's own failures (configuration, window, pause(0), setError(nullptr)):
// the platform's generic failure, negative as it was on the 32-bit device.
constexpr long GenericFailure = static_cast<long>(static_cast<int32_t>(0x80004005u));
} // namespace ResultCode

// The text at a position of the error-text list; "UNKNOWN ERROR" for any position outside
// 0..51. Codes 14 to 34 sit one position further on (position 14 describes no code).
PARVOLIN_API const wchar_t* getErrorText(long position);

// The list position that describes a result code: the code itself for 0..13 and 36..51,
// code + 1 for 14..34, and -1 for 35 (which has no text) or any unknown code.
PARVOLIN_API long getErrorPosition(long code);

// The text that describes a result code: getErrorText(getErrorPosition(code)), so
// "UNKNOWN ERROR" for ResultCode::FileCreationNotAllowed and for codes outside the list.
PARVOLIN_API const wchar_t* getErrorTextForCode(long code);


#endif
