#pragma once
// An archive file in memory for tests: shared bytes that outlive the manager's object, and
// a budget of successful writes after which every write and every growth fails, as on a
// full disk (which still lets a file be cut shorter).
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/resources/ArchiveFile.h"

namespace testres {

constexpr EngineErr kFakeWriteFault = 10399;

struct FileImage {
    std::vector<u8> bytes;
    long writesLeft = -1;  // -1: unlimited
    int locks = 0;
    bool closed = false;
    std::function<void()> onRead;  // e.g. lets a fake clock move as the disc turns
    std::function<void()> onLock;  // e.g. lets another engine thread run while one waits
};

class MemoryArchiveFile : public ArchiveFile {
public:
    MemoryArchiveFile(std::shared_ptr<FileImage> image, std::string name) : image_(std::move(image)), name_(std::move(name)) {}

    EngineErr read(u32 offset, void* buffer, u32 count) override {
        if (image_->onRead) image_->onRead();
        if (u64(offset) + count > image_->bytes.size()) return kFakeWriteFault;
        std::memcpy(buffer, image_->bytes.data() + offset, count);
        return kErrNone;
    }
    EngineErr write(u32 offset, const void* data, u32 count) override {
        if (!spend()) return kFakeWriteFault;
        if (u64(offset) + count > image_->bytes.size()) image_->bytes.resize(size_t(offset) + count);
        std::memcpy(image_->bytes.data() + offset, data, count);
        return kErrNone;
    }
    EngineErr setLength(u32 length) override {
        if (length > image_->bytes.size() && !spend()) return kFakeWriteFault;
        image_->bytes.resize(length);
        return kErrNone;
    }
    u32 length() override { return u32(image_->bytes.size()); }
    EngineErr lock(u32) override {
        if (image_->onLock) image_->onLock();
        ++image_->locks;
        return kErrNone;
    }
    void unlock() override { --image_->locks; }
    bool isSameFile(const ArchiveFile& other) const override {
        auto* same = dynamic_cast<const MemoryArchiveFile*>(&other);
        return same != nullptr && same->name_ == name_;
    }
    EngineErr close(bool) override {
        image_->closed = true;
        return kErrNone;
    }

private:
    bool spend() {
        if (image_->writesLeft == 0) return false;
        if (image_->writesLeft > 0) --image_->writesLeft;
        return true;
    }

    std::shared_ptr<FileImage> image_;
    std::string name_;
};

}  // namespace testres
