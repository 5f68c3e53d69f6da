#pragma once
// A zip archive (the container of .xlsx and .ods workbooks), read through minizip: whole small
// entries, or one entry as a stream of chunks.

#include <cstddef>
#include <string>

namespace orv::sheet {

class ZipArchive {
public:
    /// Opens the archive at `source` (the file itself, or a name that reaches the descriptor it
    /// was opened with); throws WorkbookError naming `path` when it is no readable zip.
    ZipArchive(std::string path, const std::string& source);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    /// True when the archive holds an entry of that name (compared without regard to case).
    bool contains(const std::string& name);

    /// The whole content of an entry; throws WorkbookError when it is missing, damaged,
    /// encrypted or larger than `limit` bytes.
    std::string read(const std::string& name, size_t limit);

    /// Starts reading an entry as a stream; an entry opened before is closed.
    void openEntry(const std::string& name);
    /// Reads up to `size` bytes of the open entry; 0 at its end, where the entry is closed.
    /// Throws WorkbookError on a damaged entry, also when at its end its checksum is wrong.
    size_t readSome(char* buffer, size_t size);
    /// Ends reading the open entry, if any.
    void closeEntry();

private:
    [[noreturn]] void fail(const std::string& what) const;

    std::string path_;
    void* zip_ = nullptr; // unzFile
    bool entryOpen_ = false;
    std::string entryName_;
};

} // namespace orv::sheet
