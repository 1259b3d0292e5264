#pragma once
// An archive's file as the OS services open it: reads are positioned reads, writes a seek and
// a transfer made under the file's engine mutex, which is also the archive's file lock. A
// replacement is written under the archive's name with kOsReplacementSuffix added.
#include "engine/files/OsFiles.h"
#include "engine/resources/ArchiveFile.h"

class OsArchiveFile : public ArchiveFile {
public:
    // Takes over the open file and shares the path.
    OsArchiveFile(OsFile* file, const Path* path);
    ~OsArchiveFile() override;

    EngineErr read(u32 offset, void* buffer, u32 count) override;
    EngineErr write(u32 offset, const void* data, u32 count) override;
    EngineErr setLength(u32 length) override;
    u32 length() override;
    EngineErr sync() override;
    bool replaceable() const override;
    EngineErr createReplacement(std::unique_ptr<ArchiveFile>* replacement) override;
    EngineErr adoptReplacement(std::unique_ptr<ArchiveFile> replacement) override;
    EngineErr syncName() override;
    EngineErr lock(u32 timeoutMs) override;
    void unlock() override;
    bool isSameFile(const ArchiveFile& other) const override;
    bool isAt(const Path* path) const override;
    EngineErr close(bool force) override;

private:
    EngineErr seek(u32 offset);
    // Closes and removes a replacement that was not adopted.
    void discard();

    OsFile* file_;
    Path path_;
    bool replacement_ = false;  // not yet adopted: removed when dropped
};
