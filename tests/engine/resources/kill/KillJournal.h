#pragma once
// The record that the kill test's editor keeps of what it committed: the digest of the
// archive's content and the profile's counter as the last finished commit left them, and what the commit under
// way (if any) is making of them. Written whole to a new file, flushed and moved over the old
// one, so that a kill leaves either the old or the new record.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "tests/engine/resources/ArchiveContent.h"

namespace killtest {

// A resource's size and a 64-bit FNV-1a digest of its bytes: enough to tell contents apart.
using Digest = std::map<std::pair<FourCC, u16>, std::pair<size_t, u64>>;

inline Digest digestOf(const testres::ArchiveContent& content) {
    Digest digest;
    for (const auto& [key, bytes] : content) {
        u64 hash = 14695981039346656037ull;
        for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
        digest[key] = {bytes.size(), hash};
    }
    return digest;
}

struct Snapshot {
    Digest archive;
    long counter = 0;
    bool operator==(const Snapshot&) const = default;
};

struct Journal {
    Snapshot committed;
    std::optional<Snapshot> pending;
};

inline void writeSnapshot(std::ostream& out, const Snapshot& s) {
    out << s.counter << ' ' << s.archive.size() << '\n';
    for (const auto& [key, value] : s.archive)
        out << key.first << ' ' << key.second << ' ' << value.first << ' ' << value.second << '\n';
}

inline bool readSnapshot(std::istream& in, Snapshot* s) {
    size_t count = 0;
    if (!(in >> s->counter >> count)) return false;
    s->archive.clear();
    for (size_t i = 0; i < count; ++i) {
        FourCC type = 0;
        u16 id = 0;
        size_t size = 0;
        u64 hash = 0;
        if (!(in >> type >> id >> size >> hash)) return false;
        s->archive[{type, id}] = {size, hash};
    }
    return true;
}

inline bool writeJournal(const std::string& path, const Journal& journal) {
    std::ostringstream text;
    writeSnapshot(text, journal.committed);
    text << (journal.pending ? 1 : 0) << '\n';
    if (journal.pending) writeSnapshot(text, *journal.pending);
    const std::string temporary = path + ".new";
    const std::string bytes = text.str();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()) && ::fsync(fd) == 0;
    ::close(fd);
    return written && std::rename(temporary.c_str(), path.c_str()) == 0;
}

// No journal yet: nothing was committed, the archive may not exist.
inline bool readJournal(const std::string& path, Journal* journal) {
    std::ifstream in(path);
    if (!in) return false;
    int hasPending = 0;
    if (!readSnapshot(in, &journal->committed) || !(in >> hasPending)) return false;
    journal->pending.reset();
    if (hasPending) {
        Snapshot pending;
        if (!readSnapshot(in, &pending)) return false;
        journal->pending = pending;
    }
    return true;
}

}  // namespace killtest
