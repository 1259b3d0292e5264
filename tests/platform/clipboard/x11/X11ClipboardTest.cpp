// The X server's clipboard as other programs meet it: each case runs a private Xvfb and a second
// connection that plays another program, asking for what the program offers and offering its
// own. Every wait has a deadline, so a missing answer fails instead of hanging.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/clipboard/x11/X11Clipboard.h"
#include "tests/HangWatchdog.h"
#include "tests/xserver/XvfbServer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDeadline = std::chrono::seconds(5);
constexpr size_t kPiece = 1000;
// The largest picture the clipboard under test takes from another program.
constexpr size_t kPictureLimit = 5000;

struct Reply {
    std::string type;
    std::vector<uint8_t> bytes;
    std::vector<Atom> atoms;
};

std::string bytesText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Another program on the same X server, written the plain Xlib way.
class OtherProgram {
public:
    explicit OtherProgram(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
        if (!display_) return;
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(display_, window_, PropertyChangeMask);
        XFlush(display_);
    }
    ~OtherProgram() {
        stopServing();
        if (display_) XCloseDisplay(display_);
    }
    bool connected() const { return display_ != nullptr; }
    Atom atom(const char* name) { return XInternAtom(display_, name, False); }
    std::string name(Atom a) {
        char* n = XGetAtomName(display_, a);
        std::string out = n ? n : "";
        if (n) XFree(n);
        return out;
    }

    // What the clipboard's owner gives for the target, following INCR; nothing when refused.
    std::optional<Reply> ask(const char* target, const char* selection = "CLIPBOARD") {
        const Atom into = atom("OTHER_PASTE");
        XConvertSelection(display_, atom(selection), atom(target), into, window_, CurrentTime);
        XEvent notice;
        if (!waitFor(notice, [&](const XEvent& e) { return e.type == SelectionNotify; })) return std::nullopt;
        if (notice.xselection.property == None) return std::nullopt;
        Reply reply;
        Atom type = take(into, reply);
        if (type == atom("INCR")) {
            reply.bytes.clear();
            for (;;) {
                XEvent change;
                if (!waitFor(change, [&](const XEvent& e) {
                        return e.type == PropertyNotify && e.xproperty.atom == into && e.xproperty.state == PropertyNewValue;
                    }))
                    return std::nullopt;
                Reply piece;
                type = take(into, piece);
                if (piece.bytes.empty()) break;
                reply.bytes.insert(reply.bytes.end(), piece.bytes.begin(), piece.bytes.end());
            }
        }
        reply.type = name(type);
        return reply;
    }

    // MULTIPLE with (target, property) pairs, a target named with a leading '-' asking into no
    // property; each answered pair's bytes, nothing for a refused pair, and nothing at all when
    // the whole request is refused.
    std::optional<std::vector<std::optional<std::string>>> askEach(const std::vector<std::string>& targets) {
        std::vector<Atom> pairs;
        for (size_t i = 0; i < targets.size(); ++i) {
            const bool into = targets[i][0] != '-';
            pairs.push_back(atom(targets[i].c_str() + (into ? 0 : 1)));
            pairs.push_back(into ? atom(("OTHER_" + std::to_string(i)).c_str()) : None);
        }
        const Atom list = atom("OTHER_LIST");
        XChangeProperty(display_, window_, list, atom("ATOM_PAIR"), 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(pairs.data()), int(pairs.size()));
        XConvertSelection(display_, atom("CLIPBOARD"), atom("MULTIPLE"), list, window_, CurrentTime);
        XEvent notice;
        if (!waitFor(notice, [&](const XEvent& e) { return e.type == SelectionNotify; })) return std::nullopt;
        if (notice.xselection.property == None) return std::nullopt;
        Reply answered;
        take(list, answered);
        std::vector<std::optional<std::string>> out;
        for (size_t i = 0; i < targets.size(); ++i) {
            if (answered.atoms.size() <= i * 2 + 1 || answered.atoms[i * 2 + 1] == None) {
                out.emplace_back();
                continue;
            }
            Reply one;
            take(answered.atoms[i * 2 + 1], one);
            out.emplace_back(bytesText(one.bytes));
        }
        return out;
    }

    // Takes the clipboard and answers from a thread: `types` are the targets given, the text
    // goes in pieces of `piece` bytes when it is longer.
    void own(std::string text, std::vector<std::string> types, size_t piece) {
        const Atom clipboard = atom("CLIPBOARD");
        XSetSelectionOwner(display_, clipboard, window_, CurrentTime);
        XSync(display_, False);
        serving_ = true;
        server_ = std::thread([this, text, types, piece] { serve(text, types, piece); });
    }
    void stopServing() {
        serving_ = false;
        if (server_.joinable()) server_.join();
    }

