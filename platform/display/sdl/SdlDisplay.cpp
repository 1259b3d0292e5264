#include "platform/display/sdl/SdlDisplay.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <thread>

#include "platform/display/ClientPlacement.h"
#include "platform/display/InputDelivery.h"
#include "platform/display/PixelConversion.h"
#include "platform/display/sdl/SdlCursorMasks.h"
#include "platform/display/sdl/InputWatcher.h"
#include "platform/display/QuitSignals.h"
#include "platform/display/sdl/SdlKeys.h"
#include "platform/display/sdl/XDisplayAnswer.h"
#include "platform/keyboard/ProgramKeyboard.h"
#include "platform/ui/MessageQueue.h"

namespace plat {
namespace {

class SdlDisplay;

// Xlib's own handler of a lost connection exits at once; this one leaves the decision to the
// connection's exit handler.
int leaveToExitHandler(Display*) { return 0; }

// Once the connection is lost, nothing reaches SDL's video any more: a call that needs a new X
// resource aborts in Xlib, and one that waits for the server's answer waits for ever. The
// ending that keeps the work meanwhile (a busy cursor, a closed dialog) sees a display that
// shows nothing.
bool connectionLost = false;

// How long a display has to answer a connection before the program gives up on it.
constexpr std::chrono::seconds kDisplayAnswerTime{10};

// Whether SDL, left to choose, opens the display through Xlib: a DISPLAY is named, and no other
// driver is asked for.
bool choosesX11() {
    const char* named = std::getenv("SDL_VIDEODRIVER");
    const char* display = std::getenv("DISPLAY");
    return display && *display && (!named || !*named || std::strcmp(named, "x11") == 0);
}

// The process that shows a message box while one is up; 0 otherwise.
pid_t boxShower = 0;

// SDL shows its box on X from a child process, over a connection of the child's own. When the
// display goes while the box is up, Xlib would end that child through exit(), whose handlers
// are the whole program's: they wait for threads the child does not have, for ever, and the
// program waits for its child. The child ends at once instead, and the program goes on without
// its box.
int endBoxWithoutDisplay(Display*) {
    if (boxShower != 0 && ::getpid() != boxShower) ::_exit(1);
    return 0;
}

// Whether a window manager looks after the screen's windows (and makes one full screen when it
// asks); without one, as in a kiosk, a window is placed and sized by the program alone.
bool windowManagerPresent(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    ::Display* display = info.info.x11.display;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data) == Success &&
                       type == XA_WINDOW && count == 1;
    if (data) XFree(data);
    return found;
}

class SdlWindow : public DisplayWindow {
public:
    SdlWindow(SdlDisplay& display, WindowHandle window, SDL_Window* sdlWindow, int32_t width, int32_t height,
              int bitsPerPixel);
    ~SdlWindow() override;

    gdi::Point clientOrigin() const override {
        int x = 0, y = 0;
        SDL_GetWindowPosition(sdlWindow_, &x, &y);
        return {x + inset_.x, y + inset_.y};
    }
    uint32_t sdlId() const { return SDL_GetWindowID(sdlWindow_); }
    // Where the client area's top-left pixel is in the SDL window (not at 0, 0 on a full screen).
    gdi::Point inset() const { return inset_; }
    // Shows the whole client area again from the surface.
    void reshow() { present(clientRect()); }
    // Uncovered: the black around a client area smaller than the window is shown again too.
    void exposed() {
        SDL_Surface* screen = connectionLost ? nullptr : SDL_GetWindowSurface(sdlWindow_);
        if (screen && (screen->w > clientRect().width() || screen->h > clientRect().height()))
            SDL_UpdateWindowSurface(sdlWindow_);
        else
            reshow();
    }
    void bringToFront() override {
        if (!connectionLost) SDL_RaiseWindow(sdlWindow_);
    }
    void setFullScreen(bool on, const gdi::Rect& middle) override {
        if (connectionLost || on == fullScreen_) return;
        fullScreen_ = on;
        middle_ = middle;
        if (windowManagerPresent(sdlWindow_)) {
            SDL_SetWindowFullscreen(sdlWindow_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        } else if (on) {
            SDL_GetWindowPosition(sdlWindow_, &windowed_.x, &windowed_.y);
            SDL_GetWindowSize(sdlWindow_, &windowed_.w, &windowed_.h);
            SDL_Rect screen;
            if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(sdlWindow_)), &screen) == 0) {
                SDL_SetWindowPosition(sdlWindow_, screen.x, screen.y);
                SDL_SetWindowSize(sdlWindow_, screen.w, screen.h);
            }
        } else {
            // Back where it was, its top (and its menus) on the screen.
            SDL_Rect screen{};
            SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(sdlWindow_)), &screen);
            SDL_SetWindowSize(sdlWindow_, windowed_.w, windowed_.h);
            SDL_SetWindowPosition(sdlWindow_, std::max(windowed_.x, screen.x), std::max(windowed_.y, screen.y));
        }
        refit();
    }
    // The window's size changed (the desktop made it full screen, gave it back, or made it
    // larger than asked): the client area goes to its place in it (ClientPlacement.h).
    void refit() {
        SDL_Surface* screen = connectionLost ? nullptr : SDL_GetWindowSurface(sdlWindow_);
        if (!screen) return;
        const gdi::Rect client = clientRect();
        inset_ = clientPlacement({screen->w, screen->h}, client, middle_, fullScreen_);
        if (screen->w > client.width() || screen->h > client.height()) {
            SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
            SDL_UpdateWindowSurface(sdlWindow_);
        }
        reshow();
    }

