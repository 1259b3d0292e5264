// libFuzzer target: any bytes read as a profile (the user's settings or a project's file, edited
// by hand or damaged) list their sections and keys and give every value, number and flag, and
// then take one change: a value replaced, a key or a section added or removed, two changes
// written at once, the profile emptied. After the change the file still reads; a key written
// reads back as written when its names and its value are ones a profile line can hold; every
// key the change did not touch keeps its value and no other key appears; a refused change
// leaves the file as it was; no temporary file stays beside it.
// Input: an operation byte, a pick byte (the section and key the change is about), the lengths
// of a name and of a value, the name, the value, then the profile's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "engine/ini/IniSection.h"
#include "engine/ini/IniText.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"

namespace {

constexpr size_t kHeaderBytes = 4;
constexpr u16 kListBytes = 65535;
// Each read scans the profile, so a profile of thousands of keys is read only this far.
constexpr size_t kMaxEntries = 256;
constexpr size_t kNumberChecks = 32;
constexpr char kCtrlZ = 0x1A;

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

struct Snapshot {
    std::vector<Entry> entries;
    bool complete = true;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A NUL-separated list as the module gives it: it ends at the first empty name.
std::vector<std::string> splitList(const std::vector<char>& list) {
    std::vector<std::string> names;
    for (size_t at = 0; at < list.size() && list[at];) {
        std::string name(&list[at]);
        at += name.size() + 1;
        names.push_back(std::move(name));
    }
    return names;
}

bool seen(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
        if (iniNamesEqual(n, name)) return true;
    return false;
}

std::string valueOf(const Path* profile, const std::string& section, const std::string& key, EngineErr* error) {
    std::vector<char> value(kListBytes);
    *error = iniGetString(profile, section.c_str(), key.c_str(), value.data(), kListBytes, "");
    return value.data();
}

// The numbers and flags of a key agree with one another, whatever its text.
void checkNumbers(const Path* profile, const Entry& e) {
    const char* s = e.section.c_str();
    const char* k = e.key.c_str();
    i32 wide = 0;
    if (iniGetLong(profile, s, k, &wide, INT32_MIN, INT32_MAX) == kErrNone) {
        i16 narrow = 0;
        const EngineErr error = iniGetShort(profile, s, k, &narrow, INT16_MIN, INT16_MAX);
        const bool fits = wide >= INT16_MIN && wide <= INT16_MAX;
        if (fits ? (error != kErrNone || narrow != wide) : error != kIniErrBadValue) std::abort();
    }
    u32 uwide = 0;
    if (iniGetULong(profile, s, k, &uwide, 0, UINT32_MAX) == kErrNone) {
        u16 unarrow = 0;
        const EngineErr error = iniGetUShort(profile, s, k, &unarrow, 0, UINT16_MAX);
        if (uwide <= UINT16_MAX ? (error != kErrNone || unarrow != uwide) : error != kIniErrBadValue) std::abort();
    }
    u16 flag = 0;
    const EngineErr read = iniGetBool(profile, s, k, &flag);
    if (read == kErrNone ? iniReadFlag(profile, s, k, !flag) != (flag != 0) : read != kIniErrBadValue) std::abort();
}

// Every key a reader reaches with its value: the first section of each name and in it the first
// key of each name, in file order. Nothing when the profile does not read.
std::optional<Snapshot> readAll(const Path* profile) {
    std::vector<char> list(kListBytes);
    if (iniGetString(profile, nullptr, nullptr, list.data(), kListBytes, "") != kErrNone) return std::nullopt;
    Snapshot snapshot;
    std::vector<std::string> sections;
    for (const std::string& section : splitList(list)) {
        if (seen(sections, section)) continue;
        sections.push_back(section);
        if (iniGetString(profile, section.c_str(), nullptr, list.data(), kListBytes, "") != kErrNone) std::abort();
        std::vector<std::string> keys;
        for (const std::string& key : splitList(list)) {
            if (seen(keys, key)) continue;
            if (snapshot.entries.size() == kMaxEntries) {
                snapshot.complete = false;
                return snapshot;
            }
            keys.push_back(key);
            EngineErr error = kErrNone;
            std::string value = valueOf(profile, section, key, &error);
            // A key listed is found, and its value ends with its line.
            if (error != kErrNone || value.find('\r') != std::string::npos) std::abort();
            snapshot.entries.push_back({section, key, std::move(value)});
            if (snapshot.entries.size() <= kNumberChecks) checkNumbers(profile, snapshot.entries.back());
        }
        // The section reader gives the same values, but for those too long for its buffer.
        for (const auto& [key, value] : iniReadSection(profile, section.c_str())) {
            bool found = false;
            for (const Entry& e : snapshot.entries)
                found = found || (e.section == section && iniNamesEqual(e.key, key) && e.value == value);
            if (!found && snapshot.complete) std::abort();
        }
    }
    return snapshot;
}

bool legalSection(const std::string& name) {
    return !name.empty() && name.find_first_of("\r]\x1A") == std::string::npos;
}

bool legalKey(const std::string& name) {
    return !name.empty() && name.find_first_of("\r=\x1A") == std::string::npos && !isBlank(name.front()) &&
           name.front() != ';' && name.front() != '[' && !isBlank(name.back());
}

bool legalValue(const std::string& value) {
    if (value.find_first_of("\r\x1A") != std::string::npos) return false;
    if (value.empty()) return true;
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return !isBlank(value.front()) && !isBlank(value.back()) && !quoted;
}

struct Change {
    const char* section;
    const char* key;
    const char* value;
};

struct Outcome {
    std::vector<Entry> written;      // set and read back when legal
    std::vector<Entry> touched;      // keys (or, with an empty key, sections) free to change
    bool emptied = false;
    bool anyDone = false;
    bool allLegal = true;  // then no key but those touched appears
};

bool isTouched(const Outcome& outcome, const Entry& e) {
    if (outcome.emptied) return true;
    for (const Entry& t : outcome.touched)
        if (iniNamesEqual(t.section, e.section) && (t.key.empty() || iniNamesEqual(t.key, e.key))) return true;
    return false;
}

void apply(const Path* profile, const Change& change, Outcome* outcome) {
    const EngineErr error = iniWriteString(profile, change.section, change.key, change.value);
    if (!change.section) {
        outcome->emptied = outcome->emptied || error == kErrNone;
    } else {
        outcome->touched.push_back({change.section, change.key ? change.key : "", ""});
    }
    if (error != kErrNone) return;
    outcome->anyDone = true;
    const bool legal = change.section && legalSection(change.section) && (!change.key || legalKey(change.key)) &&
                       (!change.value || legalValue(change.value));
    outcome->allLegal = outcome->allLegal && (legal || !change.section);
    if (legal && change.key && change.value) {
        std::erase_if(outcome->written, [&](const Entry& w) {
            return iniNamesEqual(w.section, change.section) && iniNamesEqual(w.key, change.key);
        });
        outcome->written.push_back({change.section, change.key, change.value});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Kept to the end: the services it started outlive the thread data they would stop with.
    // Its folder alone goes at exit.
    static ScratchProfile& scratch = *new ScratchProfile;
    static const int removal = std::atexit([] { std::filesystem::remove_all(scratch.folder()); });
    (void)removal;
    if (size < kHeaderBytes) return 0;
    const u8 op = data[0];
    const u8 pick = data[1];
    const size_t nameLength = std::min<size_t>(data[2], size - kHeaderBytes);
    const size_t valueLength = std::min<size_t>(data[3], size - kHeaderBytes - nameLength);
    const char* bytes = reinterpret_cast<const char*>(data);
    const std::string name(std::string(bytes + kHeaderBytes, nameLength).c_str());
    const std::string value(std::string(bytes + kHeaderBytes + nameLength, valueLength).c_str());
    const std::string original(bytes + kHeaderBytes + nameLength + valueLength, bytes + size);

    scratch.put(original);
    const Path* profile = scratch.path();
    const std::optional<Snapshot> before = readAll(profile);
    const std::vector<Entry> none;
    const std::vector<Entry>& entries = before ? before->entries : none;
    const Entry picked = entries.empty() ? Entry{name, name, ""} : entries[pick % entries.size()];

    Outcome outcome;
    switch (op % 8) {
    case 0: apply(profile, {picked.section.c_str(), picked.key.c_str(), value.c_str()}, &outcome); break;
    case 1: apply(profile, {picked.section.c_str(), name.c_str(), value.c_str()}, &outcome); break;
    case 2: apply(profile, {name.c_str(), "Key", value.c_str()}, &outcome); break;
    case 3: apply(profile, {picked.section.c_str(), picked.key.c_str(), nullptr}, &outcome); break;
    case 4: apply(profile, {picked.section.c_str(), nullptr, nullptr}, &outcome); break;
    case 5: apply(profile, {picked.section.c_str(), name.c_str(), nullptr}, &outcome); break;
    case 6: {
        // Two changes kept in memory, then written as one.
        const u16 previous = iniSetFlushMode(profile, 0);
        apply(profile, {picked.section.c_str(), picked.key.c_str(), value.c_str()}, &outcome);
        apply(profile, {name.c_str(), value.c_str(), name.c_str()}, &outcome);
        if (previous != kIniFlushModeUnknown) {
            iniSetFlushMode(profile, 1);
            if (iniGetLastError() != kErrNone) outcome.anyDone = false, outcome.written.clear();
        }
        break;
    }
    default: apply(profile, {nullptr, nullptr, nullptr}, &outcome); break;
    }

    // Whatever happened, no temporary file is left and the file reads as well as it did.
    if (scratch.files() != std::vector<std::string>{"fuzz.ini"}) std::abort();
    if (!outcome.anyDone) {
        if (scratch.onDisk() != original) std::abort();
        return 0;
    }
    if (!before) std::abort();  // a profile that does not read takes no change
    scratch.restart();
    const std::optional<Snapshot> after = readAll(profile);
    if (!after || (outcome.emptied && !after->entries.empty())) std::abort();
    for (const Entry& w : outcome.written) {
        EngineErr error = kErrNone;
        if (valueOf(profile, w.section, w.key, &error) != w.value || error != kErrNone) std::abort();
    }
    for (const Entry& e : before->entries) {
        if (isTouched(outcome, e)) continue;
        EngineErr error = kErrNone;
        if (valueOf(profile, e.section, e.key, &error) != e.value || error != kErrNone) std::abort();
    }
    if (outcome.allLegal && before->complete && after->complete) {
        for (const Entry& e : after->entries) {
            bool known = isTouched(outcome, e);
            for (const Entry& b : before->entries)
                known = known || (iniNamesEqual(b.section, e.section) && iniNamesEqual(b.key, e.key));
            if (!known) std::abort();
        }
    }
    return 0;
}
