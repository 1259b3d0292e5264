#pragma once
// The brush, fill, eraser and mixer panels over one archive of their button sets and strip
// pictures, for the user "Ann": each panel opened as the easel opens it, its record stored
// and read back word by word, and the cursor it last gave the canvas.
#include <string>
#include <vector>

#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolFactory.h"
#include "panels/base/ToolPanelMessages.h"
#include "panels/brush/RRealMediaToolPanel.h"
#include "panels/eraser/REraserPanel.h"
#include "panels/fill/RFillPanel.h"
#include "panels/mixer/RMixerPanel.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PanelFixture.h"

namespace testpanels {

using namespace Ostrel;

enum class Kind { Brush, Fill, Eraser, Mixer };

// The tool id of the `item`-th tool the factory builds in [first, end) (the first one for an
// item past them), or -1 when it builds none there: what the strip's item stands for.
inline i16 nthTool(i16 first, i16 end, int item) {
    std::vector<i16> built;
    for (i16 i = first; i < end; ++i)
        if (Ostrel::CreateToolForIndex(i) != nullptr) built.push_back(i);
    if (built.empty()) return -1;
    return built[item >= 0 && size_t(item) < built.size() ? size_t(item) : 0];
}

class PaintPanelFixture : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
        owner.onMessage = [this](const RMessage& m) {
            if (m.code == kMsgPanelEnableCanvas) cursor = m.param2;
        };
    }
    std::vector<testres::ResContent> contents() const override {
        std::vector<testres::ResContent> items = {
            {fourCC("MBTN"), 18000, buttonSet({{18000, 3, 0, 1, 10}})},
            {fourCC("MBTN"), 18001, buttonSet({{18003, 2, 0, 2, 50}})},
            // The voice family's first button is the voice brushes'.
            {fourCC("MBTN"), 18002, buttonSet({{18006, 1, 0, 2, 50}, {18005, 1, 0, 2, 130}})},
            {fourCC("MBTN"), 18003, buttonSet({{18007, 2, 0, 2, 50}})},
            {fourCC("MBTN"), 18200, buttonSet({{18201, 4, 18200, 2, 90}})},
            {fourCC("MBTN"), 18300, buttonSet({{18300, 3, 0, 1, 10}})},
            {fourCC("MBTN"), 18500, buttonSet({{18500, 2, 0, 1, 10}})},
            {fourCC("MBTN"), 18203, buttonSet({{18201, 2, 0, 1, 50}})},
            {fourCC("MBTN"), 18201, buttonSet({{18221, 4, 18200, 2, 90}})},
            {fourCC("MBTN"), 18202, buttonSet({{18261, 4, 18200, 2, 90}})},
            {fourCC("MBTN"), 18600, buttonSet({{18600, 2, 0, 1, 10}})},
        };
        // Strips: three solid and gradient fills, two patterns, two roller and spray patterns.
        for (u16 id : {21500, 21501, 21502, 21300, 21301, 21302, 21400, 21401, 24000, 24100})
            items.push_back({fourCC("tBMP"), id, "picture"});
        return items;
    }
    template <class T>
    void Store(const char* section, const std::vector<i16>& words) {
        if (words.empty()) return;
        RPanelPrefsTmpl<T> prefs(*paths, section);
        T& record = prefs.GetData();
        for (size_t i = 0; i < record.size(); ++i) record[i] = i < words.size() ? words[i] : kPrefsNotStored;
        ASSERT_EQ(prefs.Save(), kErrNone);
    }
    void Store(Kind kind, const std::vector<i16>& words) {
        switch (kind) {
            case Kind::Brush: Store<tRealMediaSaveData>(kRealMediaPanelSection, words); break;
            case Kind::Fill: Store<tFillPanelSaveData>(kFillPanelSection, words); break;
            case Kind::Eraser: Store<tEraserSaveData>(kEraserPanelSection, words); break;
            case Kind::Mixer: Store<tMixerSaveData>(kMixerPanelSection, words); break;
        }
    }
    std::unique_ptr<RToolPanel> Open(Kind kind) {
        std::unique_ptr<RToolPanel> panel;
        switch (kind) {
            case Kind::Brush: panel = std::make_unique<RRealMediaToolPanel>(&owner, paths.get()); break;
            case Kind::Fill: panel = std::make_unique<RFillPanel>(&owner, paths.get()); break;
            case Kind::Eraser: panel = std::make_unique<REraserPanel>(&owner, paths.get()); break;
            case Kind::Mixer: panel = std::make_unique<RMixerPanel>(&owner, paths.get()); break;
        }
        Attach(*panel);
        EXPECT_EQ(panel->Init(), 0);
        Deliver();
        return panel;
    }
    // What the panel shows, as its record.
    static std::vector<i16> Shown(Kind kind, const RToolPanel& panel) {
        const auto words = [](const auto& record) { return std::vector<i16>(record.begin(), record.end()); };
        switch (kind) {
            case Kind::Brush: return words(static_cast<const RRealMediaToolPanel&>(panel).Choices());
            case Kind::Fill: return words(static_cast<const RFillPanel&>(panel).Choices());
            case Kind::Eraser: return words(static_cast<const REraserPanel&>(panel).SavedChoices());
            case Kind::Mixer: return words(static_cast<const RMixerPanel&>(panel).Choices());
        }
        return {};
    }

    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
    u16 cursor = 0xFFFF;
};

}  // namespace testpanels
