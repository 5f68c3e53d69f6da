// Where an export writes: devices and FIFOs directly, files only through a temporary file of an
// unforeseeable name that is never a link, links to the file they point to, never over a file
// the user may not write, and a full disk or a folder that cannot be written is an error that
// names the path and the system's reason. The probes that need root (devices, other users, a
// small disk) are skipped with the reason otherwise.

#include "export/ExportFixture.h"
#include "export/Izvoz.h"
#include "export/IzvozError.h"
#include "export/VarnaDatoteka.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orv::test {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

const char* const kAllFormats[] = {"dbf", "db", "txt", "xlsx", "csv", "odlozisce", "pdf"};

struct SafeOutput : ::testing::Test {
    TestBank bank;

    void SetUp() override {
        bank.exec("INSERT INTO POD_ORVEL (DAT_STANJE, POGODBA, ZNESEK_VAL, VKNT, OPOMBA) VALUES "
                  "('31.12.2024', 'P-1', 100.5, 'A', 'rek \"x\"'),"
                  "('31.12.2024', 'P-2', -3, '7', NULL)");
    }

    CommandResult run(const std::string& format, const std::string& target) const {
        const fs::path sql(ORVELNOST_SQL_PROGRAM);
        return runCommand((sql.parent_path() / "orvelnost-izvoz").string() +
                          " ORVDEMO OPERATER demo --dan 31.12.2024 --oblika " + format + " '" +
                          target + "'");
    }
    std::string file(const std::string& name) const { return bank.folder() + "/" + name; }
};

mode_t modeOf(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return 0;
    return info.st_mode;
}

// Runs `work` in a child process as the user nobody, who may pass through `folder` (the test's
// own, private to its owner) to what the test prepared in it; returns its exit code.
int asNobody(const std::string& folder, const std::function<int()>& work) {
    ::chmod(folder.c_str(), 0711);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
            ::setresuid(kNobody, kNobody, kNobody) != 0)
            ::_exit(90);
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Reads a FIFO whole in a thread while an export writes into it.
class FifoReader {
public:
    explicit FifoReader(std::string path)
        : path_(std::move(path)), thread_([this] { bytes_ = readBytes(path_); }) {}
    ~FifoReader() { finish(); }
    FifoReader(const FifoReader&) = delete;
    FifoReader& operator=(const FifoReader&) = delete;
    const std::string& finish() {
        if (thread_.joinable()) {
            // A writer that never came would leave the reader waiting in its open.
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            thread_.join();
        }
        return bytes_;
    }

private:
    std::string path_;
    std::string bytes_;
    std::thread thread_;
};

TEST_F(SafeOutput, AFifoIsWrittenDirectlyWithTheWholeExport) {
    ASSERT_EQ(::mkfifo(file("cev").c_str(), 0600), 0);
    fs::create_symlink(file("cev"), file("povezava-na-cev"));
    for (const char* format : {"csv", "dbf", "txt"}) {
        ASSERT_EQ(run(format, file(std::string("prava.") + format)).exitCode, 0) << format;
        for (const char* target : {"cev", "povezava-na-cev"}) {
            FifoReader reader(file("cev"));
            const auto result = run(format, file(target));
            EXPECT_EQ(result.exitCode, 0) << format << " " << target << ": " << result.err;
            EXPECT_EQ(reader.finish(), readBytes(file(std::string("prava.") + format)))
                << format << " " << target;
            EXPECT_TRUE(S_ISFIFO(modeOf(file("cev")))) << "the FIFO stays a FIFO";
            EXPECT_TRUE(S_ISLNK(modeOf(file("povezava-na-cev"))));
        }
    }
    EXPECT_FALSE(fs::exists(file("cev.sch"))) << "no schema file beside a FIFO";
}

