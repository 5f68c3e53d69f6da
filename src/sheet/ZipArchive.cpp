#include "sheet/ZipArchive.h"

#include "sheet/Workbook.h"

#include <unzip.h>

namespace orv::sheet {

namespace {

constexpr int kCaseInsensitive = 2;

unzFile handle(void* zip) {
    return static_cast<unzFile>(zip);
}

} // namespace

ZipArchive::ZipArchive(std::string path, const std::string& source) : path_(std::move(path)) {
    zip_ = unzOpen64(source.c_str());
    if (!zip_) fail("arhiv zip je poškodovan");
}

ZipArchive::~ZipArchive() {
    closeEntry();
    if (zip_) unzClose(handle(zip_));
}

void ZipArchive::fail(const std::string& what) const {
    throw WorkbookError("Excel datoteke " + path_ + " ni mogoče prebrati: " + what);
}

bool ZipArchive::contains(const std::string& name) {
    closeEntry();
    return unzLocateFile(handle(zip_), name.c_str(), kCaseInsensitive) == UNZ_OK;
}

void ZipArchive::openEntry(const std::string& name) {
    closeEntry();
    if (unzLocateFile(handle(zip_), name.c_str(), kCaseInsensitive) != UNZ_OK)
        fail("v arhivu ni dela " + name);
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(handle(zip_), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        fail("del " + name + " je poškodovan");
    if (info.flag & 1) fail("delovni zvezek je zaščiten z geslom (šifriran)");
    if (unzOpenCurrentFile(handle(zip_)) != UNZ_OK) fail("dela " + name + " ni mogoče odpreti");
    entryOpen_ = true;
    entryName_ = name;
}

size_t ZipArchive::readSome(char* buffer, size_t size) {
    if (!entryOpen_) return 0;
    const int got = unzReadCurrentFile(handle(zip_), buffer, static_cast<unsigned>(size));
    if (got < 0) fail("del " + entryName_ + " je poškodovan (napaka " + std::to_string(got) + ")");
    if (got == 0) {
        // The end of the entry: only now can its checksum be compared. A stored entry whose
        // bytes changed would otherwise read as intact, with other values in its cells.
        entryOpen_ = false;
        if (unzCloseCurrentFile(handle(zip_)) != UNZ_OK)
            fail("del " + entryName_ + " je poškodovan (napačna kontrolna vsota)");
    }
    return static_cast<size_t>(got);
}

void ZipArchive::closeEntry() {
    if (!entryOpen_) return;
    entryOpen_ = false;
    // Left before its end: the checksum cannot be compared, and nothing was taken as whole.
    unzCloseCurrentFile(handle(zip_));
}

std::string ZipArchive::read(const std::string& name, size_t limit) {
    openEntry(name);
    std::string content;
    char buffer[65536];
    while (const size_t got = readSome(buffer, sizeof buffer)) {
        content.append(buffer, got);
        if (content.size() > limit) fail("del " + name + " je prevelik");
    }
    return content; // readSome compared the checksum at the end
}

} // namespace orv::sheet
