#pragma once
// Where an export writes, and how: the file appears whole or not at all, and nothing is written
// where it must not be.
//
// * A path that does not exist, or a regular file: the export goes into a new file of a random
//   name in the same folder, created exclusively and never through a symbolic link, which takes
//   the path's place (rename) only when everything was written and synced to the disk. A
//   replaced file's permissions are kept (and its owner, where the user may give it away). An
//   existing file that the user may not write is refused, as cp refuses it.
// * A symbolic link to a regular file: the file it points to is replaced in the same way, in that
//   file's own folder; the link stays as it is. A link that points to nothing is refused.
// * A device or a FIFO, or a link to one: written directly, every write checked; there is nothing
//   to rename.
// An output that is not confirmed (a failure, an exception) is removed.

#include <cstdio>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace orv {

class VarnaDatoteka {
public:
    /// Looks at what stands at `pot` and opens the output: the temporary file beside the file to
    /// be replaced (its name ends in `koncnica`), or the device. Throws IzvozError with a message
    /// for the operator when the folder is missing or cannot be written, the file may not be
    /// written, or the path names a folder or a link to nothing.
    explicit VarnaDatoteka(std::string pot, const std::string& koncnica = ".tmp");
    ~VarnaDatoteka();
    VarnaDatoteka(const VarnaDatoteka&) = delete;
    VarnaDatoteka& operator=(const VarnaDatoteka&) = delete;

    const std::string& pot() const { return pot_; }
    /// True when the output is a device or a FIFO, written directly.
    bool neposredno() const { return neposredno_; }

    /// The stream into the output, for writers that write from the start to the end.
    std::FILE* odpri();
    /// Writes `bytes` into the stream; throws IzvozError when not all of them were written.
    void pisi(std::string_view bytes);

    /// A path in a folder of this export's own (mode 0700, a random name, beside the output) for
    /// a library that creates its file by name and seeks in it. At zapri() the file's bytes
    /// become the output; the folder is removed with this object.
    const std::string& delovnaPot();

    /// Throws IzvozError for a working file that the library left incomplete without saying
    /// why: with a full disk's message when the working folder's disk is (nearly) full.
    [[noreturn]] void delovnaNepopolna() const;

    /// Completes the output: writes out the stream, copies the working file, syncs the file to
    /// the disk and checks that its size is what was written. Throws IzvozError naming the path
    /// and the system's reason.
    void zapri();
    /// zapri(), then the new file takes the place of the path.
    void potrdi();

    /// The operator's message for a failed write with `errno` value `napaka`.
    std::string sporociloNapake(int napaka) const;

private:
    void odpriNadomestno(const std::string& cilj, bool obstaja, const struct stat& stara);
    void odpriNapravo();
    void prepisiDelovno();
    void odstraniDelovno();

    std::string pot_; // as the caller gave it
    std::string koncnica_;
    std::string cilj_;        // the regular file the output replaces (a link resolved)
    std::string zacasna_;     // the temporary file beside cilj_
    std::string delovnaMapa_; // the working folder, when one was asked for
    std::string delovna_;
    int fd_ = -1;
    std::FILE* file_ = nullptr;
    bool neposredno_ = false;
    bool obstaja_ = false; // cilj_ is an existing file, whose permissions the output takes
    struct stat stara_ {}; // that file as it was
    dev_t naprava_ = 0;    // the temporary file as it was created
    ino_t inode_ = 0;
    bool zaprta_ = false;
    bool pokvarjena_ = false; // a write failed: the output may never be confirmed
    bool potrjena_ = false;
    off_t zapisano_ = 0; // bytes copied from the working file
};

/// Writes `besedilo` to `pot` as it is, through a VarnaDatoteka.
void zapisiBesedilo(const std::string& pot, const std::string& besedilo);

} // namespace orv