TEST_F(SafeOutput, ADeviceIsWrittenDirectlyAndAFullOneIsAnError) {
    if (::geteuid() != 0) GTEST_SKIP() << "making a device with mknod needs root";
    // The kernel's null and full devices, made in the test's own folder.
    ASSERT_EQ(::mknod(file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << strerror(errno);
    ASSERT_EQ(::mknod(file("full").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0) << strerror(errno);
    for (const char* format : kAllFormats) {
        const auto written = run(format, file("null"));
        EXPECT_EQ(written.exitCode, 0) << format << ": " << written.err;
        const auto full = run(format, file("full"));
        EXPECT_EQ(full.exitCode, 1) << format;
        EXPECT_NE(full.err.find(file("full")), std::string::npos) << format << ": " << full.err;
        EXPECT_NE(full.err.find(std::strerror(ENOSPC)), std::string::npos)
            << format << ": " << full.err;
        for (const char* device : {"null", "full"})
            EXPECT_TRUE(S_ISCHR(modeOf(file(device))))
                << format << ": " << device << " must stay a device";
    }
    EXPECT_FALSE(fs::exists(file("null.sch"))) << "no schema file beside a device";
}

using SafeOutputInProcess = ExportFixture;

TEST_F(SafeOutputInProcess, AReplacedFileKeepsItsPermissions) {
    // Root may write any file, as cp does; others only those their permissions allow.
    const mode_t modes[] = {0640, 0604, 0600, 0664, 0444};
    for (const mode_t mode : modes) {
        const std::string path = file("m" + std::to_string(mode));
        std::ofstream(path) << "old";
        fs::permissions(path, static_cast<fs::perms>(mode));
        if (::geteuid() != 0 && (mode & 0200) == 0) continue;
        zapisiBesedilo(path, "new");
        EXPECT_EQ(readBytes(path), "new") << std::oct << mode;
        EXPECT_EQ(modeOf(path) & 07777, mode) << std::oct << mode;
    }
}

TEST_F(SafeOutputInProcess, AFileTheUserMayNotWriteIsRefusedAndStaysAsItWas) {
    const std::string folder = file("skupna");
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    const std::string path = folder + "/samo-za-branje.csv";
    std::ofstream(path) << "old";
    ::chmod(path.c_str(), 0444);
    const auto attempt = [&path]() {
        try {
            zapisiBesedilo(path, "new");
        } catch (const IzvozError& error) {
            return std::string(error.what()).find("ni dovoljeno pisati") != std::string::npos ? 0
                                                                                              : 2;
        }
        return 1;
    };
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
        EXPECT_EQ(asNobody(bank.folder(), attempt), 0)
            << "nobody's own 0444 file is refused to nobody";
    } else {
        EXPECT_EQ(attempt(), 0);
    }
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(modeOf(path) & 07777, 0444u);
    EXPECT_EQ(fs::directory_iterator(folder)->path(), path) << "nothing else is left there";
}

TEST_F(SafeOutputInProcess, PlantedLinksAtTemporaryNamesAreNeverFollowed) {
    open({"1, 'a', '05.01.2024', 1.5"});
    // A folder everybody may write into, and a file of the exporting user elsewhere.
    const std::string folder = file("skupna");
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all | fs::perms::sticky_bit);
    const std::string victim = file("zrtev");
    std::ofstream(victim) << "zrtev";
    const char* const extensions[] = {".dbf", ".db", ".txt", ".xlsx", ".csv", ".sch", ".tmp"};
    // Links under every name a temporary file of this process might take, planted by another
    // user when there is one.
    const auto plant = [&]() {
        for (const char* stem : {"t", "b"})
            for (int n = 1; n <= 40; ++n)
                for (const char* extension : extensions) {
                    const std::string name = folder + "/." + stem + ".izvoz" +
                                             std::to_string(::getpid()) + "-" + std::to_string(n) +
                                             extension;
                    if (::symlink(victim.c_str(), name.c_str()) != 0) return 1;
                }
        return 0;
    };
    if (::geteuid() == 0)
        ASSERT_EQ(asNobody(bank.folder(), plant), 0);
    else
        ASSERT_EQ(plant(), 0);
    const size_t planted = static_cast<size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));

    const std::pair<OblikaIzvoza, const char*> formats[] = {{OblikaIzvoza::DBase, "t.dbf"},
                                                            {OblikaIzvoza::Paradox, "t.db"},
                                                            {OblikaIzvoza::FiksniTekst, "t.txt"},
                                                            {OblikaIzvoza::Xlsx, "t.xlsx"},
                                                            {OblikaIzvoza::Csv, "t.csv"}};
    for (const auto& [format, name] : formats) {
        IzvoziTabelo(dm.Q1, allFields(), format, folder + "/" + name);
        EXPECT_TRUE(S_ISREG(modeOf(folder + "/" + name))) << name;
    }
    zapisiBesedilo(folder + "/b.txt", "besedilo");
    EXPECT_EQ(readBytes(victim), "zrtev");
    size_t links = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        links += entry.is_symlink() ? 1 : 0;
    EXPECT_EQ(links, planted) << "every planted link is still there, untouched";
}