    // Plays the desktop's clipboard manager: owns CLIPBOARD_MANAGER, and when asked to save
    // fetches the owner's UTF-8 text before answering.
    void manage() {
        XSetSelectionOwner(display_, atom("CLIPBOARD_MANAGER"), window_, CurrentTime);
        XSync(display_, False);
        serving_ = true;
        server_ = std::thread([this] {
            XEvent request;
            if (!waitFor(request, [](const XEvent& e) { return e.type == SelectionRequest; })) return;
            std::optional<Reply> saved = ask("UTF8_STRING");
            if (saved) saved_ = bytesText(saved->bytes);
            XSelectionEvent reply{};
            reply.type = SelectionNotify;
            reply.requestor = request.xselectionrequest.requestor;
            reply.selection = request.xselectionrequest.selection;
            reply.target = request.xselectionrequest.target;
            reply.property = request.xselectionrequest.property;
            reply.time = request.xselectionrequest.time;
            XSendEvent(display_, reply.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
            XFlush(display_);
        });
    }
    std::string saved() {
        stopServing();
        return saved_;
    }

private:
    template <class Match>
    bool waitFor(XEvent& event, Match match) {
        const Clock::time_point end = Clock::now() + kDeadline;
        pollfd watched{ConnectionNumber(display_), POLLIN, 0};
        while (Clock::now() < end) {
            while (XPending(display_)) {
                XNextEvent(display_, &event);
                if (match(event)) return true;
            }
            poll(&watched, 1, 20);
        }
        return false;
    }

    Atom take(Atom property, Reply& reply) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, window_, property, 0, 1 << 24, True, AnyPropertyType, &type, &format, &count,
                           &after, &data);
        if (data && format == 8) reply.bytes.assign(data, data + count);
        if (data && format == 32) reply.atoms.assign(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + count);
        if (data) XFree(data);
        XFlush(display_);
        return type;
    }

    void serve(const std::string& text, const std::vector<std::string>& types, size_t piece) {
        const Clock::time_point end = Clock::now() + kDeadline;
        pollfd watched{ConnectionNumber(display_), POLLIN, 0};
        while (serving_ && Clock::now() < end) {
            while (XPending(display_)) {
                XEvent e;
                XNextEvent(display_, &e);
                if (e.type == SelectionRequest) answer(e.xselectionrequest, text, types, piece);
            }
            poll(&watched, 1, 20);
        }
    }

    void answer(const XSelectionRequestEvent& request, const std::string& text, const std::vector<std::string>& types,
                size_t piece) {
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        if (request.target == atom("TARGETS")) {
            std::vector<Atom> offered;
            for (const std::string& t : types) offered.push_back(atom(t.c_str()));
            XChangeProperty(display_, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered.data()), int(offered.size()));
            reply.property = request.property;
            XSendEvent(display_, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
            XFlush(display_);
            return;
        }
        for (const std::string& t : types)
            if (request.target == atom(t.c_str())) reply.property = request.property;
        if (reply.property != None && text.size() <= piece) {
            XChangeProperty(display_, request.requestor, request.property, request.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(text.data()), int(text.size()));
        } else if (reply.property != None) {
            XSelectInput(display_, request.requestor, PropertyChangeMask);
            const long size = long(text.size());
            XChangeProperty(display_, request.requestor, request.property, atom("INCR"), 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&size), 1);
        }
        XSendEvent(display_, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
        XFlush(display_);
        if (reply.property == None || text.size() <= piece) return;
        // The pieces follow each deletion by the reader; an empty piece ends them.
        for (size_t sent = 0;;) {
            XEvent deleted;
            if (!waitFor(deleted, [&](const XEvent& e) {
                    return e.type == PropertyNotify && e.xproperty.state == PropertyDelete &&
                           e.xproperty.window == request.requestor && e.xproperty.atom == request.property;
                }))
                return;
            const size_t count = std::min(piece, text.size() - sent);
            XChangeProperty(display_, request.requestor, request.property, request.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(text.data() + sent), int(count));
            XFlush(display_);
            sent += count;
            if (count == 0) return;
        }
    }

    Display* display_;
    Window window_ = None;
    std::thread server_;
    std::atomic<bool> serving_{false};
    std::string saved_;
};

