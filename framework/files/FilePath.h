#ifndef PARVOLIN_FILE_PATH_H
#define PARVOLIN_FILE_PATH_H

// A normalised absolute path with its scheme, as both file systems keep them. Relative
// texts are taken inside the application folder. Made with create; destroyed with delete.
class FilePath {
public:
    // Null when out of memory or for a text that normalises to nothing.
    static FilePath* create(const wchar_t* scheme, const wchar_t* text);
    virtual ~FilePath();
    FilePath(const FilePath&) = delete;
    FilePath& operator=(const FilePath&) = delete;

    const wchar_t* getPath() const { return path; }
    const wchar_t* getScheme() const { return scheme; }
    // After the last '/'; the empty text for "/".
    const wchar_t* getName();
    // The path before the last '/', or "/" when that is all there is: the parent of the
    // root is the root. Null when out of memory.
    FilePath* getParent() const;
    FilePath* getRoot() const;
    unsigned long getDepth() const;

private:
    FilePath(wchar_t* path, wchar_t* scheme);
    // Takes both texts (delete[]), also when it fails.
    static FilePath* adopt(const wchar_t* scheme, wchar_t* path);

    wchar_t* path;
    wchar_t* scheme;
    const wchar_t* name;
};

#endif
