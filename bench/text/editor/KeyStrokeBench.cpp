// A key stroke into a long styled text (the editor copies the text, lays the copy out and
// keeps it) against laying that text out once, each measured two ways: through fonts kept
// one per style (StyleFonts), and the plain way of making, measuring and disposing of a font
// for every character (MeasureStyledChar). The argument is the text's length, from
// KEYSTROKE_BENCH_SHORT and KEYSTROKE_BENCH_LONG in the environment (500 and 31999 when not
// given); a stroke types one character and takes it back, so the length stays. Rounds fail
// unless the layout is complete and the strokes changed the text as typed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "framework/undo/UndoManager.h"
#include "text/editor/RTEditor.h"
#include "text/host/TextKeys.h"
#include "text/measure/MeasureStyledChar.h"
#include "text/measure/StyleFonts.h"

namespace {

constexpr Rect16 kWide{0, 0, 30000, 30000};

// Text lengths come from the environment, a short text and the longest one a stroke can go
// into by default (a stroke into a text of 32000 characters is refused).
i64 textLength(const char* variable, i64 fallback) {
    const char* value = std::getenv(variable);
    return value ? i64(std::strtol(value, nullptr, 10)) : fallback;
}
i64 shortLength() { return textLength("KEYSTROKE_BENCH_SHORT", 500); }
i64 longLength() { return textLength("KEYSTROKE_BENCH_LONG", 31999); }
constexpr size_t kLineLength = 256;

class SilentHost : public TextHost {
public:
    void PlaySound(u16) override { ++sounds; }
    void MarkStale() override {}
    void Invalidate(const Rect16&) override {}
    int sounds = 0;
};

class FreshFonts : public CharMeasurer {
public:
    CharMetrics Measure(u8 c, const TextStyle& style) override { return MeasureStyledChar(c, style); }
    GfxFont* Select(const TextStyle&) override { return nullptr; }
};

// A port to measure in, as the screens have one.
class MeasuringPort {
public:
    MeasuringPort() {
        memInit(0, 512);
        gfxInitPalettes();
        port_ = gfxNewOffscreenPort(64, 64, 16, nullptr);
        if (port_ && gfxLockPort(port_) == kErrNone) gfxSetPort(port_);
        gfxSetDefaultFont(gfxNewFont("default", 12, 0));
        gfxSetFont(nullptr);
    }
    ~MeasuringPort() {
        gfxSetPort(nullptr);
        if (port_) {
            gfxUnlockPort(port_);
            gfxDisposePort(port_);
        }
        gfxDisposeAllFonts();
        gfxShutdownPalettes();
        memShutdown();
    }
    bool ready() const { return port_ != nullptr; }

private:
    GfxPort* port_ = nullptr;
};

// Words in lines of 256 characters, with three styled runs.
std::unique_ptr<StyledText> longText(size_t length) {
    std::string chars;
    const std::string words = "the quick brown fox jumps over a lazy dog ";
    while (chars.size() < length) chars += (chars.size() + 1) % kLineLength == 0 ? '\r' : words[chars.size() % words.size()];
    auto text = std::make_unique<StyledText>(chars.data(), u16(length));
    TextStyle bold, large, italic;
    bold.bold = kStyleOn;
    large.size = 24;
    italic.italic = kStyleOn;
    auto at = [length](size_t eighths) { return u16(length * eighths / 8); };
    text->SetSelection(at(0), at(1));
    text->ApplyStyle(bold);
    text->SetSelection(at(1) / 2, at(2));
    text->ApplyStyle(large);
    text->SetSelection(at(5), at(6));
    text->ApplyStyle(italic);
    text->SetSelection(u16(length / 2), u16(length / 2));
    return text;
}

void LayOutOnce(benchmark::State& state, CharMeasurer& measurer) {
    MeasuringPort port;
    const size_t length = size_t(state.range(0));
    auto text = longText(length);
    // Every line ends in a CR, none wraps in the wide rectangle.
    const u16 lines = u16(length / kLineLength + 1);
    // Kept fonts measure each character once; the strokes start with them measured too.
    TextLayout warm(*text, kWide, measurer);
    for (auto _ : state) {
        TextLayout layout(*text, kWide, measurer);
        if (!layout.Complete() || layout.LineCount() != lines) state.SkipWithError("the text was not laid out whole");
        benchmark::DoNotOptimize(layout.Bounds());
    }
}

void KeyStroke(benchmark::State& state, CharMeasurer& measurer) {
    MeasuringPort port;
    SilentHost host;
    Ostrel::UndoManager undo(1, [](const char*) { return std::string(); });
    RTEditor editor(host, measurer, undo);
    editor.Init(kWide);
    auto text = longText(size_t(state.range(0)));
    const std::string before = text->Text();
    editor.SetText(std::move(text));
    editor.Activate();
    for (auto _ : state) {
        editor.HandleKey(keyWord(0, 'x'));
        if (editor.Text()->Length() != before.size() + 1) state.SkipWithError("the typed character was not kept");
        editor.HandleKey(keyWord(kKeyBackspace, 0));
    }
    if (editor.Text()->Text() != before || host.sounds) state.SkipWithError("the strokes did not change the text as typed");
    state.SetItemsProcessed(state.iterations() * 2);
}

void LayOutOnceKeptFonts(benchmark::State& state) {
    StyleFonts fonts;
    LayOutOnce(state, fonts);
}

void LayOutOnceFreshFonts(benchmark::State& state) {
    FreshFonts fonts;
    LayOutOnce(state, fonts);
}

void KeyStrokeKeptFonts(benchmark::State& state) {
    StyleFonts fonts;
    KeyStroke(state, fonts);
}

void KeyStrokeFreshFonts(benchmark::State& state) {
    FreshFonts fonts;
    KeyStroke(state, fonts);
}

}  // namespace

// A font made per character costs milliseconds here (each is realised anew below the engine),
// so the plain way runs on a short text; its ratio to kept fonts holds at any length.
BENCHMARK(LayOutOnceKeptFonts)->Arg(shortLength())->Arg(longLength())->Unit(benchmark::kMillisecond);
BENCHMARK(LayOutOnceFreshFonts)->Arg(shortLength())->Unit(benchmark::kMillisecond);
BENCHMARK(KeyStrokeKeptFonts)->Arg(shortLength())->Arg(longLength())->Unit(benchmark::kMillisecond);
BENCHMARK(KeyStrokeFreshFonts)->Arg(shortLength())->Unit(benchmark::kMillisecond);
