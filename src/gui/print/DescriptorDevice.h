#pragma once
// A write-only Qt device over an open file descriptor: Qt's PDF writer writes through it, every
// write is checked, and the first failure is kept with the system's error number so that the
// caller can tell a full disk from a closed pipe. The descriptor stays open and belongs to the
// caller, who syncs and closes it.

#include <QIODevice>

#include <vector>

namespace orv::gui {

class DescriptorDevice : public QIODevice {
public:
    explicit DescriptorDevice(int descriptor);
    ~DescriptorDevice() override;

    bool isSequential() const override { return true; }
    /// Writes out what is buffered; false after any failed write.
    bool flush();
    /// The error number of the first failed write, 0 when every write succeeded.
    int failure() const { return failure_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool writeOut(const char* data, size_t size);

    int descriptor_;
    std::vector<char> buffer_;
    int failure_ = 0;
};

} // namespace orv::gui
