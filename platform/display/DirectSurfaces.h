#pragma once
// Direct access to pixels, for the program's accelerated path: surfaces whose memory can be
// locked and written directly, a primary surface over a window's face, and copies between
// surfaces that land on the screen when they reach the primary. Everything lives in memory:
// the "video memory" placements only record where the program asked a surface to be, and
// the capabilities are those of a plain software driver unless a test gives others.
//
// Surfaces can be lost, as when another program takes the display or the display mode
// changes (through this service or the display driver): a lost surface refuses locks and
// copies until it is restored, and one made before a mode change can only be made again.
// Tests provoke both with loseSurfaces.
//
// The service owns no surface: callers own them. A surface that outlives its service stays
// lost for good. All calls come from the user-interface thread.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/display/DisplayDriver.h"

namespace plat {

enum class SurfaceResult { Ok, Lost, ModeChanged, NoExclusiveMode, ExclusiveElsewhere, Unsupported, Invalid };

enum class SurfacePlace { SystemMemory, LocalVideo, NonLocalVideo };

struct DirectCapabilities {
    // The driver version as decimal digit pairs: 0x0602 for a file version 4.06.02.
    uint16_t driverVersion = 0x0602;
    bool certified = true;
    bool hardwareBlitter = true;
    bool blitsFromSystemMemory = true;
    bool nonLocalVideo = true;
    bool blitsFromNonLocalVideo = true;
};

class DirectSurfaceService;

class DirectSurface {
public:
    ~DirectSurface();
    DirectSurface(const DirectSurface&) = delete;
    DirectSurface& operator=(const DirectSurface&) = delete;

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int bitsPerPixel() const { return bits_; }
    bool primary() const { return window_ != kNoWindow; }
    SurfacePlace place() const { return place_; }
    bool lost() const { return lost_ || modeChanged(); }
    bool locked() const { return locked_; }

    // Top-down memory: row y starts at base + y × pitch.
    SurfaceResult lock(uint8_t** base, int32_t* pitch);
    SurfaceResult unlock();
    SurfaceResult restore();
    // The pixels, or null while lost (or when the primary's window has no face any more).
    gdi::Surface* pixels();

private:
    friend class DirectSurfaceService;
    DirectSurface(DirectSurfaceService& service, int32_t width, int32_t height, int bits, SurfacePlace place,
                  WindowHandle window);
    // The display left the mode this surface was made in.
    bool modeChanged() const;

    DirectSurfaceService* service_;
    int32_t width_;
    int32_t height_;
    int bits_;
    SurfacePlace place_;
    WindowHandle window_;
    std::unique_ptr<gdi::Surface> own_;
    uint32_t generation_;
    DisplayMode mode_;
    bool lost_ = false;
    bool locked_ = false;
};

class DirectSurfaceService {
public:
    explicit DirectSurfaceService(DisplayDriver& driver, DirectCapabilities capabilities = {});
    ~DirectSurfaceService();

    const DirectCapabilities& capabilities() const { return capabilities_; }

    SurfaceResult setCooperativeLevel(WindowHandle window, bool exclusive);
    bool exclusive() const { return exclusive_; }

    // The primary surface over a window's face, of the face's size and depth.
    SurfaceResult createPrimary(WindowHandle window, std::unique_ptr<DirectSurface>* out);
    // Depths 8, 16 and 24; new pixels are 0.
    SurfaceResult createOffscreen(int32_t width, int32_t height, int bits, SurfacePlace place,
                                  std::unique_ptr<DirectSurface>* out);
    // Copies between surfaces of one depth, clipped to both; a copy into the primary shows.
    SurfaceResult blit(DirectSurface& destination, const gdi::Rect& destinationRect, DirectSurface& source,
                       const gdi::Rect& sourceRect);

    std::vector<DisplayMode> modes() const { return driver_.modes(); }
    // Needs the exclusive level; every surface is lost, as after any mode change.
    SurfaceResult setDisplayMode(const DisplayMode& mode);

    // Every surface is lost; with `modeChanged`, those made before can only be made again.
    void loseSurfaces(bool modeChanged);
    // While set, another program holds the display and levels cannot be set.
    void setExclusiveElsewhere(bool held) { exclusiveElsewhere_ = held; }

private:
    friend class DirectSurface;
    DisplayDriver& driver_;
    DirectCapabilities capabilities_;
    std::vector<DirectSurface*> surfaces_;
    uint32_t generation_ = 0;
    bool exclusive_ = false;
    bool exclusiveElsewhere_ = false;
};

}  // namespace plat