protected:
    // Only the area that changed goes to the screen: converted into the window's own surface
    // (through a buffer of ours when the surface's format is not the 32-bit one) and sent to
    // the server as that one rectangle, so that a stroke's few pixels do not cost a whole
    // window's copy and upload.
    void show(const gdi::Rect& wanted) override {
        SDL_Surface* screen = connectionLost ? nullptr : SDL_GetWindowSurface(sdlWindow_);
        if (!screen) return;
        // A screen smaller than the client area shows the part of it that fits.
        const gdi::Rect area = wanted.intersect({-inset_.x, -inset_.y, screen->w - inset_.x, screen->h - inset_.y});
        if (area.empty()) return;
        if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
        auto* target = static_cast<uint8_t*>(screen->pixels) + size_t(inset_.y + area.top) * size_t(screen->pitch) +
                       size_t(inset_.x + area.left) * screen->format->BytesPerPixel;
        if (screen->format->format == SDL_PIXELFORMAT_RGB888 && screen->pitch % 4 == 0) {
            convertToXrgb(surface(), area, reinterpret_cast<uint32_t*>(target), screen->pitch / 4);
        } else {
            const int32_t pitch = surface().width();
            shadow_.resize(size_t(pitch) * size_t(surface().height()));
            uint32_t* first = shadow_.data() + size_t(area.top) * size_t(pitch) + size_t(area.left);
            convertToXrgb(surface(), area, first, pitch);
            SDL_ConvertPixels(area.width(), area.height(), SDL_PIXELFORMAT_RGB888, first, pitch * 4,
                              screen->format->format, target, screen->pitch);
        }
        if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
        const SDL_Rect rect{inset_.x + area.left, inset_.y + area.top, area.width(), area.height()};
        SDL_UpdateWindowSurfaceRects(sdlWindow_, &rect, 1);
    }

private:
    SdlDisplay& display_;
    SDL_Window* sdlWindow_;
    std::vector<uint32_t> shadow_;
    gdi::Point inset_{0, 0};
    bool fullScreen_ = false;
    gdi::Rect middle_{};
    // Where the window was before it covered the screen by itself.
    SDL_Rect windowed_{};
};

