#include "gui/print/DescriptorDevice.h"

#include <cerrno>
#include <unistd.h>

namespace orv::gui {

namespace {

// The PDF writer writes many small pieces; they go out in blocks of this size.
constexpr size_t kBlock = 64 * 1024;

} // namespace

DescriptorDevice::DescriptorDevice(int descriptor) : descriptor_(descriptor) {
    buffer_.reserve(kBlock);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

DescriptorDevice::~DescriptorDevice() {
    flush();
}

qint64 DescriptorDevice::readData(char*, qint64) {
    return -1;
}

bool DescriptorDevice::writeOut(const char* data, size_t size) {
    while (size > 0 && failure_ == 0) {
        const ssize_t written = ::write(descriptor_, data, size);
        if (written < 0) {
            if (errno != EINTR) failure_ = errno;
            continue;
        }
        // A write that takes nothing would repeat for ever; it counts as a full device.
        if (written == 0) failure_ = ENOSPC;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return failure_ == 0;
}

qint64 DescriptorDevice::writeData(const char* data, qint64 size) {
    if (failure_ != 0) return -1;
    const size_t count = static_cast<size_t>(size);
    if (buffer_.size() + count > kBlock && !flush()) return -1;
    if (count >= kBlock) return writeOut(data, count) ? size : -1;
    buffer_.insert(buffer_.end(), data, data + count);
    return size;
}

bool DescriptorDevice::flush() {
    const bool written = writeOut(buffer_.data(), buffer_.size());
    buffer_.clear();
    return written;
}

} // namespace orv::gui
