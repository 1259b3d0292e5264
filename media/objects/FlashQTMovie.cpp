#include "media/objects/FlashQTMovie.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/gfx/GfxPort.h"
#include "media/swfgl/FlashFramePlayer.h"
#include "platform/files/Files.h"

// The frames are drawn over the key the page keys out.
static_assert(kFlashKeyPixel == FlashFramePlayer::kKeyPixel);

namespace {

// How many names one holder tries before it gives up on a temporary file.
constexpr u32 kTemporaryNameTries = 1000;
// Counts the names taken in this program, so that the next holder starts past them.
u32 gTemporaryCounter = 0;

bool readWhole(const std::string& path, std::vector<u8>* bytes) {
    plat::FileHandle file = plat::kNoFile;
    if (plat::fileOpen(path, plat::kFileAccessRead, plat::kFileShareRead, plat::FileDisposition::OpenExisting, &file) !=
        plat::kSysOk)
        return false;
    u64 size = 0, start = 0;
    bool read = plat::fileSeek(file, 0, plat::SeekOrigin::End, &size) == plat::kSysOk && size > 0 &&
                size <= 0xFFFFFFFFu && plat::fileSeek(file, 0, plat::SeekOrigin::Start, &start) == plat::kSysOk;
    if (read) {
        bytes->resize(size_t(size));
        u32 done = 0;
        read = plat::fileRead(file, bytes->data(), u32(size), &done) == plat::kSysOk && done == size;
    }
    plat::fileClose(file);
    return read;
}

u8* rowOf(const GfxPixelDescriptor& port, i32 y) {
    const i32 height = port.bounds.bottom - port.bounds.top;
    return port.rowStep >= 0 ? port.base + i64(y) * port.rowStep : port.base + i64(height - 1 - y) * -port.rowStep;
}

}  // namespace

FlashQTMovie::~FlashQTMovie() {
    if (!path_.empty()) plat::fileDelete(path_);
}

bool FlashQTMovie::WriteTemporary(std::span<const u8> bytes) {
    if (!path_.empty()) plat::fileDelete(path_);
    path_.clear();
    if (bytes.empty() || bytes.size() > 0xFFFFFFFFu) return false;
    const std::string folder = plat::tempFolderText();
    for (u32 tries = 0; tries < kTemporaryNameTries; ++tries) {
        const std::string candidate = folder + "\\tbswf" + std::to_string(gTemporaryCounter++) + ".swf";
        plat::FileHandle file = plat::kNoFile;
        const plat::SysErr opened =
            plat::fileOpen(candidate, plat::kFileAccessWrite, 0, plat::FileDisposition::CreateNew, &file);
        if (opened == plat::kSysFileExists || opened == plat::kSysAlreadyExists) continue;
        if (opened != plat::kSysOk) return false;
        u32 done = 0;
        const bool written = plat::fileWrite(file, bytes.data(), u32(bytes.size()), &done) == plat::kSysOk &&
                             done == bytes.size();
        plat::fileClose(file);
        if (!written) {
            plat::fileDelete(candidate);
            return false;
        }
        path_ = candidate;
        return true;
    }
    return false;
}

i16 FlashQTMovie::Build(i16 width, i16 height) {
    frames_.clear();
    current_ = 0;
    if (width <= 0 || height <= 0 || width > kFlashMaxSide || height > kFlashMaxSide) return kFlashHolderNoWorld;
    std::vector<u8> bytes;
    if (path_.empty() || !readWhole(path_, &bytes)) return kFlashHolderNoFile;
    if (i32 frameWidth = 0, frameHeight = 0; !FlashFramePlayer::FrameSize(bytes, &frameWidth, &frameHeight))
        return kFlashHolderBadMovie;
    // The page shows through wherever the movie draws nothing, its background colour too.
    // Frames drawn ahead are not heard: the movie's sounds play when the object plays.
    const std::unique_ptr<FlashFramePlayer> player = FlashFramePlayer::Open(bytes, width, height, FlashFrameUse::Ahead);
    if (!player) return kFlashHolderNoWorld;

    // Every timeline moves on, the sprites too, until all of them are back at their first
    // frames together: the frames of a page made of sprites (a page's own movie) loop as they do.
    const size_t pixels = size_t(width) * size_t(height);
    const u64 fit = std::clamp<u64>(kFlashFrameBudget / (pixels * 2), 1, kFlashMaxFrames);
    const u32 count = u32(std::min<u64>(FlashFramePlayer::LoopFrames(player->Movie(), kFlashMaxFrames), fit));
    const u32 frameMs = std::max<u32>(player->FrameMs(), 1);
    frames_.reserve(count);
    for (u32 index = 0; index < count; ++index) {
        // A frame in which nothing is due keeps the picture of the one before.
        if (!player->PlayUntil(index * frameMs) && index == 0) return kFlashHolderBadMovie;
        const plat::gdi::Surface& picture = player->Picture();
        std::vector<u16>& out = frames_.emplace_back(pixels);
        for (i32 y = 0; y < height; ++y) {
            const u8* from = picture.row(flipV ? height - 1 - y : y);
            u16* to = out.data() + size_t(y) * size_t(width);
            std::memcpy(to, from, size_t(width) * 2);
            if (flipH) std::reverse(to, to + width);
        }
    }
    width_ = width;
    height_ = height;
    return 0;
}

u16 FlashQTMovie::Pixel(i16 x, i16 y) const {
    if (frames_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return kFlashKeyPixel;
    return frames_[current_][size_t(y) * size_t(width_) + size_t(x)];
}

i16 FlashQTMovie::Draw(GfxPort* port, Point16 at, const Rect16& clip) const {
    if (frames_.empty() || !port) return kFlashHolderNoWorld;
    if (gfxLockPort(port) != kErrNone) return kFlashHolderNoWorld;
    GfxPixelDescriptor target{};
    i16 result = kFlashHolderNoWorld;
    if (port->LockBits(&target) == kErrNone) {
        Rect16 shown{at.h, at.v, i16(at.h + width_), i16(at.v + height_)};
        const Rect16 whole{0, 0, i16(target.bounds.right - target.bounds.left),
                           i16(target.bounds.bottom - target.bounds.top)};
        if (target.depth == 16 && target.base && rectIntersect(&shown, clip) && rectIntersect(&shown, whole)) {
            const std::vector<u16>& frame = frames_[current_];
            for (i32 y = shown.top; y < shown.bottom; ++y) {
                const u16* from = frame.data() + size_t(y - at.v) * size_t(width_);
                u8* to = rowOf(target, y);
                for (i32 x = shown.left; x < shown.right; ++x)
                    if (const u16 pixel = from[x - at.h]; pixel != kFlashKeyPixel) std::memcpy(to + 2 * x, &pixel, 2);
            }
            result = 0;
        }
        port->UnlockBits(&target);
    }
    gfxUnlockPort(port);
    return result;
}
