#include "sheet/Workbook.h"

#include "sheet/CsvWorkbook.h"
#include "sheet/OdsWorkbook.h"
#include "sheet/RowCache.h"
#include "sheet/XlsWorkbook.h"
#include "sheet/XlsxWorkbook.h"
#include "sheet/ZipArchive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::sheet {

namespace {

std::string lowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

std::string columnLetters(int column) {
    std::string letters;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

void SheetRow::set(int column, std::string text) {
    if (column < 1) return;
    if (cells.size() < static_cast<size_t>(column)) cells.resize(static_cast<size_t>(column));
    cells[static_cast<size_t>(column) - 1] = std::move(text);
}

void Workbook::fail(const std::string& what) const {
    throw WorkbookError("Excel datoteke " + path_ + " ni mogoče prebrati: " + what);
}

void Workbook::failAt(int row, int column, const std::string& what) const {
    throw WorkbookError("Excel datoteka " + path_ + ", vrstica " + std::to_string(row) +
                        ", stolpec " + std::to_string(column) + " (" + columnLetters(column) +
                        "): " + what);
}

void Workbook::seek(int row) {
    // The cursor stands on current_; every row after behind_ and before current_ is empty. A row
    // at or before behind_ has gone by and needs the sheet read again.
    if (!started_ || row <= behind_) {
        rewind();
        started_ = true;
        behind_ = 0;
        current_.clear();
    }
    while (current_.number < row) {
        behind_ = current_.number;
        if (!nextRow(current_)) {
            current_.number = std::numeric_limits<int>::max(); // the end: nothing more follows
            current_.cells.clear();
            current_.problems.clear();
            return;
        }
        if (current_.number <= behind_) fail("vrstice lista niso v naraščajočem zaporedju");
    }
}

Workbook::Workbook(std::string path) : path_(std::move(path)) {}

Workbook::~Workbook() {
    if (heldFile_ >= 0) ::close(heldFile_);
}

void Workbook::keepRowsRead(size_t budget) {
    cache_ = std::make_unique<RowCache>(budget);
}

bool Workbook::fillCache(int row) {
    if (!started_) {
        rewind();
        started_ = true;
    }
    while (!streamEnded_ && cache_->lastNumber() < row) {
        if (!nextRow(scratch_)) {
            streamEnded_ = true;
            break;
        }
        if (scratch_.number <= cache_->lastNumber())
            fail("vrstice lista niso v naraščajočem zaporedju");
        if (!cache_->add(scratch_)) {
            // Past the budget: given up, and the sheet is streamed again from its start.
            cache_.reset();
            started_ = false;
            current_.clear();
            return false;
        }
    }
    return true;
}

const SheetRow* Workbook::row(int number) {
    if (cache_ && fillCache(number)) {
        if (current_.number == number) return &current_;
        if (!cache_->find(number, current_)) return nullptr;
        return &current_;
    }
    seek(number);
    return current_.number == number ? &current_ : nullptr;
}

const std::string& Workbook::cellText(int row, int column) {
    if (!open_) throw WorkbookError("Excel datoteka " + path_ + " je že zaprta");
    if (row < 1 || column < 1) return empty_;
    const SheetRow* found = this->row(row);
    if (!found) return empty_;
    for (const auto& [problemColumn, what] : found->problems)
        if (problemColumn == column) failAt(row, column, what);
    if (static_cast<size_t>(column) > found->cells.size()) return empty_;
    return found->cells[static_cast<size_t>(column) - 1];
}

void Workbook::close() {
    if (!open_) return;
    open_ = false;
    current_ = SheetRow{};
    cache_.reset();
    release();
}

namespace {

// The file opened once, for reading, without waiting for a writer (O_NONBLOCK: the open of a
// FIFO would otherwise block until one came) and checked to be a regular file before a byte is
// read. Closed when destroyed unless released to the workbook that reads through it.
class OpenedFile {
public:
    explicit OpenedFile(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0)
            throw WorkbookError("Excel datoteke " + path +
                                " ni mogoče odpreti: " + std::strerror(errno));
        struct stat status {};
        if (fstat(fd_, &status) != 0)
            throw WorkbookError("Excel datoteke " + path +
                                " ni mogoče odpreti: " + std::strerror(errno));
        if (S_ISDIR(status.st_mode))
            throw WorkbookError("Excel datoteka " + path + " je mapa, ne datoteka");
        if (!S_ISREG(status.st_mode))
            throw WorkbookError("Excel datoteka " + path + " ni navadna datoteka (" +
                                kindOf(status.st_mode) + "); uvoz bere le navadne datoteke");
        // Reads from here on wait for the disk as usual.
        const int flags = fcntl(fd_, F_GETFL);
        if (flags >= 0) fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    }
    ~OpenedFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    /// The first bytes of the file, up to `size`.
    size_t readStart(unsigned char* buffer, size_t size) const {
        const ssize_t got = pread(fd_, buffer, size, 0);
        return got > 0 ? static_cast<size_t>(got) : 0;
    }

    /// A name under which the readers (whose libraries open files by name) reach this very
    /// file again, not whatever the path names by then: the descriptor's own entry in /proc.
    /// The path itself where the system has no such entries.
    std::string readPath(const std::string& path) const {
        const std::string own = "/proc/self/fd/" + std::to_string(fd_);
        return access(own.c_str(), R_OK) == 0 ? own : path;
    }

    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    static std::string kindOf(mode_t mode) {
        if (S_ISFIFO(mode)) return "cev FIFO";
        if (S_ISCHR(mode) || S_ISBLK(mode)) return "naprava";
        if (S_ISSOCK(mode)) return "vtičnica";
        return "posebna datoteka";
    }

    int fd_ = -1;
};

std::unique_ptr<Workbook> openByContent(const std::string& path, const OpenedFile& file) {
    unsigned char magic[8] = {};
    const size_t got = file.readStart(magic, sizeof magic);
    const std::string source = file.readPath(path);

    static const unsigned char kCompound[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (got == 8 && std::memcmp(magic, kCompound, 8) == 0) return openXlsWorkbook(path, source);
    if (got >= 4 && magic[0] == 'P' && magic[1] == 'K' && magic[2] == 3 && magic[3] == 4) {
        auto archive = std::make_unique<ZipArchive>(path, source);
        if (archive->contains("xl/workbook.xml")) return openXlsxWorkbook(path, std::move(archive));
        if (archive->contains("content.xml")) return openOdsWorkbook(path, std::move(archive));
        throw WorkbookError("Excel datoteka " + path +
                            " je arhiv zip, a ne delovni zvezek .xlsx ali .ods");
    }
    const std::string extension = lowerExtension(path);
    if (extension == ".csv" || extension == ".txt" || extension == ".tsv")
        return openCsvWorkbook(path, source);
    throw WorkbookError("Datoteka " + path +
                        " ni delovni zvezek (.xls, .xlsx, .ods) ne besedilna datoteka .csv");
}

} // namespace

std::unique_ptr<Workbook> openWorkbook(const std::string& path) {
    OpenedFile file(path);
    std::unique_ptr<Workbook> workbook = openByContent(path, file);
    workbook->holdFile(file.release());
    return workbook;
}

} // namespace orv::sheet