class SdlDisplay : public DisplayDriver {
public:
    explicit SdlDisplay(std::unique_ptr<QuitSignalCatcher> quitSignals) : quitSignals_(std::move(quitSignals)) {}
    ~SdlDisplay() override {
        watcher_.reset();
        if (connectionLost) return;
        for (auto& [kind, sdlCursor] : systemCursors_) SDL_FreeCursor(sdlCursor);
        if (made_) SDL_FreeCursor(made_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    std::string name() const override { return std::string("sdl-") + SDL_GetCurrentVideoDriver(); }

    // Each resolution of the desktop at its own depth, and at 8 and 16 bits as well: the
    // depth of a switch only decides the window surfaces, so every depth can be offered.
    std::vector<DisplayMode> modes() const override {
        std::vector<DisplayMode> list;
        auto offer = [&list](const DisplayMode& mode) {
            for (uint16_t bits : {mode.bitsPerPixel, uint16_t(8), uint16_t(16)}) {
                DisplayMode variant{mode.width, mode.height, bits, mode.refreshHz};
                if (std::find(list.begin(), list.end(), variant) == list.end()) list.push_back(variant);
            }
        };
        offer(desktopMode());
        for (int i = 0, count = SDL_GetNumDisplayModes(0); i < count; ++i) {
            SDL_DisplayMode mode;
            if (SDL_GetDisplayMode(0, i, &mode) == 0) offer(toMode(mode));
        }
        return list;
    }

    std::unique_ptr<DisplayWindow> openWindow(WindowHandle window, const std::string& title, int32_t width,
                                              int32_t height) override {
        if (width <= 0 || height <= 0 || connectionLost) return nullptr;
        SDL_Window* sdlWindow = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                                 height, SDL_WINDOW_SHOWN);
        if (!sdlWindow) return nullptr;
        // The pictures are made in memory (GL drawing too, through OSMesa): the window only
        // shows them, from its own surface in shared memory. A GL renderer would share the
        // thread's Mesa binding with OSMesa, and whichever bound last would draw into the
        // other's context.
        if (!SDL_GetWindowSurface(sdlWindow)) {
            SDL_DestroyWindow(sdlWindow);
            return nullptr;
        }
        auto opened =
            std::make_unique<SdlWindow>(*this, window, sdlWindow, width, height, windowSurfaceDepth(currentMode()));
        if (!watcher_) watchConnectionOf(sdlWindow);
        windows_[opened->sdlId()] = opened.get();
        opened->reshow();
        return opened;
    }

    void forget(uint32_t sdlId) { windows_.erase(sdlId); }

    void pumpEvents() override {
        showServiceCursor();
        if (takeQuitSignal() && !runQuitSignalEnding()) deliverQuitRequest();
        if (connectionLost) return;
        SDL_Event event;
        while (SDL_PollEvent(&event)) handle(event);
        if (watcher_) watcher_->rearm();
    }

    void waitForInput(uint32_t timeoutMs) override {
        if (connectionLost)
            std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
        else
            SDL_WaitEventTimeout(nullptr, int(timeoutMs));
    }

    bool showMessageBox(const std::string& title, const std::string& text, bool stop) override {
        if (connectionLost) return false;
        const XIOErrorHandler before = XSetIOErrorHandler(endBoxWithoutDisplay);
        boxShower = ::getpid();
        const bool shown = SDL_ShowSimpleMessageBox(stop ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                                                    title.c_str(), text.c_str(), nullptr) == 0;
        boxShower = 0;
        XSetIOErrorHandler(before);
        return shown;
    }

    void setCursor(cursor::CursorId shown) override {
        if (connectionLost) return;
        SDL_Cursor* sdlCursor = nullptr;
        SDL_Cursor* replaced = nullptr;
        if (std::optional<cursor::SystemCursor> kind = cursor::systemCursorOf(shown)) {
            sdlCursor = systemSdlCursor(*kind);
        } else if (const cursor::CursorImage* picture = cursor::cursorImage(shown)) {
            // The last picture shown is kept, so that hiding and showing it again makes nothing new.
            if (!made_ || !(*picture == madePicture_)) {
                SdlCursorMasks masks = sdlCursorMasks(*picture);
                SDL_Cursor* made = SDL_CreateCursor(masks.data.data(), masks.mask.data(), cursor::kCursorSize,
                                                    cursor::kCursorSize, picture->hotX, picture->hotY);
                if (made) {
                    replaced = made_;
                    made_ = made;
                    madePicture_ = *picture;
                }
            }
            if (made_ && *picture == madePicture_) sdlCursor = made_;
        }
        current_ = sdlCursor ? shown : cursor::kNoCursor;
        if (sdlCursor) SDL_SetCursor(sdlCursor);
        SDL_ShowCursor(sdlCursor ? SDL_ENABLE : SDL_DISABLE);
        if (replaced) SDL_FreeCursor(replaced);
    }
    cursor::CursorId currentCursor() const override { return current_; }

protected:
    DisplayMode desktopMode() const override {
        SDL_DisplayMode mode;
        return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? toMode(mode) : DisplayMode{};
    }

private:
    static DisplayMode toMode(const SDL_DisplayMode& mode) {
        return {mode.w, mode.h, uint16_t(SDL_BITSPERPIXEL(mode.format)), uint32_t(std::max(mode.refresh_rate, 0))};
    }

    SDL_Cursor* systemSdlCursor(cursor::SystemCursor kind) {
        auto known = systemCursors_.find(kind);
        if (known != systemCursors_.end()) return known->second;
        SDL_Cursor* made = SDL_CreateSystemCursor(sdlSystemCursor(kind));
        if (made) systemCursors_[kind] = made;
        return made;
    }

    static SDL_SystemCursor sdlSystemCursor(cursor::SystemCursor kind) {
        switch (kind) {
            case cursor::SystemCursor::Arrow: return SDL_SYSTEM_CURSOR_ARROW;
            case cursor::SystemCursor::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
            case cursor::SystemCursor::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
            case cursor::SystemCursor::Wait: return SDL_SYSTEM_CURSOR_WAIT;
        }
        return SDL_SYSTEM_CURSOR_ARROW;
    }

    // Only the X11 connection is watched; on other SDL drivers the loop keeps to waitForInput.
    // Its loss ends the program (endForLostDisplay) where Xlib would call exit(): the exit's
    // destructors would close SDL's windows and wait for ever for the dead server's answers.
    void watchConnectionOf(SDL_Window* window) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
        XSetIOErrorHandler(leaveToExitHandler);
        XSetIOErrorExitHandler(
            info.info.x11.display,
            [](Display*, void*) {
                connectionLost = true;
                std::fputs("tumblo4: the display is gone; the work is kept and the program ends.\n", stderr);
                endForLostDisplay();
            },
            nullptr);
        watcher_ = std::make_unique<InputWatcher>(XConnectionNumber(info.info.x11.display), quitSignalDescriptor(),
                                                  std::this_thread::get_id());
    }