TEST_F(SafeOutputInProcess, ALinkToAFileReplacesThatFileAndOtherTargetsAreRefused) {
    fs::create_directory(file("prava"));
    std::ofstream(file("prava/t.csv")) << "old";
    fs::permissions(file("prava/t.csv"), static_cast<fs::perms>(0640));
    fs::create_symlink(file("prava/t.csv"), file("povezava.csv"));
    zapisiBesedilo(file("povezava.csv"), "new");
    EXPECT_EQ(readBytes(file("prava/t.csv")), "new");
    EXPECT_EQ(modeOf(file("prava/t.csv")) & 07777, 0640u);
    EXPECT_TRUE(S_ISLNK(modeOf(file("povezava.csv")))) << "the link stays a link";
    EXPECT_EQ(fs::read_symlink(file("povezava.csv")), file("prava/t.csv"));

    struct Refused {
        std::string path;
        std::string message;
    };
    fs::create_symlink(file("nikamor/t.csv"), file("visi.csv"));
    fs::create_directory(file("mapa.csv"));
    const Refused cases[] = {
        {file("visi.csv"), "simbolna povezava na datoteko, ki ne obstaja"},
        {file("mapa.csv"), "je mapa"},
        {file("ni/t.csv"), "ne obstaja"},
    };
    for (const Refused& c : cases) {
        std::string message;
        try {
            zapisiBesedilo(c.path, "x");
        } catch (const IzvozError& error) {
            message = error.what();
        }
        EXPECT_NE(message.find(c.message), std::string::npos) << c.path << ": " << message;
        EXPECT_NE(message.find(c.path), std::string::npos) << message;
    }
    EXPECT_FALSE(fs::exists(file("nikamor"))) << "nothing is created through a dangling link";
    EXPECT_TRUE(fs::is_empty(file("mapa.csv")));
}

// A small disk of its own: a tmpfs mounted in the test's folder, nearly filled.
class SmallDisk {
public:
    explicit SmallDisk(std::string folder) : folder_(std::move(folder)) {
        fs::create_directory(folder_);
        mounted_ =
            std::system(("mount -t tmpfs -o size=64k orvelnost-test '" + folder_ + "' 2>/dev/null")
                            .c_str()) == 0;
    }
    /// Fills the disk up to its last few kilobytes.
    void fill() const { std::ofstream(folder_ + "/polnilo") << std::string(52 * 1024, 'x'); }
    ~SmallDisk() {
        if (mounted_) static_cast<void>(std::system(("umount '" + folder_ + "'").c_str()));
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

private:
    std::string folder_;
    bool mounted_ = false;
};

TEST_F(SafeOutput, AFullDiskIsAnErrorThatNamesThePathAndLeavesTheOldFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    SmallDisk disk(file("majhen"));
    if (!disk.mounted()) GTEST_SKIP() << "this machine does not let root mount a tmpfs";
    const char* const formats[] = {"pdf", "xlsx", "dbf"};
    for (const char* format : formats)
        std::ofstream(file(std::string("majhen/t.") + format)) << "old";
    disk.fill();
    for (const char* format : formats) {
        const std::string target = file(std::string("majhen/t.") + format);
        const auto result = run(format, target);
        EXPECT_EQ(result.exitCode, 1) << format;
        EXPECT_NE(result.err.find(target), std::string::npos) << format << ": " << result.err;
        EXPECT_NE(result.err.find(std::strerror(ENOSPC)), std::string::npos)
            << format << ": " << result.err;
        EXPECT_EQ(readBytes(target), "old") << format;
    }
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(file("majhen")))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"polnilo", "t.dbf", "t.pdf", "t.xlsx"}))
        << "no temporary file or folder is left behind";
}

TEST_F(SafeOutput, AFolderThatCannotBeWrittenIsNamedWithTheReason) {
    const std::string folder = file("zaprta");
    fs::create_directory(folder);
    ::chmod(folder.c_str(), 0555);
    for (const char* format : kAllFormats) {
        const auto result = ::geteuid() == 0 ? run(format, "/sys/t." + std::string(format))
                                             : run(format, folder + "/t." + format);
        EXPECT_EQ(result.exitCode, 1) << format;
        EXPECT_NE(result.err.find("ni mogoče pisati"), std::string::npos)
            << format << ": " << result.err;
    }
    ::chmod(folder.c_str(), 0755);
}

} // namespace
} // namespace orv::test
