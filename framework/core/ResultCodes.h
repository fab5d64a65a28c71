#ifndef PARVOLIN_RESULT_CODES_H
#define PARVOLIN_RESULT_CODES_H

/// \file
/// The result codes every fallible call returns, and their texts.
/// \ingroup core

#include <Parvolin/Export.h>

#include <cstdint>

/// \addtogroup core
/// @{

/// Every fallible operation returns one of these numbers; 0 is success. The numbers are
/// part of the interface games compare against, so they never change.
namespace ResultCode {
/// The result codes, by name.
enum : long {
    Ok = 0, ///< Success.
    AssertionError = 1, ///< The object is not in a state for the call (the mixer is not open).
    InvalidCoordinates = 2, ///< A position, rectangle, channel or pan out of range; nothing was drawn or changed.
    InvalidOpacity = 3, ///< An opacity above 255, or a volume above 256.
    OutOfMemory = 4, ///< Memory could not be had (or every mixer channel is busy).
    InvalidSurface = 5, ///< A surface without pixels, a panel without a surface, or a back buffer of the wrong size.
    UnsupportedMode = 6, ///< The device cannot do it: no fitting screen interface, no sound output.
    StringTooLarge = 7, ///< A formatted text longer than 128 characters.
    ImageOpenError = 8, ///< An image file that cannot be found, read or decoded.
    VideoOpenError = 9, ///< A video file that cannot be found, opened or read as a video.
    ImageSaveError = 10, ///< An image that cannot be written.
    EndOfVideo = 11, ///< The video has no more frames.
    UnsupportedImageType = 12, ///< An image format or file type that is not read or written.
    InvalidFont = 13, ///< A font without glyphs.
    FileNotInitialized = 14, ///< A File that is not bound, or a Music that is not open.
    NullParameter = 15, ///< A pointer that must not be null was.
    VideoNotInitialized = 16, ///< No video is open.
    WrongPathFormat = 17, ///< No path, or a path with nothing left after its scheme.
    CannotResolveFile = 18, ///< Nothing was found for a path.
    CannotCreateFileSystem = 19, ///< Not given by this library; kept for its number.
    NoBaseFile = 20, ///< There is no base folder to take a relative path from.
    FileNotSeekable = 21, ///< A folder cannot seek.
    NoMoreChildren = 22, ///< No child of that name, or a folder listing has no further entry.
    ParentOpenError = 23, ///< A parent folder cannot be had (the root has none) or created.
    FileOpenError = 24, ///< A file cannot be opened.
    FileCreateError = 25, ///< A file cannot be created.
    FolderCreateError = 26, ///< A folder cannot be created.
    FileDeleteError = 27, ///< A file cannot be deleted.
    FolderListError = 28, ///< A folder cannot be listed.
    SeekError = 29, ///< A seek failed or reached outside the file.
    GetChildNotAllowed = 30, ///< Children asked of something that is not a folder.
    FileTooDeep = 31, ///< Not given by this library; kept for its number.
    FolderDoesNotExist = 32, ///< The folder does not exist.
    FileDoesNotExist = 33, ///< The file (or resource) does not exist.
    FolderCreationNotAllowed = 34, ///< This file system cannot create folders (an archive).
    FileCreationNotAllowed = 35, ///< This file system cannot create files (an archive); it has no text of its own.
    FileSystemCreationNotAllowed = 36, ///< Not given by this library; kept for its number.
    FileDeletionNotAllowed = 37, ///< This file system cannot delete files (an archive).
    FolderDeletionNotAllowed = 38, ///< This file system cannot delete folders (an archive).
    FolderNotOpened = 39, ///< A folder listing asked of a folder that is not open.
    UnknownSeekMethod = 40, ///< A seek origin other than 0, 1 or 2.
    ZipError = 41, ///< A damaged or unreadable ZIP archive.
    ZipSplit = 42, ///< A ZIP archive split over several files (not read).
    DecompressError = 43, ///< Damaged or truncated compressed data.
    UnsupportedCompression = 44, ///< A compression method or sound format that is not read.
    FolderDeleteError = 45, ///< A folder cannot be deleted.
    ResolveError = 46, ///< Nothing found for a path resolved from a File.
    FpsNotStarted = 47, ///< The frame pacer was not started.
    FileEmpty = 48, ///< A file or sound with nothing in it.
    SubtitleError = 49, ///< A subtitle file that cannot be read.
    PanelCannotMove = 50, ///< A panel that cannot be placed (no parent and no surface, or a loop of parents).
    UnknownError = 51, ///< Any other failure.
};

/// The application's own failures (configuration, window, pause(0), setError(nullptr)):
/// the platform's generic failure, negative as it was on the 32-bit device.
constexpr long GenericFailure = static_cast<long>(static_cast<int32_t>(0x80004005u));
} // namespace ResultCode

/// The text at a position of the error-text list; "UNKNOWN ERROR" for any position outside
/// 0..51. Codes 14 to 34 sit one position further on (position 14 describes no code), so
/// a game that has a code calls getErrorTextForCode instead.
PARVOLIN_API const wchar_t* getErrorText(long position);

/// The list position that describes a result code: the code itself for 0..13 and 36..51,
/// code + 1 for 14..34, and -1 for 35 (which has no text) or any unknown code.
PARVOLIN_API long getErrorPosition(long code);

/// The text that describes a result code, such as "OUT OF MEMORY" for
/// ResultCode::OutOfMemory: getErrorText(getErrorPosition(code)), so "UNKNOWN ERROR" for
/// ResultCode::FileCreationNotAllowed and for codes outside the list. The texts are
/// static: never freed.
PARVOLIN_API const wchar_t* getErrorTextForCode(long code);

/// @}

#endif