    SdlWindow* windowOf(uint32_t sdlId) {
        auto found = windows_.find(sdlId);
        return found == windows_.end() ? nullptr : found->second;
    }

    void handle(const SDL_Event& event) {
        switch (event.type) {
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                SdlWindow* window = windowOf(event.key.windowID);
                if (!window) return;
                const bool textFollows = SDL_IsTextInputActive() && !typesNoText(event.key.keysym.mod);
                // The program's own layout types instead of the desktop's, from the key's place.
                const std::string typed =
                    event.type == SDL_KEYDOWN && textFollows ? programLayoutText(event.key.keysym) : std::string();
                if (const uint8_t vk = virtualKeyOfScancode(event.key.keysym.scancode); vk != 0) {
                    InputEvent in;
                    in.kind = event.type == SDL_KEYDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
                    in.virtualKey = vk;
                    in.scanCode = setOneScanCodeOf(event.key.keysym.scancode);
                    in.textFollows = textFollows;
                    deliverInput(window->window(), in);
                }
                if (!typed.empty()) {
                    InputEvent text;
                    text.kind = InputEvent::Kind::Text;
                    text.text = typed;
                    deliverInput(window->window(), text);
                }
                return;
            }
            case SDL_TEXTINPUT: {
                // The layout's own characters, dead keys and compositions done; a shortcut's
                // letter is the key's, not text. The program's own layout, when one is in use,
                // has typed already: what the desktop's input method composed is the desktop
                // layout's.
                SdlWindow* window = windowOf(event.text.windowID);
                if (!window || typesNoText(SDL_GetModState()) || readsKeyCodes()) return;
                InputEvent in;
                in.kind = InputEvent::Kind::Text;
                in.text = std::string(event.text.text, strnlen(event.text.text, sizeof event.text.text));
                deliverInput(window->window(), in);
                return;
            }
            case SDL_MOUSEMOTION:
                deliverMouse(event.motion.windowID, InputEvent::Kind::MouseMove, MouseButton::Left, event.motion.x,
                             event.motion.y);
                return;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                MouseButton button = event.button.button == SDL_BUTTON_RIGHT    ? MouseButton::Right
                                     : event.button.button == SDL_BUTTON_MIDDLE ? MouseButton::Middle
                                                                                : MouseButton::Left;
                InputEvent::Kind kind = event.type == SDL_MOUSEBUTTONUP ? InputEvent::Kind::MouseUp
                                        : event.button.clicks == 2      ? InputEvent::Kind::MouseDoubleClick
                                                                        : InputEvent::Kind::MouseDown;
                deliverMouse(event.button.windowID, kind, button, event.button.x, event.button.y);
                return;
            }
            case SDL_WINDOWEVENT: handleWindowEvent(event.window); return;
            case SDL_QUIT: deliverQuitRequest(); return;
            default: return;
        }
    }

    // The program's own layout types where the keys' X codes are known; elsewhere (no X server)
    // the desktop's layout goes on typing.
    static bool readsKeyCodes() {
        const char* driver = SDL_GetCurrentVideoDriver();
        return programKeyboardInUse() && driver && std::strcmp(driver, "x11") == 0;
    }

    // The key is read by its place, not by the X event's code: the desktop's input method keeps
    // its own dead keys, and the key after one, from the program (SDL makes a key event of them
    // all the same, with no X event beside it).
    static std::string programLayoutText(const SDL_Keysym& key) {
        if (!readsKeyCodes()) return {};
        const uint32_t keyCode = xKeyCodeOf(key.scancode);
        if (keyCode == 0) return {};
        return programKeyboardText(keyCode, {(key.mod & KMOD_SHIFT) != 0, (key.mod & KMOD_CAPS) != 0,
                                             (key.mod & KMOD_RALT) != 0, (key.mod & KMOD_NUM) != 0});
    }

    // Control or the left Alt makes a key a shortcut; the right Alt is the layout's AltGr.
    static bool typesNoText(uint16_t modifiers) { return (modifiers & (KMOD_CTRL | KMOD_LALT)) != 0; }

    static void deliverQuitRequest() {
        InputEvent quit;
        quit.kind = InputEvent::Kind::Quit;
        deliverInput(kNoWindow, quit);
    }

    void deliverMouse(uint32_t sdlId, InputEvent::Kind kind, MouseButton button, int32_t x, int32_t y) {
        SdlWindow* window = windowOf(sdlId);
        if (!window) return;
        InputEvent in;
        in.kind = kind;
        in.button = button;
        in.position = {x - window->inset().x, y - window->inset().y};
        deliverInput(window->window(), in);
    }

    void handleWindowEvent(const SDL_WindowEvent& event) {
        SdlWindow* window = windowOf(event.windowID);
        if (!window) return;
        switch (event.event) {
            case SDL_WINDOWEVENT_EXPOSED: window->exposed(); return;
            case SDL_WINDOWEVENT_SIZE_CHANGED: window->refit(); return;
            case SDL_WINDOWEVENT_FOCUS_GAINED: postAppActivation(true); return;
            case SDL_WINDOWEVENT_FOCUS_LOST: postAppActivation(false); return;
            case SDL_WINDOWEVENT_CLOSE: postMessage(window->window(), kMsgClose, 0, 0); return;
            default: return;
        }
    }

    std::map<uint32_t, SdlWindow*> windows_;
    // Outlives SDL's video, so that SDL never puts back its own catching (QuitSignals.h).
    std::unique_ptr<QuitSignalCatcher> quitSignals_;
    std::unique_ptr<InputWatcher> watcher_;
    std::map<cursor::SystemCursor, SDL_Cursor*> systemCursors_;
    SDL_Cursor* made_ = nullptr;
    cursor::CursorImage madePicture_;
    cursor::CursorId current_ = cursor::kNoCursor;
};

