#include "platform/clipboard/x11/X11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <list>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/clipboard/x11/SelectionData.h"

namespace plat {
namespace {

using Clock = std::chrono::steady_clock;
// How long the program's paste waits for another program to answer.
constexpr auto kAnswerWait = std::chrono::milliseconds(1000);
// How long a paste of another program's picture may take in all; each of its pieces still has
// to come within kAnswerWait.
constexpr auto kPictureWait = std::chrono::seconds(10);
// A reader that stops taking pieces is given up after this long.
constexpr auto kPieceWait = std::chrono::seconds(5);
// How long the way out waits for the clipboard manager to take the offer.
constexpr auto kManagerWait = std::chrono::seconds(2);
// The poll interval while a deadline is pending.
constexpr int kTickMs = 50;
constexpr int kNoTimeout = -1;
// Text another program gives is refused beyond this.
constexpr size_t kMaxReceived = size_t(16) << 20;
constexpr size_t kLargestPiece = size_t(256) << 10;
// Room for the request's own fields within the largest request.
constexpr size_t kRequestHeader = 64;
// ATOM_PAIR lists longer than this are not worth answering.
constexpr long kMaxPairs = 64;
constexpr int kBitsPerByte = 8;
constexpr int kBitsPerLong = 32;

// Errors on the program's own clipboard connections (a requestor's window gone in mid-reply) are
// expected and ignored; every other error goes to the handler that was there before.
constexpr size_t kConnections = 8;
std::array<std::atomic<Display*>, kConnections> ownConnections{};
XErrorHandler earlierHandler = nullptr;
std::once_flag handlerOnce;

int ignoreOwnErrors(Display* display, XErrorEvent* error) {
    for (const std::atomic<Display*>& own : ownConnections)
        if (own.load() == display) return 0;
    return earlierHandler ? earlierHandler(display, error) : 0;
}

// Xlib's own handler of a lost connection exits at once; this one leaves the decision to the
// connection's exit handler.
int leaveToExitHandler(Display*) { return 0; }

void registerConnection(Display* display) {
    std::call_once(handlerOnce, [] { earlierHandler = XSetErrorHandler(ignoreOwnErrors); });
    for (std::atomic<Display*>& own : ownConnections) {
        Display* none = nullptr;
        if (own.compare_exchange_strong(none, display)) return;
    }
}

void forgetConnection(Display* display) {
    for (std::atomic<Display*>& own : ownConnections) {
        Display* mine = display;
        own.compare_exchange_strong(mine, nullptr);
    }
}

struct Property {
    Atom type = None;
    std::vector<uint8_t> bytes;
    std::vector<Atom> atoms;  // 32-bit data of type ATOM
};

// What the program pastes from another program, or the names of what it offers.
enum class ReadKind { Text, Picture, Targets };

std::string_view nextTarget(ReadKind kind, std::string_view refused) {
    if (kind == ReadKind::Targets) return refused.empty() ? "TARGETS" : "";
    return kind == ReadKind::Text ? nextTextTarget(refused) : nextPictureTarget(refused);
}

// A property read whole and deleted, its bytes kept when it is 8-bit data; nothing when it is
// missing or larger than `limit` bytes.
std::optional<Property> takeProperty(Display* display, Window window, Atom property, size_t limit) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const long longs = long((limit + 3) / 4);
    if (XGetWindowProperty(display, window, property, 0, longs, True, AnyPropertyType, &type, &format, &count,
                           &after, &data) != Success)
        return std::nullopt;
    std::optional<Property> taken;
    if (type != None && after == 0) {
        taken = Property{type, {}, {}};
        if (data && format == kBitsPerByte) taken->bytes.assign(data, data + count);
        if (data && format == kBitsPerLong && type == XA_ATOM)
            taken->atoms.assign(reinterpret_cast<const Atom*>(data), reinterpret_cast<const Atom*>(data) + count);
    }
    if (data) XFree(data);
    return taken;
}

std::string atomName(Display* display, Atom atom) {
    if (atom == None) return {};
    char* name = XGetAtomName(display, atom);
    std::string out = name ? name : "";
    if (name) XFree(name);
    return out;
}

class X11Clipboard final : public ClipboardBackend {
public:
    X11Clipboard(Display* display, size_t piece, size_t pictureLimit)
        : display_(display), piece_(piece), pictureLimit_(pictureLimit) {
        registerConnection(display_);
        // The server gone, Xlib would exit() from this thread: the thread stops instead, and
        // the display's own connection ends the program.
        XSetIOErrorHandler(leaveToExitHandler);
        XSetIOErrorExitHandler(
            display_, [](Display*, void* self) { static_cast<X11Clipboard*>(self)->lost_.store(true); }, this);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(display_, window_, PropertyChangeMask);
        clipboard_ = atom("CLIPBOARD");
        targets_ = atom("TARGETS");
        timestamp_ = atom("TIMESTAMP");
        multiple_ = atom("MULTIPLE");
        atomPair_ = atom("ATOM_PAIR");
        incr_ = atom("INCR");
        manager_ = atom("CLIPBOARD_MANAGER");
        saveTargets_ = atom("SAVE_TARGETS");
        pasted_ = atom("TUMBLO_PASTED");
        clock_ = atom("TUMBLO_CLOCK");
        int ends[2] = {-1, -1};
        if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) == 0) {
            wakeRead_ = ends[0];
            wakeWrite_ = ends[1];
        }
        XFlush(display_);
        thread_ = std::thread([this] { run(); });
    }

    ~X11Clipboard() override {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake();
        thread_.join();
        // Xlib would wait for ever on a lost connection: it stays open, one of ours.
        if (!lost_.load()) {
            XDestroyWindow(display_, window_);
            forgetConnection(display_);
            XCloseDisplay(display_);
        }
        if (wakeRead_ >= 0) close(wakeRead_);
        if (wakeWrite_ >= 0) close(wakeWrite_);
    }

    bool place(ClipboardOffer offer) override {
        auto shared = std::make_shared<const ClipboardOffer>(std::move(offer));
        std::unique_lock lock(mutex_);
        toPlace_ = shared;
        const unsigned ask = ++placeAsked_;
        wake();
        done_.wait_for(lock, kAnswerWait, [&] { return placeDone_ == ask; });
        return owned_ == shared;
    }

    std::string text() override {
        std::unique_lock lock(mutex_);
        if (owned_) return owned_->text;
        // The thread gives up at its own deadline; the margin covers its last poll.
        if (!askOther(lock, ReadKind::Text, kAnswerWait + kAnswerWait / 2)) return {};
        return receivedText(readType_, readBytes_);
    }

    std::vector<uint8_t> picture() override {
        std::unique_lock lock(mutex_);
        if (owned_) return owned_->png.size() <= pictureLimit_ ? owned_->png : std::vector<uint8_t>{};
        if (!askOther(lock, ReadKind::Picture, kPictureWait) || !isPictureType(readType_)) return {};
        return std::move(readBytes_);
    }

    bool offersPicture() override {
        std::unique_lock lock(mutex_);
        if (owned_) return !owned_->png.empty() && owned_->png.size() <= pictureLimit_;
        if (!askOther(lock, ReadKind::Targets, kAnswerWait + kAnswerWait / 2)) return false;
        // The names come one a line.
        const std::string names(readBytes_.begin(), readBytes_.end());
        for (size_t at = 0; at < names.size();) {
            const size_t end = std::min(names.find('\n', at), names.size());
            if (isPictureType(std::string_view(names).substr(at, end - at))) return true;
            at = end + 1;
        }
        return false;
    }

    std::optional<std::string> ownFormat(const std::string& name) override {
        std::lock_guard lock(mutex_);
        if (!owned_) return std::nullopt;
        auto found = owned_->own.find(name);
        if (found == owned_->own.end()) return std::nullopt;
        return found->second;
    }

