// The stand-alone player: plays the Flash movie appended to its own file (see FlashProjector.h)
// in a window of the movie's size, every animation of it at its own rate, with its sounds,
// until the window is closed or Escape is pressed. Given "--snapshot FILE" it draws the movie's
// first frame into FILE as a PNG picture and ends; run headless (TUMBLO_HEADLESS=1, or no
// display named) it draws the first frame and ends.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "PlayerHost.h"
#include "engine/base/MemoryHandles.h"
#include "media/export/FlashProjector.h"
#include "media/export/ProjectorTrailer.h"
#include "media/swfgl/FlashFramePlayer.h"
#include "platform/clock/Clock.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/files/Files.h"
#include "platform/gdi/Color.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/media/PictureImage.h"
#include "platform/media/PngCoding.h"
#include "platform/system/Headless.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace {

// The movie this program's file carries; empty when it carries none.
std::vector<u8> ownMovie() {
    std::vector<u8> movie;
    plat::FileHandle file = plat::kNoFile;
    if (plat::fileOpen(plat::programFileText(), plat::kFileAccessRead, plat::kFileShareRead,
                       plat::FileDisposition::OpenExisting, &file))
        return movie;
    uint64_t size = 0;
    u8 trailer[kProjectorTrailerSize] = {};
    u32 done = 0;
    u64 offset = 0;
    u32 length = 0;
    if (!plat::fileSeek(file, 0, plat::SeekOrigin::End, &size) && size >= kProjectorTrailerSize &&
        !plat::fileReadAt(file, size - kProjectorTrailerSize, trailer, kProjectorTrailerSize, plat::ReadWait::ForDevice,
                          &done) &&
        done == kProjectorTrailerSize && ReadProjectorTrailer(trailer, size, &offset, &length)) {
        movie.resize(length);
        if (length && (plat::fileReadAt(file, offset, movie.data(), length, plat::ReadWait::ForDevice, &done) ||
                       done != length))
            movie.clear();
    }
    plat::fileClose(file);
    return movie;
}

bool writeSnapshot(const plat::gdi::Surface& picture, const std::string& hostPath) {
    plat::media::PictureImage image;
    if (!image.allocate(picture.width(), picture.height(), 255)) return false;
    for (i32 y = 0; y < picture.height(); ++y)
        for (i32 x = 0; x < picture.width(); ++x) {
            const plat::gdi::Rgb c = plat::gdi::rgbFrom555(u16(picture.pixel(x, y)));
            u8* out = image.pixel(x, y);
            out[0] = c.red, out[1] = c.green, out[2] = c.blue, out[3] = 255;
        }
    const std::vector<uint8_t> png = plat::media::encodePng(image);
    if (png.empty()) return false;
    FILE* file = std::fopen(hostPath.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

// The frame in the window's own pixels.
void show(const plat::gdi::Surface& picture, plat::DisplayWindow& face) {
    plat::gdi::Surface& target = face.surface();
    for (i32 y = 0; y < picture.height() && y < target.height(); ++y)
        for (i32 x = 0; x < picture.width() && x < target.width(); ++x) {
            const u16 word = u16(picture.pixel(x, y));
            if (target.bitsPerPixel() == 16) {
                target.setPixel(x, y, word);
                continue;
            }
            const plat::gdi::Rgb c = plat::gdi::rgbFrom555(word);
            target.setPixel(x, y, u32(c.red) << 16 | u32(c.green) << 8 | c.blue);
        }
    face.present(target.bounds());
}

// A player file is started to be seen. A desktop whose display does not take it at once (its
// server still starting, or too busy to answer) is asked again for this long, rather than the
// movie played to nobody and the program ended as if it had been watched.
constexpr auto kDisplayPatience = std::chrono::seconds(20);
constexpr auto kDisplayRetry = std::chrono::milliseconds(250);

std::unique_ptr<plat::DisplayDriver> reachDisplay() {
    for (const auto end = std::chrono::steady_clock::now() + kDisplayPatience;;) {
        if (std::unique_ptr<plat::DisplayDriver> display = plat::makeSdlDisplay()) return display;
        if (std::chrono::steady_clock::now() >= end) return nullptr;
        std::this_thread::sleep_for(kDisplayRetry);
    }
}

// How often the loop looks whether a timeline's frame is due: sprites keep rates of their own.
constexpr u32 kLookMs = 10;

int play(FlashFramePlayer& frames, PlayerHost& host, i32 width, i32 height) {
    const plat::WindowHandle window =
        plat::createWindow({"TumbloPlayer", "Tumblo 4", plat::defaultWindowProcedure});
    std::unique_ptr<plat::DisplayWindow> face = plat::displayDriver().openWindow(window, "Tumblo 4", width, height);
    if (!face) {
        std::fprintf(stderr, "tumblo4-player: no window could be opened\n");
        return 1;
    }
    plat::DisplayDriver& driver = plat::displayDriver();
    const u32 start = plat::clockMillis();
    if (!frames.PlayUntil(0)) return 1;
    show(frames.Picture(), *face);
    if (driver.name() == "headless") return 0;
    for (;;) {
        driver.pumpEvents();
        plat::Message m;
        while (plat::peekMessage(m, true)) {
            if (m.message == plat::kMsgClose) return 0;
            if (m.message == plat::kMsgKeyDown && m.wParam == plat::kVkEscape) return 0;
        }
        if (frames.PlayUntil(plat::clockMillis() - start)) show(frames.Picture(), *face);
        host.Poll();
        driver.waitForInput(kLookMs);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string snapshot = argc == 3 && std::string(argv[1]) == "--snapshot" ? argv[2] : "";
    const std::vector<u8> movie = ownMovie();
    i32 width = 0, height = 0;
    if (!FlashFramePlayer::FrameSize(movie, &width, &height)) {
        std::fprintf(stderr, "tumblo4-player: this file carries no movie\n");
        return 1;
    }
    if (memInit(0, 512) != kErrNone) return 1;
    PlayerHost host;
    swf::SetHost(&host);
    std::unique_ptr<FlashFramePlayer> frames = FlashFramePlayer::Open(movie, width, height);
    int result = 1;
    if (!frames) {
        std::fprintf(stderr, "tumblo4-player: the movie cannot be drawn\n");
    } else if (!snapshot.empty()) {
        result = frames->DrawNext() && writeSnapshot(frames->Picture(), snapshot) ? 0 : 1;
    } else if (plat::headlessRequested()) {
        result = play(*frames, host, width, height);
    } else if (std::unique_ptr<plat::DisplayDriver> display = reachDisplay()) {
        plat::setDisplayDriver(display.get());
        result = play(*frames, host, width, height);
        plat::setDisplayDriver(nullptr);
    } else {
        std::fprintf(stderr, "tumblo4-player: the display cannot be reached\n");
    }
    frames.reset();
    swf::SetHost(nullptr);
    memShutdown();
    return result;
}