SdlWindow::SdlWindow(SdlDisplay& display, WindowHandle window, SDL_Window* sdlWindow, int32_t width, int32_t height,
                     int bitsPerPixel)
    : DisplayWindow(window, width, height, bitsPerPixel),
      display_(display),
      sdlWindow_(sdlWindow) {}

SdlWindow::~SdlWindow() {
    display_.forget(sdlId());
    if (!connectionLost) SDL_DestroyWindow(sdlWindow_);
}

}  // namespace

namespace {
bool lastDisplayRefused = false;
bool lastDisplaySilent = false;
}  // namespace

bool sdlDisplayRefused() { return lastDisplayRefused; }

bool sdlDisplaySilent() { return lastDisplaySilent; }

std::unique_ptr<DisplayDriver> makeSdlDisplay(const char* videoDriver) {
    // Asked before the quit signals are caught: a signal meanwhile ends the program as it
    // would have without the wait.
    lastDisplaySilent = !videoDriver && choosesX11() && askXDisplay(kDisplayAnswerTime) == XDisplayAnswer::kSilent;
    lastDisplayRefused = lastDisplaySilent;
    if (lastDisplaySilent) return nullptr;
    if (videoDriver) SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, videoDriver, SDL_HINT_OVERRIDE);
    // The click that brings the window forward is the program's too, as the program expects.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The close box of the last window is that window's kMsgClose alone; SDL_QUIT then only
    // comes from the desktop asking the whole program to end.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Nor does the window's own surface go through GL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Caught before SDL starts, so that SDL leaves the quit signals to us.
    auto quitSignals = std::make_unique<QuitSignalCatcher>();
    lastDisplayRefused = SDL_InitSubSystem(SDL_INIT_VIDEO) != 0;
    if (lastDisplayRefused) return nullptr;
    // Typing goes through the desktop's keyboard layout and input method, or through the
    // program's own layout.
    SDL_StartTextInput();
    const char* chosen = SDL_GetCurrentVideoDriver();
    bool showsNothing = !chosen || std::strcmp(chosen, "dummy") == 0 || std::strcmp(chosen, "offscreen") == 0;
    // SDL ends on a driver that shows nothing when no display opens; one the environment
    // named was asked for.
    const char* named = std::getenv("SDL_VIDEODRIVER");
    lastDisplayRefused = showsNothing && !videoDriver && !(named && chosen && std::strcmp(named, chosen) == 0);
    if (!chosen || (!videoDriver && showsNothing)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return std::make_unique<SdlDisplay>(std::move(quitSignals));
}

}  // namespace plat