private:
    // A reply going piece by piece: each piece is written once the requestor deleted the last.
    struct Transfer {
        Window requestor;
        Atom property;
        Atom type;
        std::vector<uint8_t> data;
        size_t sent = 0;
        Clock::time_point deadline;
    };
    // The program's paste of another program's text or picture, under way.
    struct Reading {
        ReadKind kind;
        Atom target;
        Atom type = None;
        std::vector<uint8_t> bytes;
        bool inPieces = false;
        Clock::time_point deadline;
    };

    Atom atom(const char* name) { return XInternAtom(display_, name, False); }
    size_t limitOf(ReadKind kind) const { return kind == ReadKind::Picture ? pictureLimit_ : kMaxReceived; }

    // Asks the thread to read another program's data of the kind; false when it did not end
    // within `wait`. The answer is in readType_ and readBytes_.
    template <class Wait>
    bool askOther(std::unique_lock<std::mutex>& lock, ReadKind kind, Wait wait) {
        readWanted_ = kind;
        const unsigned ask = ++readAsked_;
        wake();
        return done_.wait_for(lock, wait, [&] { return readDone_ == ask; });
    }

    void wake() {
        if (wakeWrite_ < 0) return;
        const char byte = 0;
        // A full pipe already holds a wake-up.
        const ssize_t written = write(wakeWrite_, &byte, 1);
        (void)written;
    }

    void run() {
        pollfd watched[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        while (!lost_.load() && takeRequests()) {
            serveEvents();
            expire();
            XFlush(display_);
            const bool waiting = reading_ || !transfers_.empty();
            // Writing may have read events into the library's buffers, where the socket no longer
            // shows them; only an empty queue waits.
            if (XEventsQueued(display_, QueuedAfterReading) == 0)
                poll(watched, wakeRead_ >= 0 ? 2 : 1, waiting ? kTickMs : kNoTimeout);
            char drained[64];
            while (wakeRead_ >= 0 && read(wakeRead_, drained, sizeof drained) > 0) {
            }
        }
        handOver();
    }

    void serveEvents() {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            handle(event);
        }
    }

    // False once the program is on its way out.
    bool takeRequests() {
        std::shared_ptr<const ClipboardOffer> offer;
        unsigned placeAsk = 0, readAsk = 0;
        ReadKind kind = ReadKind::Text;
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return false;
            if (placeAsked_ != placeDone_) {
                offer = toPlace_;
                placeAsk = placeAsked_;
            }
            if (!reading_ && readAsked_ != readDone_) {
                readAsk = readAsked_;
                kind = readWanted_;
            }
        }
        if (placeAsk) own(std::move(offer), placeAsk);
        if (readAsk) {
            readingFor_ = readAsk;
            if (XGetSelectionOwner(display_, clipboard_) == None)
                finishReading({}, {});
            else
                startReading(kind, atom(std::string(nextTarget(kind, {})).c_str()));
        }
        return true;
    }

    // The server's time, from a change to our own window's property.
    Time serverTime() {
        XChangeProperty(display_, window_, clock_, XA_INTEGER, kBitsPerLong, PropModeAppend, nullptr, 0);
        XEvent event;
        XIfEvent(display_, &event, &X11Clipboard::isClockChange, reinterpret_cast<XPointer>(this));
        return event.xproperty.time;
    }

    static Bool isClockChange(Display*, XEvent* event, XPointer self) {
        const auto* me = reinterpret_cast<X11Clipboard*>(self);
        return event->type == PropertyNotify && event->xproperty.window == me->window_ &&
               event->xproperty.atom == me->clock_;
    }

    void own(std::shared_ptr<const ClipboardOffer> offer, unsigned ask) {
        const Time time = serverTime();
        XSetSelectionOwner(display_, clipboard_, window_, time);
        const bool owning = XGetSelectionOwner(display_, clipboard_) == window_;
        if (owning) ownedSince_ = time;
        {
            std::lock_guard lock(mutex_);
            owned_ = owning ? std::move(offer) : nullptr;
            placeDone_ = ask;
        }
        done_.notify_all();
    }

    void handle(const XEvent& event) {
        switch (event.type) {
            case SelectionRequest: answer(event.xselectionrequest); break;
            case SelectionClear:
                if (event.xselectionclear.selection == clipboard_) {
                    std::lock_guard lock(mutex_);
                    owned_.reset();
                }
                break;
            case SelectionNotify: received(event.xselection); break;
            case PropertyNotify: propertyChanged(event.xproperty); break;
            default: break;
        }
    }

    std::shared_ptr<const ClipboardOffer> currentOffer() {
        std::lock_guard lock(mutex_);
        return owned_;
    }

    void answer(const XSelectionRequestEvent& request) {
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.display = display_;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        reply.property = None;
        // Clients of old give no property and expect the target's name to be used.
        const Atom property = request.property == None ? request.target : request.property;
        const std::shared_ptr<const ClipboardOffer> offer = currentOffer();
        const bool current = request.time == CurrentTime || request.time >= ownedSince_;
        if (offer && current && request.selection == clipboard_) {
            if (request.target == multiple_) {
                if (convertEach(request.requestor, property, *offer)) reply.property = property;
            } else if (convert(request.requestor, request.target, property, *offer)) {
                reply.property = property;
            }
        }
        XSendEvent(display_, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    }

    // Writes the offer's data for the target into the requestor's property; false when the
    // offer has none.
    bool convert(Window requestor, Atom target, Atom property, const ClipboardOffer& offer) {
        if (target == targets_) {
            std::vector<Atom> atoms{targets_, timestamp_, multiple_};
            for (const std::string& name : offeredTargets(offer)) atoms.push_back(atom(name.c_str()));
            XChangeProperty(display_, requestor, property, XA_ATOM, kBitsPerLong, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(atoms.data()), int(atoms.size()));
            return true;
        }
        if (target == timestamp_) {
            const long since = long(ownedSince_);
            XChangeProperty(display_, requestor, property, XA_INTEGER, kBitsPerLong, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&since), 1);
            return true;
        }
        std::optional<SelectionData> data = selectionData(offer, atomName(display_, target));
        if (!data) return false;
        const Atom type = atom(data->type.c_str());
        if (data->bytes.size() <= piece_) {
            XChangeProperty(display_, requestor, property, type, kBitsPerByte, PropModeReplace, data->bytes.data(),
                            int(data->bytes.size()));
            return true;
        }
        XSelectInput(display_, requestor, PropertyChangeMask);
        const long size = long(data->bytes.size());
        XChangeProperty(display_, requestor, property, incr_, kBitsPerLong, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&size), 1);
        transfers_.push_back(Transfer{requestor, property, type, std::move(data->bytes), 0, Clock::now() + kPieceWait});
        return true;
    }

    // MULTIPLE: the property holds pairs of target and property; a pair whose target the offer
    // cannot give gets None for its property.
    bool convertEach(Window requestor, Atom property, const ClipboardOffer& offer) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, requestor, property, 0, kMaxPairs * 2, False, atomPair_, &type, &format,
                               &count, &after, &data) != Success)
            return false;
        std::vector<Atom> pairs;
        if (data && format == kBitsPerLong && type == atomPair_)
            pairs.assign(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + (count & ~1UL));
        if (data) XFree(data);
        if (pairs.empty()) return false;
        for (size_t i = 0; i < pairs.size(); i += 2)
            if (pairs[i] == multiple_ || pairs[i + 1] == None || !convert(requestor, pairs[i], pairs[i + 1], offer))
                pairs[i + 1] = None;
        XChangeProperty(display_, requestor, property, atomPair_, kBitsPerLong, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(pairs.data()), int(pairs.size()));
        return true;
    }

    void propertyChanged(const XPropertyEvent& change) {
        if (change.state == PropertyDelete) {
            auto sending = std::find_if(transfers_.begin(), transfers_.end(), [&](const Transfer& t) {
                return t.requestor == change.window && t.property == change.atom;
            });
            if (sending != transfers_.end()) sendNextPiece(sending);
            return;
        }
        if (change.window == window_ && change.atom == pasted_ && reading_ && reading_->inPieces) takePiece();
    }

    void sendNextPiece(std::list<Transfer>::iterator sending) {
        Transfer& t = *sending;
        const size_t count = std::min(piece_, t.data.size() - t.sent);
        XChangeProperty(display_, t.requestor, t.property, t.type, kBitsPerByte, PropModeReplace,
                        t.data.data() + t.sent, int(count));
        t.sent += count;
        t.deadline = Clock::now() + kPieceWait;
        // The empty piece after the last one ends the transfer.
        if (count == 0) endTransfer(sending);
    }

    void endTransfer(std::list<Transfer>::iterator ended) {
        const Window requestor = ended->requestor;
        transfers_.erase(ended);
        const bool more = std::any_of(transfers_.begin(), transfers_.end(),
                                      [&](const Transfer& t) { return t.requestor == requestor; });
        if (!more) XSelectInput(display_, requestor, NoEventMask);
    }

    void expire() {
        const Clock::time_point now = Clock::now();
        for (auto t = transfers_.begin(); t != transfers_.end();) {
            auto next = std::next(t);
            if (t->deadline < now) endTransfer(t);
            t = next;
        }
        if (reading_ && reading_->deadline < now) finishReading({}, {});
    }

    void startReading(ReadKind kind, Atom target) {
        XDeleteProperty(display_, window_, pasted_);
        XConvertSelection(display_, clipboard_, target, pasted_, window_, CurrentTime);
        reading_ = Reading{kind, target, None, {}, false, Clock::now() + kAnswerWait};
    }

    void received(const XSelectionEvent& notice) {
        if (notice.selection == manager_) {
            managerTookIt_ = true;
            return;
        }
        if (!reading_ || notice.requestor != window_ || notice.selection != clipboard_) return;
        const ReadKind kind = reading_->kind;
        if (notice.property == None) {
            const std::string_view next = nextTarget(kind, atomName(display_, reading_->target));
            if (next.empty())
                finishReading({}, {});
            else
                startReading(kind, atom(std::string(next).c_str()));
            return;
        }
        std::optional<Property> taken = takeProperty(display_, window_, pasted_, limitOf(kind));
        if (!taken) {
            finishReading({}, {});
        } else if (kind == ReadKind::Targets) {
            std::string names;
            for (Atom offered : taken->atoms) names += atomName(display_, offered) + "\n";
            finishReading("TARGETS", std::vector<uint8_t>(names.begin(), names.end()));
        } else if (taken->type == incr_) {
            // Deleting the INCR property asked for the first piece.
            reading_->inPieces = true;
            reading_->deadline = Clock::now() + kAnswerWait;
        } else {
            finishReading(atomName(display_, taken->type), std::move(taken->bytes));
        }
    }

    void takePiece() {
        const size_t limit = limitOf(reading_->kind);
        std::optional<Property> piece = takeProperty(display_, window_, pasted_, limit);
        if (!piece || reading_->bytes.size() + piece->bytes.size() > limit) {
            finishReading({}, {});
            return;
        }
        if (piece->bytes.empty()) {
            finishReading(atomName(display_, reading_->type), std::move(reading_->bytes));
            return;
        }
        reading_->type = piece->type;
        reading_->bytes.insert(reading_->bytes.end(), piece->bytes.begin(), piece->bytes.end());
        reading_->deadline = Clock::now() + kAnswerWait;
    }

    void finishReading(std::string type, std::vector<uint8_t> bytes) {
        reading_.reset();
        {
            std::lock_guard lock(mutex_);
            readType_ = std::move(type);
            readBytes_ = std::move(bytes);
            readDone_ = readingFor_;
        }
        done_.notify_all();
    }

    // Gives the offer to the desktop's clipboard manager, which asks for every target and keeps
    // them once the program has gone.
    void handOver() {
        if (lost_.load() || !currentOffer() || XGetSelectionOwner(display_, manager_) == None) return;
        XConvertSelection(display_, manager_, saveTargets_, pasted_, window_, CurrentTime);
        XFlush(display_);
        const Clock::time_point deadline = Clock::now() + kManagerWait;
        pollfd watched{ConnectionNumber(display_), POLLIN, 0};
        while (!managerTookIt_ && Clock::now() < deadline) {
            serveEvents();
            expire();
            XFlush(display_);
            if (!managerTookIt_) poll(&watched, 1, kTickMs);
        }
    }

    Display* display_;
    Window window_ = None;
    size_t piece_;
    size_t pictureLimit_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::atomic<bool> lost_{false};
    Atom clipboard_, targets_, timestamp_, multiple_, atomPair_, incr_, manager_, saveTargets_, pasted_, clock_;
    std::thread thread_;

    // Shared between the program's thread and the clipboard's, under mutex_.
    std::mutex mutex_;
    std::condition_variable done_;
    bool stopping_ = false;
    std::shared_ptr<const ClipboardOffer> toPlace_;
    unsigned placeAsked_ = 0;
    unsigned placeDone_ = 0;
    // The offer while the program owns the clipboard.
    std::shared_ptr<const ClipboardOffer> owned_;
    unsigned readAsked_ = 0;
    unsigned readDone_ = 0;
    ReadKind readWanted_ = ReadKind::Text;
    std::string readType_;
    std::vector<uint8_t> readBytes_;

    // The clipboard thread's own.
    Time ownedSince_ = CurrentTime;
    std::list<Transfer> transfers_;
    std::optional<Reading> reading_;
    unsigned readingFor_ = 0;
    bool managerTookIt_ = false;
};

}  // namespace

std::unique_ptr<ClipboardBackend> makeX11Clipboard(const char* display, size_t piece, size_t pictureLimit) {
    Display* connection = XOpenDisplay(display);
    if (!connection) return nullptr;
    if (piece == 0) {
        const size_t largest = size_t(XMaxRequestSize(connection)) * 4 - kRequestHeader;
        piece = std::min(kLargestPiece, largest);
    }
    return std::make_unique<X11Clipboard>(connection, piece, pictureLimit);
}

}  // namespace plat
