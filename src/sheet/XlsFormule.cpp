#include "sheet/XlsFormule.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <cstdint>
#include <memory>

namespace orv::sheet {

namespace {

// BIFF record types.
constexpr uint16_t kBof = 0x0809;
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kBoundSheet = 0x0085;
constexpr uint16_t kFormula = 0x0006;

struct GObjectRelease {
    void operator()(void* object) const {
        if (object) g_object_unref(object);
    }
};
template <typename T> using GsfPointer = std::unique_ptr<T, GObjectRelease>;

uint16_t u16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The whole record stream of the workbook ("Workbook" in BIFF8, "Book" in BIFF5).
std::vector<uint8_t> recordStream(const std::string& path) {
    gsf_init();
    GsfPointer<GsfInput> file(gsf_input_stdio_new(path.c_str(), nullptr));
    if (!file) return {};
    GsfPointer<GsfInfile> compound(gsf_infile_msole_new(file.get(), nullptr));
    if (!compound) return {};
    GsfPointer<GsfInput> stream(gsf_infile_child_by_name(compound.get(), "Workbook"));
    if (!stream) stream.reset(gsf_infile_child_by_name(compound.get(), "Book"));
    if (!stream) return {};
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size <= 0 || size > (1 << 30)) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!gsf_input_read(stream.get(), bytes.size(), bytes.data())) return {};
    return bytes;
}

} // namespace

std::vector<std::pair<int, int>> xlsFormule(const std::string& path) {
    const std::vector<uint8_t> stream = recordStream(path);
    const size_t size = stream.size();
    // The workbook globals name each sheet with the offset of its records; the first is the
    // sheet that FreeXL reads.
    size_t sheet = 0;
    for (size_t at = 0; at + 4 <= size;) {
        const uint16_t type = u16(&stream[at]);
        const uint16_t length = u16(&stream[at + 2]);
        if (at + 4 + length > size) return {};
        if (type == kBoundSheet && length >= 4) {
            sheet = u32(&stream[at + 4]);
            break;
        }
        if (type == kEof) break;
        at += 4 + length;
    }
    std::vector<std::pair<int, int>> cells;
    if (sheet == 0 || sheet + 4 > size || u16(&stream[sheet]) != kBof) return cells;
    for (size_t at = sheet; at + 4 <= size;) {
        const uint16_t type = u16(&stream[at]);
        const uint16_t length = u16(&stream[at + 2]);
        if (at + 4 + length > size) break;
        if (type == kFormula && length >= 4)
            cells.emplace_back(u16(&stream[at + 4]) + 1, u16(&stream[at + 6]) + 1);
        if (type == kEof) break;
        at += 4 + length;
    }
    return cells;
}

} // namespace orv::sheet
