#pragma once
// An archive file in memory for tests: shared bytes that outlive the manager's object, and
// a budget of changes (writes, length changes, adopting a replacement) after which every
// change fails, as when the process is killed there: the bytes then stay as the kill left
// them. `durable` holds the bytes as of the last flush, which is what a power loss keeps.
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
    std::vector<u8> durable;
    long writesLeft = -1;  // -1: unlimited
    // The one change that fails, as on a full disk, a write landing half its bytes; later
    // ones succeed again. -1: none.
    long failingChange = -1;
    long changesMade = 0;
    // A replacement spends the budget of the file it is to replace.
    std::shared_ptr<FileImage> budgetOwner;
    int locks = 0;
    bool closed = false;
    int replacementsMade = 0;
    bool nameSyncFails = false;  // making an adoption last fails, as a folder flush may
    bool folderTakesNoFile = false;  // a replacement cannot be made, as in a write-protected folder
    std::function<void()> onRead;  // e.g. lets a fake clock move as the disc turns
    std::function<void()> onLock;  // e.g. lets another engine thread run while one waits

    bool spend() {
        if (budgetOwner) return budgetOwner->spend();
        if (changesMade++ == failingChange) return false;
        if (writesLeft == 0) return false;
        if (writesLeft > 0) --writesLeft;
        return true;
    }
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
        if (!image_->spend()) {
            if (owner().failingChange + 1 == owner().changesMade) place(offset, data, count / 2);
            return kFakeWriteFault;
        }
        place(offset, data, count);
        return kErrNone;
    }
    EngineErr setLength(u32 length) override {
        if (!image_->spend()) return kFakeWriteFault;
        image_->bytes.resize(length);
        return kErrNone;
    }
    u32 length() override { return u32(image_->bytes.size()); }
    EngineErr sync() override {
        image_->durable = image_->bytes;
        return kErrNone;
    }
    bool replaceable() const override { return true; }
    EngineErr createReplacement(std::unique_ptr<ArchiveFile>* replacement) override {
        if (image_->folderTakesNoFile) return kFakeWriteFault;
        auto image = std::make_shared<FileImage>();
        image->budgetOwner = image_->budgetOwner ? image_->budgetOwner : image_;
        ++image_->replacementsMade;
        *replacement = std::make_unique<MemoryArchiveFile>(image, name_ + ".tmp");
        return kErrNone;
    }
    // Moving the replacement over this file is one change; the replacement is flushed first,
    // but a power loss brings back the old file until the move is made to last.
    EngineErr adoptReplacement(std::unique_ptr<ArchiveFile> replacement) override {
        auto* written = dynamic_cast<MemoryArchiveFile*>(replacement.get());
        if (written == nullptr || !image_->spend()) return kFakeWriteFault;
        image_->bytes = written->image_->bytes;
        return kErrNone;
    }
    EngineErr syncName() override {
        if (image_->nameSyncFails) return kFakeWriteFault;
        image_->durable = image_->bytes;
        return kErrNone;
    }
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
    FileImage& owner() const { return image_->budgetOwner ? *image_->budgetOwner : *image_; }
    void place(u32 offset, const void* data, u32 count) {
        if (u64(offset) + count > image_->bytes.size()) image_->bytes.resize(size_t(offset) + count);
        std::memcpy(image_->bytes.data() + offset, data, count);
    }

    std::shared_ptr<FileImage> image_;
    std::string name_;
};

}  // namespace testres
