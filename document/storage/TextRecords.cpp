#include "document/storage/TextRecords.h"

#include "document/storage/ByteWriter.h"
#include "document/storage/StorageErrors.h"

namespace {

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

}  // namespace

EngineErr parseTextRecord(std::span<const u8> bytes, TextRecord* record) {
    ByteReader in(bytes);
    const u16 version = in.u16be();
    auto face = in.bytes(kFaceNameSize);
    TextRecord read;
    read.size = in.u16be();
    read.style = in.u16be();
    read.colour = in.u32be();
    if (version == kJustifiedTextRecordVersion) read.justification = i16(in.u16be());
    if (!in.ok()) return kDocErrTruncated;
    if (version != kTextRecordVersion && version != kJustifiedTextRecordVersion) return kDocErrVersion;
    // A text flush left is always written as version 1: a version 2 one names another setting.
    if (version == kJustifiedTextRecordVersion && read.justification != 0 && read.justification != 1)
        return kDocErrBadSize;
    // The name, then nothing but NULs: what follows the name is no part of the record.
    size_t length = 0;
    while (length < kFaceNameSize && face[length] != 0) ++length;
    for (size_t i = length; i < kFaceNameSize; ++i)
        if (face[i] != 0) return kDocErrBadSize;
    if (length == kFaceNameSize) return kDocErrBadSize;
    read.face.assign(face.begin(), face.begin() + std::ptrdiff_t(length));
    if (EngineErr err = readText(in, &read.text)) return err;
    *record = std::move(read);
    return kErrNone;
}

EngineErr writeTextRecord(const TextRecord& record, std::vector<u8>* bytes) {
    if (record.face.size() >= kFaceNameSize || record.text.size() > kStoredTextMax) return kDocErrBadSize;
    if (record.face.find('\0') != std::string::npos) return kDocErrBadSize;
    if (record.justification < -1 || record.justification > 1) return kDocErrBadSize;
    // A text flush left is written as it always was.
    const bool justified = record.justification != -1;
    ByteWriter out(bytes);
    out.u16be(justified ? kJustifiedTextRecordVersion : kTextRecordVersion);
    u8 face[kFaceNameSize] = {};
    for (size_t i = 0; i < record.face.size(); ++i) face[i] = u8(record.face[i]);
    out.bytes(face);
    out.u16be(record.size);
    out.u16be(record.style);
    out.u32be(record.colour);
    if (justified) out.u16be(u16(record.justification));
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
