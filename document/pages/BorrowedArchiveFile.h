#pragma once
// Lends an archive file to the resource manager for one open-to-close span without giving it
// away: closing only ends the loan, so the lender can still adopt or drop the file after.
#include "engine/resources/ArchiveFile.h"

namespace Ostrel {

class BorrowedArchiveFile : public ArchiveFile {
public:
    explicit BorrowedArchiveFile(ArchiveFile& file) : file_(file) {}
    EngineErr read(u32 offset, void* buffer, u32 count) override { return file_.read(offset, buffer, count); }
    EngineErr write(u32 offset, const void* data, u32 count) override { return file_.write(offset, data, count); }
    EngineErr setLength(u32 length) override { return file_.setLength(length); }
    u32 length() override { return file_.length(); }
    EngineErr sync() override { return file_.sync(); }
    bool replaceable() const override { return file_.replaceable(); }
    EngineErr createReplacement(std::unique_ptr<ArchiveFile>* replacement) override {
        return file_.createReplacement(replacement);
    }
    EngineErr adoptReplacement(std::unique_ptr<ArchiveFile> replacement) override {
        return file_.adoptReplacement(std::move(replacement));
    }
    EngineErr syncName() override { return file_.syncName(); }
    EngineErr lock(u32 timeoutMs) override { return file_.lock(timeoutMs); }
    void unlock() override { file_.unlock(); }
    bool isSameFile(const ArchiveFile& other) const override { return &other == this || file_.isSameFile(other); }
    bool isAt(const Path* path) const override { return file_.isAt(path); }
    EngineErr close(bool) override { return kErrNone; }

private:
    ArchiveFile& file_;
};

}  // namespace Ostrel
