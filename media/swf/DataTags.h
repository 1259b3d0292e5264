#pragma once
// Tags kept as raw bytes: tags without a class of their own (written back unchanged),
// JPEGTables, and the JPEG bitmaps DefineBits and DefineBitsJPEG2. All of them always write
// the long header form.
#include "media/swf/Block.h"
#include "media/swf/Tag.h"

namespace swf {

class tagData : public tag {
public:
    explicit tagData(u16 code) : tag(code) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    const Block& Data() const { return data_; }

private:
    Block data_;
};

// The encoding tables shared by every DefineBits of its document.
class tagJPEGTables : public tagData {
public:
    tagJPEGTables() : tagData(kTagJPEGTables) {}

    Result ReadBody(stream& in, u32 length) override;
};

class tagDefineBits : public tagObject {
public:
    explicit tagDefineBits(u16 code = kTagDefineBits) : tagObject(code) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    const Block& Data() const { return data_; }
    void TakeData(Block& data) { data_.Take(data); }

protected:
    Block data_;
};

// A JPEG bitmap carrying its own encoding tables before the image.
class tagDefineBitsJPEG2 : public tagDefineBits {
public:
    tagDefineBitsJPEG2() : tagDefineBits(kTagDefineBitsJPEG2) {}

    Result ReadBody(stream& in, u32 length) override;

    // Where the image part begins in the data: the first start-of-image marker after the
    // end of the tables, or 0 when the markers are missing.
    u32 ImageOffset() const { return imageOffset_; }
    void SetImageOffset(u32 offset) { imageOffset_ = offset; }

private:
    u32 imageOffset_ = 0;
};

// The marker search itself, at any byte offset and within the data.
u32 FindJpegImageOffset(const u8* data, u32 size);

}  // namespace swf
