#include "media/swf/DataTags.h"

#include "media/swf/Document.h"

namespace swf {

namespace {

constexpr u8 kMarkerLead = 0xFF;
constexpr u8 kEndOfImage = 0xD9;
constexpr u8 kStartOfImage = 0xD8;

u32 FindMarker(const u8* data, u32 size, u32 from, u8 marker) {
    for (u32 at = from; at + 1 < size; ++at)
        if (data[at] == kMarkerLead && data[at + 1] == marker) return at;
    return size;
}

}  // namespace

Result tagData::ReadBody(stream& in, u32 length) { return data_.ReadFrom(in, length); }

Result tagData::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Long,
                            [&]() { return out.WriteBytes(data_.Size(), data_.Data()); });
}

Result tagJPEGTables::ReadBody(stream& in, u32 length) {
    SWF_TRY(tagData::ReadBody(in, length));
    owner_->jpegTables_ = this;
    return kOk;
}

Result tagDefineBits::ReadBody(stream& in, u32 length) {
    if (length < 2) return kErrBadData;
    SWF_TRY(ReadCharacterId(in));
    return data_.ReadFrom(in, length - 2);
}

Result tagDefineBits::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Long, [&]() -> Result {
        SWF_TRY(out.WriteU16(CharacterId()));
        return out.WriteBytes(data_.Size(), data_.Data());
    });
}

Result tagDefineBitsJPEG2::ReadBody(stream& in, u32 length) {
    SWF_TRY(tagDefineBits::ReadBody(in, length));
    imageOffset_ = FindJpegImageOffset(data_.Data(), data_.Size());
    return kOk;
}

u32 FindJpegImageOffset(const u8* data, u32 size) {
    const u32 tablesEnd = FindMarker(data, size, 0, kEndOfImage);
    if (tablesEnd == size) return 0;
    const u32 image = FindMarker(data, size, tablesEnd + 2, kStartOfImage);
    return image == size ? 0 : image;
}

}  // namespace swf