class X11ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server_.running()) GTEST_SKIP() << server_.failure();
        clipboard_ = plat::makeX11Clipboard(server_.display().c_str(), kPiece, kPictureLimit);
        ASSERT_NE(clipboard_, nullptr);
        other_.emplace(server_.display());
        ASSERT_TRUE(other_->connected());
    }
    void TearDown() override {
        clipboard_.reset();
        other_.reset();
    }

    static plat::ClipboardOffer offer(std::string text, size_t pngBytes) {
        plat::ClipboardOffer o;
        o.text = std::move(text);
        for (size_t i = 0; i < pngBytes; ++i) o.png.push_back(uint8_t(i * 7));
        o.own["Ours"] = "mark";
        return o;
    }

    XvfbServer server_;
    std::unique_ptr<plat::ClipboardBackend> clipboard_;
    std::optional<OtherProgram> other_;
};

TEST_F(X11ClipboardTest, AnotherProgramPastesWhatTheOfferHolds) {
    struct Case {
        const char* what;
        std::string text;
        size_t pngBytes;
        const char* target;
        std::optional<std::string> type;  // nothing: refused
        std::string bytes;
    };
    const std::string png3(reinterpret_cast<const char*>(offer("", 3).png.data()), 3);
    std::string big;
    for (size_t i = 0; i < kPiece * 3 + 17; ++i) big += char(i * 7);
    const std::vector<Case> cases = {
        {"a small picture whole", "", 3, "image/png", "image/png", png3},
        {"a picture one byte over a piece comes in pieces", "", kPiece + 1, "image/png", "image/png",
         big.substr(0, kPiece + 1)},
        {"a picture of several pieces", "", big.size(), "image/png", "image/png", big},
        {"a picture offer has no text", "", 3, "UTF8_STRING", std::nullopt, ""},
        {"text as UTF-8", "caf\xE9 \x80", 0, "UTF8_STRING", "UTF8_STRING", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"text under its MIME name", "caf\xE9", 0, "text/plain;charset=utf-8", "text/plain;charset=utf-8",
         "caf\xC3\xA9"},
        {"TEXT is answered with UTF-8", "caf\xE9", 0, "TEXT", "UTF8_STRING", "caf\xC3\xA9"},
        {"STRING is Latin-1, cp1252's own letters become ?", "caf\xE9 \x80", 0, "STRING", "STRING",
         "caf\xE9 ?"},
        {"a text offer has no picture", "dog", 0, "image/png", std::nullopt, ""},
        {"an unknown target is refused", "dog", 3, "application/x-unknown", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(clipboard_->place(offer(c.text, c.pngBytes)));
        std::optional<Reply> reply = other_->ask(c.target);
        ASSERT_EQ(reply.has_value(), c.type.has_value());
        if (!reply) continue;
        EXPECT_EQ(reply->type, *c.type);
        EXPECT_EQ(bytesText(reply->bytes), c.bytes);
    }
}

TEST_F(X11ClipboardTest, TargetsNameWhatTheOfferHoldsAndMultipleAnswersEachPair) {
    ASSERT_TRUE(clipboard_->place(offer("", 3)));
    std::optional<Reply> targets = other_->ask("TARGETS");
    ASSERT_TRUE(targets);
    std::vector<std::string> names;
    for (Atom a : targets->atoms) names.push_back(other_->name(a));
    EXPECT_EQ(names, (std::vector<std::string>{"TARGETS", "TIMESTAMP", "MULTIPLE", "image/png"}));
    std::optional<Reply> since = other_->ask("TIMESTAMP");
    ASSERT_TRUE(since);
    ASSERT_EQ(since->atoms.size(), 1u);
    EXPECT_NE(since->atoms[0], 0u);

    ASSERT_TRUE(clipboard_->place(offer("hen", 0)));
    // A pair asking for nothing we hold, for MULTIPLE again, or into no property is refused alone.
    const auto each = other_->askEach({"UTF8_STRING", "image/png", "STRING", "MULTIPLE", "-UTF8_STRING"});
    ASSERT_TRUE(each);
    EXPECT_EQ(*each, (std::vector<std::optional<std::string>>{"hen", std::nullopt, "hen", std::nullopt, std::nullopt}));
    EXPECT_FALSE(other_->askEach({})) << "a MULTIPLE without pairs is refused as a whole";
}

TEST_F(X11ClipboardTest, OurFormatsLastUntilAnotherProgramCopies) {
    ASSERT_TRUE(clipboard_->place(offer("mine", 3)));
    EXPECT_EQ(clipboard_->ownFormat("Ours"), "mark");
    EXPECT_EQ(clipboard_->ownFormat("Theirs"), std::nullopt);
    EXPECT_EQ(clipboard_->text(), "mine");
    other_->own("theirs", {"UTF8_STRING"}, kPiece);
    // The loss of the selection reaches the clipboard's thread in its own time.
    const Clock::time_point end = Clock::now() + kDeadline;
    while (clipboard_->ownFormat("Ours") && Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(clipboard_->ownFormat("Ours"), std::nullopt);
    EXPECT_EQ(clipboard_->text(), "theirs");
}

TEST_F(X11ClipboardTest, AnotherProgramsTextArrivesWhateverWayItIsGiven) {
    struct Case {
        const char* what;
        std::string given;
        std::vector<std::string> types;
        size_t piece;
        std::string expected;
    };
    std::string long1252, longUtf8;
    for (int i = 0; i < 700; ++i) long1252 += "\xE9t\xE9 ", longUtf8 += "\xC3\xA9t\xC3\xA9 ";
    const std::vector<Case> cases = {
        {"UTF-8 whole", "ni\xC3\xB1o \xE6\x97\xA5", {"UTF8_STRING"}, kPiece, "ni\xF1o ?"},
        {"UTF-8 in pieces", longUtf8, {"UTF8_STRING"}, 256, long1252},
        {"only Latin-1", "ni\xF1o", {"STRING"}, kPiece, "ni\xF1o"},
        {"nothing the program reads", "ni\xF1o", {"image/png"}, kPiece, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        other_->own(c.given, c.types, c.piece);
        const std::string pasted = clipboard_->text();
        EXPECT_EQ(pasted.size(), c.expected.size());
        EXPECT_TRUE(pasted == c.expected);
        EXPECT_EQ(clipboard_->hasText(), !c.expected.empty());
        other_->stopServing();
    }
}

// A picture another program copied comes as its PNG bytes, whole or in pieces, up to the
// limit; a larger one, or a copy without a picture, gives none. The program's own offer gives
// its own picture.
TEST_F(X11ClipboardTest, AnotherProgramsPictureArrivesWithinItsLimit) {
    std::string bytes;
    for (size_t i = 0; i <= kPictureLimit; ++i) bytes += char(i * 13);
    struct Case {
        const char* what;
        std::string given;
        std::vector<std::string> types;
        size_t piece;
        bool arrives;
    };
    const std::vector<Case> cases = {
        {"whole", bytes.substr(0, 40), {"image/png"}, kPiece, true},
        {"in pieces, at the limit", bytes.substr(0, kPictureLimit), {"image/png"}, 256, true},
        {"one byte beyond the limit", bytes, {"image/png"}, 256, false},
        {"whole beyond the limit", bytes, {"image/png"}, kPictureLimit * 2, false},
        {"no picture offered", "text", {"UTF8_STRING"}, kPiece, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        other_->own(c.given, c.types, c.piece);
        EXPECT_EQ(clipboard_->offersPicture(), c.types.front() == "image/png");
        const std::vector<uint8_t> pasted = clipboard_->picture();
        EXPECT_EQ(bytesText(pasted), c.arrives ? c.given : std::string());
        other_->stopServing();
    }
    ASSERT_TRUE(clipboard_->place(offer("", 3)));
    EXPECT_TRUE(clipboard_->offersPicture());
    EXPECT_EQ(clipboard_->picture(), offer("", 3).png);
}

TEST_F(X11ClipboardTest, TheClipboardManagerKeepsTheOfferOnTheWayOut) {
    ASSERT_TRUE(clipboard_->place(offer("keep me", 0)));
    other_->manage();
    clipboard_.reset();
    EXPECT_EQ(other_->saved(), "keep me");
}

// The X server going away (a logout) is the display's to answer: the clipboard's own connection
// neither exits the process from its thread nor holds up its end.
TEST(X11ClipboardLostServerTest, TheClipboardGoesQuietlyWithItsServer) {
    const HangWatchdog watchdog("the clipboard after its server went", std::chrono::seconds(60));
    auto server = std::make_unique<XvfbServer>();
    if (!server->running()) GTEST_SKIP() << server->failure();
    auto clipboard = plat::makeX11Clipboard(server->display().c_str(), kPiece, kPictureLimit);
    ASSERT_NE(clipboard, nullptr);
    server.reset();
    EXPECT_EQ(clipboard->text(), "") << "asked of the lost server, which never answers";
    clipboard.reset();
}

}  // namespace
