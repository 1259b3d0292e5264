// The editor that the kill test starts and kills. Given a folder, a seed and a number of
// microseconds, it first checks what an earlier, killed editor left there against that
// editor's journal, then edits the folder's archive and profile in a loop, committing and
// journalling each step, until a timer kills it with SIGKILL after that many microseconds.
//
// Exit codes: 0 never (only the kill ends the loop), 1 the check failed, 2 setting up
// failed, 3 an edit or commit failed while nothing stopped it.
#include <signal.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"
#include "platform/drives/Drives.h"
#include "tests/engine/resources/ArchiveContent.h"
#include "tests/engine/resources/kill/KillJournal.h"
#include "tests/engine/resources/kill/KillTimer.h"

namespace {

using killtest::Journal;
using testres::ArchiveContent;

// What the editor keeps in memory: the archive's whole content.
struct State {
    ArchiveContent archive;
    long counter = 0;
    killtest::Snapshot snapshot() const { return {killtest::digestOf(archive), counter}; }
};

const FourCC kText = fourCC("tTXT");
const FourCC kPicture = fourCC("tBMP");
constexpr u16 kIdPool = 12;

[[noreturn]] void fail(int code, const std::string& why) {
    std::fprintf(stderr, "kill child: %s\n", why.c_str());
    std::_Exit(code);
}

class Folder {
public:
    explicit Folder(const std::string& host) : host_(host) {
        pathFromText(&archive_, "T:\\picture.kvr");
        pathFromText(&profile_, "T:\\settings.ini");
    }
    ~Folder() {
        pathRelease(&archive_);
        pathRelease(&profile_);
    }
    Path* archive() { return &archive_; }
    Path* profile() { return &profile_; }
    std::string journal() const { return host_ + "/journal"; }
    bool exists(const std::string& name) const { return std::filesystem::exists(host_ + "/" + name); }

private:
    std::string host_;
    Path archive_{};
    Path profile_{};
};

long counterOf(Folder& folder) {
    char text[32];
    if (iniGetString(folder.profile(), "Kill", "Count", text, sizeof text, "none") != kErrNone) return -1;
    return std::strtol(text, nullptr, 10);
}

// The resources whose sizes or bytes differ, for the report.
std::string differences(const killtest::Snapshot& found, const killtest::Snapshot& expected) {
    std::string text = " (counter " + std::to_string(expected.counter) + "):";
    auto describe = [](const killtest::Digest& digest, std::pair<FourCC, u16> key) {
        const auto it = digest.find(key);
        return it == digest.end() ? std::string("none") : std::to_string(it->second.first) + " bytes";
    };
    killtest::Digest all = found.archive;
    all.insert(expected.archive.begin(), expected.archive.end());
    for (const auto& [key, value] : all) {
        const auto a = found.archive.find(key);
        const auto b = expected.archive.find(key);
        if (a != found.archive.end() && b != expected.archive.end() && a->second == b->second) continue;
        text += " id " + std::to_string(key.second) + (key.first == kText ? "t" : "p") + " holds " +
                describe(found.archive, key) + " for " + describe(expected.archive, key) + ";";
    }
    return text;
}

// What the folder holds now, with the stale replacements that opening removes gone.
State check(Folder& folder) {
    Journal journal;
    const bool journalled = folder.exists("journal");
    if (journalled && !killtest::readJournal(folder.journal(), &journal)) fail(1, "the journal is damaged");
    State state;
    state.counter = counterOf(folder);
    if (folder.exists("picture.kvr")) {
        const ResMapHandle map = resOpenFile(folder.archive(), 0, 0);
        if (map == 0) fail(1, "the archive does not open: " + std::to_string(resGetLastError()));
        state.archive = testres::contentOfArchive(map, {kText, kPicture});
        if (resCloseFile(map, 0, 0) != kErrNone) fail(1, "the archive does not close");
    } else if (journalled) {
        fail(1, "the archive is gone");
    }
    // Without an archive nothing looks beside it until the next creation, which then must.
    const bool staleArchive = folder.exists("picture.kvr") && folder.exists("picture.kvr.~tumblo.tmp");
    if (staleArchive || folder.exists("settings.ini.~tumblo.tmp")) fail(1, "a stale replacement stayed");
    const killtest::Snapshot found = state.snapshot();
    if (found == journal.committed) return state;
    if (journal.pending && found.archive == journal.pending->archive && found.counter == journal.committed.counter) {
        return state;  // killed between the archive's commit and the profile's
    }
    if (journal.pending && found == *journal.pending) return state;
    fail(1, "the archive or the profile holds what was never committed: counter " + std::to_string(found.counter) +
                ", against the last commit" + differences(found, journal.committed) +
                (journal.pending ? "; against the one under way" + differences(found, *journal.pending) : ""));
}

std::string randomBytes(std::mt19937& random, size_t size) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = char(random() & 0xFF);
    return bytes;
}

size_t randomSize(std::mt19937& random) {
    // Now and then more than the room kept past the end for moved bytes.
    return random() % 16 == 0 ? 70000 + random() % 40000 : random() % 3000;
}

