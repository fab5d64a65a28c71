#ifndef PARVOLIN_TEST_TEMP_FOLDER_H
#define PARVOLIN_TEST_TEMP_FOLDER_H

#include <string>

// A fresh, empty folder for one test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder itself, or `name` inside it, as a device path.
    std::wstring path() const;
    std::wstring path(const std::wstring& name) const;

    // The folder, or `name` inside it, as the host names it.
    std::string hostPath() const { return hostFolder; }
    std::string hostPath(const std::string& name) const { return hostFolder + "/" + name; }

    // Writes `bytes` to `name` inside the folder with the host's own calls.
    void write(const std::wstring& name, const std::string& bytes) const;

private:
    std::string hostFolder;
};

#endif
