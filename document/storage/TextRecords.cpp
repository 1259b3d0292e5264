#include "document/storage/TextRecords.h"

#include "document/storage/ByteWriter.h"
#include "document/storage/StorageErrors.h"

namespace {

// from, to, face, size, colour set, colour, three states.
constexpr size_t kRunRecordSize = 2 + 2 + kFaceNameSize + 2 + 2 + 4 + 2 + 2 + 2;

// The length word and the text after it; the text must end the record.
EngineErr readText(ByteReader& in, std::string* text) {
    const u32 length = in.u32be();
    if (!in.ok()) return kDocErrTruncated;
    if (length > kStoredTextMax) return kDocErrBadSize;
    if (in.left() < length) return kDocErrTruncated;
    if (in.left() > length) return kDocErrTrailing;
    auto bytes = in.bytes(length);
    text->assign(bytes.begin(), bytes.end());
    return kErrNone;
}

void putText(ByteWriter& out, const std::string& text) {
    out.u32be(u32(text.size()));
    out.bytes({reinterpret_cast<const u8*>(text.data()), text.size()});
}

// A face name: the name, then nothing but NULs, with room for at least one.
EngineErr readFace(std::span<const u8> face, std::string* name) {
    size_t length = 0;
    while (length < face.size() && face[length] != 0) ++length;
    for (size_t i = length; i < face.size(); ++i)
        if (face[i] != 0) return kDocErrBadSize;
    if (length >= kFaceNameSize) return kDocErrBadSize;
    name->assign(face.begin(), face.begin() + std::ptrdiff_t(length));
    return kErrNone;
}

bool faceFits(const std::string& face) { return face.size() < kFaceNameSize && face.find('\0') == std::string::npos; }

void putFace(ByteWriter& out, const std::string& name) {
    u8 face[kFaceNameSize] = {};
    for (size_t i = 0; i < name.size(); ++i) face[i] = u8(name[i]);
    out.bytes(face);
}

bool stateFits(u16 state) { return state <= kRunStateNotSet; }

bool runFits(const TextRunRecord& run, size_t length) {
    return run.from < run.to && run.to <= length && faceFits(run.face) && stateFits(run.bold) &&
           stateFits(run.underline) && stateFits(run.italic) && (run.colourSet || run.colour == 0);
}

// The runs' ends are checked against the text once it is read.
EngineErr readRuns(ByteReader& in, std::vector<TextRunRecord>* runs) {
    const u16 count = in.u16be();
    if (!in.ok()) return kDocErrTruncated;
    // A text without runs is written in an older version.
    if (count == 0) return kDocErrBadSize;
    if (in.left() < size_t(count) * kRunRecordSize) return kDocErrTruncated;
    runs->reserve(count);
    for (u16 i = 0; i < count; ++i) {
        TextRunRecord run;
        run.from = in.u16be();
        run.to = in.u16be();
        const auto face = in.bytes(kFaceNameSize);
        run.size = in.u16be();
        const u16 colourSet = in.u16be();
        run.colour = in.u32be();
        run.bold = in.u16be();
        run.underline = in.u16be();
        run.italic = in.u16be();
        if (!in.ok()) return kDocErrTruncated;
        if (colourSet > 1) return kDocErrBadSize;
        run.colourSet = colourSet == 1;
        if (EngineErr err = readFace(face, &run.face)) return err;
        if (!runFits(run, 0xFFFF)) return kDocErrBadSize;
        runs->push_back(std::move(run));
    }
    return kErrNone;
}

void putRun(ByteWriter& out, const TextRunRecord& run) {
    out.u16be(run.from);
    out.u16be(run.to);
    putFace(out, run.face);
    out.u16be(run.size);
    out.u16be(run.colourSet ? 1 : 0);
    out.u32be(run.colour);
    out.u16be(run.bold);
    out.u16be(run.underline);
    out.u16be(run.italic);
}

}  // namespace

EngineErr parseTextRecord(std::span<const u8> bytes, TextRecord* record) {
    ByteReader in(bytes);
    const u16 version = in.u16be();
    auto face = in.bytes(kFaceNameSize);
    TextRecord read;
    read.size = in.u16be();
    read.style = in.u16be();
    read.colour = in.u32be();
    if (version == kJustifiedTextRecordVersion || version == kStyledTextRecordVersion)
        read.justification = i16(in.u16be());
    if (!in.ok()) return kDocErrTruncated;
    if (version != kTextRecordVersion && version != kJustifiedTextRecordVersion && version != kStyledTextRecordVersion)
        return kDocErrVersion;
    // A text flush left without runs is always written as version 1: a version 2 one names
    // another setting.
    if (version == kJustifiedTextRecordVersion && read.justification != 0 && read.justification != 1)
        return kDocErrBadSize;
    if (read.justification < -1 || read.justification > 1) return kDocErrBadSize;
    if (EngineErr err = readFace(face, &read.face)) return err;
    if (version == kStyledTextRecordVersion)
        if (EngineErr err = readRuns(in, &read.runs)) return err;
    if (EngineErr err = readText(in, &read.text)) return err;
    for (const TextRunRecord& run : read.runs)
        if (run.to > read.text.size()) return kDocErrBadSize;
    *record = std::move(read);
    return kErrNone;
}

EngineErr writeTextRecord(const TextRecord& record, std::vector<u8>* bytes) {
    if (!faceFits(record.face) || record.text.size() > kStoredTextMax) return kDocErrBadSize;
    if (record.justification < -1 || record.justification > 1) return kDocErrBadSize;
    if (record.runs.size() > 0xFFFF) return kDocErrBadSize;
    for (const TextRunRecord& run : record.runs)
        if (!runFits(run, record.text.size())) return kDocErrBadSize;
    // A text in one style, flush left, is written as it always was.
    const bool styled = !record.runs.empty();
    const bool justified = record.justification != -1;
    ByteWriter out(bytes);
    out.u16be(styled ? kStyledTextRecordVersion : justified ? kJustifiedTextRecordVersion : kTextRecordVersion);
    putFace(out, record.face);
    out.u16be(record.size);
    out.u16be(record.style);
    out.u32be(record.colour);
    if (styled || justified) out.u16be(u16(record.justification));
    if (styled) {
        out.u16be(u16(record.runs.size()));
        for (const TextRunRecord& run : record.runs) putRun(out, run);
    }
    putText(out, record.text);
    return kErrNone;
}

EngineErr parseNoteRecord(std::span<const u8> bytes, NoteRecord* record) {
    ByteReader in(bytes);
    const u16 version = in.u16be();
    NoteRecord read;
    read.kind = in.u16be();
    read.language = in.u16be();
    if (!in.ok()) return kDocErrTruncated;
    if (version != kTextRecordVersion) return kDocErrVersion;
    if (EngineErr err = readText(in, &read.text)) return err;
    *record = std::move(read);
    return kErrNone;
}

EngineErr writeNoteRecord(const NoteRecord& record, std::vector<u8>* bytes) {
    if (record.text.size() > kStoredTextMax) return kDocErrBadSize;
    ByteWriter out(bytes);
    out.u16be(kTextRecordVersion);
    out.u16be(record.kind);
    out.u16be(record.language);
    putText(out, record.text);
    return kErrNone;
}