void must(EngineErr err, const char* what) {
    if (err != kErrNone) fail(3, std::string(what) + " failed: " + std::to_string(err));
}

// One random edit, made to the archive and to the model of its content. A resource whose
// handle was given new content is left alone until the commit writes that content over
// whatever reached the file meanwhile.
void edit(std::mt19937& random, ArchiveContent& model, std::set<std::pair<FourCC, u16>>& replaced) {
    const FourCC type = random() % 3 == 0 ? kPicture : kText;
    const u16 id = u16(1 + random() % kIdPool);
    const auto key = std::make_pair(type, id);
    if (replaced.count(key)) return;
    const ResourceRef ref = resFindResource(type, id, 0);
    if (ref == 0) {
        if (resAddResource(type, id, random() % 2 ? nullptr : ("n" + std::to_string(id)).c_str()) == 0)
            fail(3, "adding failed");
        const std::string bytes = randomBytes(random, randomSize(random));
        must(resWriteResource(resFindResource(type, id, 0), bytes.data(), u32(bytes.size()), kResAppend), "writing");
        model[key] = bytes;
        return;
    }
    std::string& bytes = model[key];
    switch (random() % 5) {
        case 0: {  // over part of what it holds
            if (bytes.empty()) return;
            const size_t at = random() % bytes.size();
            const std::string part = randomBytes(random, 1 + random() % (bytes.size() - at));
            must(resWriteResource(ref, part.data(), u32(part.size()), u32(at)), "overwriting");
            bytes.replace(at, part.size(), part);
            return;
        }
        case 1: {  // at its end
            const std::string part = randomBytes(random, 1 + random() % 2000);
            must(resWriteResource(ref, part.data(), u32(part.size()), kResAppend), "appending");
            bytes += part;
            return;
        }
        case 2: {  // past its end
            const size_t at = bytes.size() + 1 + random() % 100;
            const std::string part = randomBytes(random, 1 + random() % 100);
            must(resWriteResource(ref, part.data(), u32(part.size()), u32(at)), "writing past the end");
            bytes.resize(at, '\0');
            bytes += part;
            return;
        }
        case 3: {  // through its handle
            // An empty resource hands out a handle of its own that is not attached to it.
            if (bytes.empty()) return;
            const memHandle handle = resLoadResource(ref, 0);
            if (handle == 0) fail(3, "loading failed");
            const std::string whole = randomBytes(random, randomSize(random));
            must(memResizeHandle(handle, u32(whole.size())), "resizing");
            if (!whole.empty()) std::memcpy(memDerefHandle(handle), whole.data(), whole.size());
            if (resSetResourceAttr(ref, 1) < 0) fail(3, "marking failed");
            bytes = whole;
            replaced.insert(key);
            return;
        }
        default:
            must(resRemoveResource(ref), "removing");
            model.erase(key);
            return;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) fail(2, "usage: folder seed microseconds");
    const std::string host = argv[1];
    std::mt19937 random(u32(std::strtoul(argv[2], nullptr, 10)));
    const long delay = std::strtol(argv[3], nullptr, 10);
    plat::FakeDrive drive('T', plat::FakeDisc{host, "KILL", 4242, "ext4"}, plat::DriveType::Fixed);
    if (osmInit(nullptr) != kErrNone || osInit() != kErrNone || memInit(0, 512) != kErrNone || iniInit() != kErrNone ||
        resInit() != kErrNone) {
        fail(2, "the services do not start");
    }
    Folder folder(host);
    State current = check(folder);
    if (delay < 0) return 0;  // a check only

    if (!armKillTimer(delay)) fail(2, "no kill timer");
    if (!folder.exists("picture.kvr")) {
        must(resCreateFile(folder.archive()), "creating");
        if (folder.exists("picture.kvr.~tumblo.tmp")) fail(1, "creating left a replacement behind");
    }
    ResMapHandle map = resOpenFile(folder.archive(), 0, 0);
    if (map == 0) fail(3, "opening failed");
    for (;;) {
        State next = current;
        const int edits = 1 + int(random() % 4);
        std::set<std::pair<FourCC, u16>> replaced;
        for (int i = 0; i < edits; ++i) edit(random, next.archive, replaced);
        ++next.counter;
        if (!killtest::writeJournal(folder.journal(), Journal{current.snapshot(), next.snapshot()})) fail(3, "journalling failed");
        const u32 commit = random() % 4;
        if (commit <= 1) {
            must(resUpdateFile(map), "updating");
        } else {
            must(resCloseFile(map, commit == 3 ? 1 : 0, 0), "closing");
            map = resOpenFile(folder.archive(), 0, 0);
            if (map == 0) fail(3, "reopening failed");
        }
        must(iniWriteString(folder.profile(), "Kill", "Count", std::to_string(next.counter).c_str()), "the profile");
        if (!killtest::writeJournal(folder.journal(), Journal{next.snapshot(), std::nullopt})) fail(3, "journalling failed");
        current = next;
    }
}
