#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>

#include "app/window/MainMenuLayout.h"
#include "app/menus/MenuCommands.h"
#include "contentgen/raster/ArchiveReader.h"
#include "contentgen/content/ContentGenerator.h"
#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "engine/gfx/sprites/format/ShapeScriptFormat.h"
#include "engine/ini/IniText.h"
#include "engine/regions/Regions.h"
#include "document/storage/LibraryHeader.h"
#include "document/storage/PictureRecord.h"
#include "media/swf/Document.h"
#include "tools/base/ToolNames.h"
#include "tools/params/ToolParams.h"
#include "media/swf/Movie.h"
#include "platform/media/movie/MovieCompositor.h"
#include "platform/media/playback/MovieSource.h"
#include "framework/format/ButtonSetFormat.h"
#include "framework/format/MenuFormat.h"

#include <nlohmann/json.hpp>

namespace {

using Files = std::map<std::string, std::vector<u8>>;

Files generate() {
    Files files;
    for (ContentFile& f : generateContent(CONTENT_TEST_MANIFESTS, 2)) files[f.path] = std::move(f.bytes);
    return files;
}

class ContentSet : public ::testing::Test {
protected:
    static void SetUpTestSuite() { files_ = new Files(generate()); }
    static void TearDownTestSuite() { delete files_; }

    static ArchiveReader archive(const std::string& item) {
        ArchiveReader reader;
        const auto it = files_->find(std::string("Data/") + item + ".kvr");
        EXPECT_NE(it, files_->end()) << item;
        if (it != files_->end()) {
            EXPECT_TRUE(reader.open(it->second)) << item;
        }
        return reader;
    }
    static std::string text(const std::string& path) {
        const auto it = files_->find(path);
        return it == files_->end() ? std::string() : std::string(it->second.begin(), it->second.end());
    }
    // The value of section/key in an INI text; nullopt when absent.
    static std::optional<std::string> iniValue(const std::string& ini, const std::string& section, const std::string& key) {
        const IniText t(ini);
        u32 body = 0, header = 0;
        IniKeyLine line{};
        if (!t.findSection(section, &body, &header) || !t.findKey(body, key, &line)) return std::nullopt;
        return std::string(t.slice(t.value(line)));
    }
    static std::vector<ButtonRecord> buttons(const ArchiveReader& a, u16 set) {
        std::vector<ButtonRecord> out;
        const auto bytes = a.find(fourCC("MBTN"), set);
        EXPECT_TRUE(bytes) << "button set " << set;
        if (bytes) {
            EXPECT_EQ(parseButtonSet(*bytes, &out), kErrNone) << "button set " << set;
        }
        return out;
    }

    static Files* files_;
};

Files* ContentSet::files_ = nullptr;

struct Named {
    const char* item;
    const char* type;
    std::vector<u16> ids;
};

std::vector<u16> range(u16 first, u16 last) {
    std::vector<u16> ids;
    for (u32 i = first; i <= last; ++i) ids.push_back(u16(i));
    return ids;
}

// What the screens, panels and dialogs load, by item, type and id.
const std::vector<Named> kNamedResources = {
    {"System", "MENU", {128}},
    {"System", "DLOG", {131}},
    {"System", "tSTR", {128}},
    {"System", "CURS", range(128, 156)},
    {"General", "tBMH", {100}},
    {"General", "tWAV", {31500, 31501, 31502, 31503, 31504}},
    {"General", "DLOG", {170, 171}},
    {"Splash", "tBMH", {1000}},
    {"Splash", "tBMP", {1000}},
    {"Splash", "tSCR", {1000, 1001}},
    {"Splash", "tWAV", {1002}},
    {"Splash_sp", "tBMP", {1000}},
    {"Splash_sp", "tSCR", {1000, 1001}},
    {"Easel", "tBMP", {1000, 7000, 7001}},
    {"Easel", "tBMP", range(17021, 17041)},
    {"Easel", "tBMH", {1000, 7000, 18000}},
    {"Easel", "tSCR", {1000, 1038, 1039, 1042, 1043, 1044, 1052, 1059, 1066, 1080, 1082, 1103, 1106, 1500, 1501, 18034, 18044}},
    {"Easel", "MBTN", {75}},
    {"ToolPanels", "MBTN", {18000, 18001, 18002, 18003, 18400, 18200, 18201, 18203, 18300, 18500, 18600}},
    {"ToolPanels", "tBMP", {24000, 24100, 24200}},
    {"ToolPanels", "tBMP", {19000, 20400, 20500, 21300, 21400, 21500}},
    {"ToolPanels", "tWAV", range(22000, 22042)},
    {"ToolPanels", "tWAV", {22090, 22091, 22092}},
    {"Easel", "tSCR", {18018, 18021, 18024, 18028, 18348, 18039, 18042, 18044, 18045, 18046, 18047, 18048, 18049, 18050, 18051, 18149, 18159, 18166}},
    {"RDlgLogin", "tBMH", {7600}},
    {"RDlgLogin", "tSCR", {7600, 7601, 7602, 7603, 7604, 7605, 7606, 7644, 7652}},
    {"RDlgLogin", "MBTN", {777, 778}},
    {"RDlgLogin", "tWAV", {7600}},
    {"RDlgLogin_sp", "tBMH", {7600}},
    {"RDlgLogin_sp", "MBTN", {777, 778}},
    {"Deleters", "tBMH", {7800}},
    {"Deleters", "tSCR", {7800, 7809, 7810, 7811, 7812, 7813, 7814}},
    {"EnterName", "tSCR", {7200, 7201, 7210, 7211}},
    {"EnterName", "MBTN", {777}},
    {"EnterSnd", "tSCR", {7200, 7201, 7210}},
    {"EnterSnd", "MBTN", {777}},
    {"TimerSettings", "tSCR", {17000, 17006}},
    {"TimerSettings", "MBTN", {889}},
    {"SlideShow", "tSCR", {7000, 7001, 7005}},
    {"SlideShow", "MBTN", {777}},
    {"Copy", "tSCR", range(7533, 7551)},
    {"Copy", "MBTN", {777, 780}},
    {"RFlattenDlg", "tSCR", {8000}},
    {"RFlattenDlg", "MBTN", {777}},
    {"RPickBgColorDlg", "tSCR", {7700}},
    {"RPickBgColorDlg", "MBTN", {777}},
    {"RGetStartDlg", "tSCR", {9000, 9001, 9002, 9003, 9004, 9005, 9006}},
    {"RGetStartDlg", "MBTN", {777}},
    {"RABCTextDlg", "tSCR", {8200, 8213}},
    {"RABCTextDlg", "MBTN", {777}},
    {"RPronounceDlg", "tSCR", {6500, 6517, 6518}},
    {"RPronounceDlg", "MBTN", {777}},
    {"RNoteDlg", "tSCR", {9000, 9010, 9011, 9012, 9013}},
    {"RNoteDlg", "MBTN", {777}},
    {"RPickBgSndDlg", "tSCR", {8050}},
    {"RPickBgSndDlg", "MBTN", {777}},
    {"RPickBgSndDlg", "STRL", {8500}},
    {"TransSound", "tSCR", {7000, 7002, 7004, 7012, 7014, 7034, 7046, 7050, 7062}},
    {"TransSound", "MBTN", {777}},
    {"TransSound", "STRL", {7500, 8500}},
    // The transitions' sounds: one for each place of the sound row after silence.
    {"TransSnd", "tWAV", range(12031, 12050)},
    {"RHelpDlg", "tBMH", {9000}},
    {"RHelpDlg", "tSCR", {9000, 9001, 9010, 9011, 9012, 9013}},
    {"RHelpDlg", "MBTN", {777}},
    {"StampEditor", "tBMH", {14000}},
    {"StampEditor", "tBMP", {14000}},
    {"StampEditor", "tSCR", {14000, 14001, 14002, 14003, 14031}},
    {"StampEditor", "MBTN", {14000}},
    {"StampEditor", "tWAV", {14006, 14007, 14008, 14009, 14010}},
    {"Deleters", "MBTN", {777}},
    {"Deleters_sp", "MBTN", {777}},
    {"Picker", "tBMP", {5000}},
    {"Picker", "tBMH", {5000}},
    {"Picker", "tSCR", {5000, 5003, 5213, 5214, 5215}},
    {"Picker", "MBTN", {888}},
    {"Picker_sp", "MBTN", {888}},
    // Tool icons of the strips: brushes, wacky brushes, voice and hands-free brushes, effects.
    {"ToolPanels", "tBMP", range(30000, 30098)},
    {"ToolPanels", "MBTN", {18700, 18202}},
    {"Easel", "tSCR", {18015, 18019, 18020, 18022, 18034, 18037, 18038, 18039, 18042, 18043, 18048, 18049, 18050, 18274}},
    {"Easel", "MBTN", {18900, 777, 18230}},
    {"CutPanel", "tBMP", range(13000, 13011)},
    {"CutPanel", "MRGN", range(13004, 13011)},
    {"CutPanel", "MBTN", {926}},
    {"CutPanel", "tWAV", range(13100, 13103)},
    // Move mode's frame in the cut and move panel's tray.
    {"Easel", "tSCR", {18353}},
    // The library panels' mascots, by the kind of things they hold.
    {"Easel", "tSCR", {18036, 18040, 18041}},
    // The brush and fill strips' own arrows.
    {"Easel", "tSCR", {18025, 18026}},
    {"General", "tBMP", {31500}},
    // The slide strip's timing, transition and sound lists, icons and control pictures.
    {"Picker", "STRL", {7000, 7500, 8500}},
    {"Picker_sp", "STRL", {7000, 7500, 8500}},
    {"Picker", "tBMP", {24004, 6502, 6505, 6507}},
    // The slide strip: cells, arrows, hot spots, the detail and plain marks, and its frame.
    {"Picker", "tSCR", {5058, 5060, 5068, 5080, 5093, 5094, 5106, 5107, 5119, 5120, 5168, 5193, 5219}},
    // The wacky brush panel's strip layout.
    {"Easel", "tSCR", {1}},
};

TEST_F(ContentSet, EveryResourceTheScreensLoadIsThereWithItsType) {
    for (const Named& n : kNamedResources) {
        const ArchiveReader a = archive(n.item);
        const FourCC type = fourCC(*reinterpret_cast<const char(*)[5]>(n.type));
        for (u16 id : n.ids) EXPECT_TRUE(a.find(type, id)) << n.item << " " << n.type << " " << id;
    }
}

// Every short dialog opens its item in the user's language and loads the shape group and
// root shape of its layout id and its button set.
TEST_F(ContentSet, EveryDialogHasItsLayoutGroupShapeAndButtonsInBothLanguages) {
    const struct {
        const char* item;
        u16 layout;
        u16 set;
    } kDialogs[] = {{"EnterName", 7200, 777},     {"EnterSnd", 7200, 777},      {"TimerSettings", 17000, 889},
                    {"SlideShow", 7000, 777},     {"Copy", 7500, 777},          {"RFlattenDlg", 8000, 777},
                    {"RPickBgColorDlg", 7700, 777}, {"Deleters", 7800, 777},    {"RGetStartDlg", 9000, 777},
                    {"RABCTextDlg", 8200, 777},   {"RPronounceDlg", 6500, 777}, {"RNoteDlg", 9000, 777},
                    {"RPickBgSndDlg", 8050, 777}, {"RDlgLogin", 7600, 777},     {"TransSound", 7000, 777}};
    for (const auto& d : kDialogs)
        for (const std::string& item : {std::string(d.item), std::string(d.item) + "_sp"}) {
            const ArchiveReader a = archive(item);
            EXPECT_TRUE(a.find(fourCC("tBMH"), d.layout)) << item;
            EXPECT_TRUE(a.find(fourCC("tSCR"), d.layout)) << item;
            EXPECT_TRUE(a.find(fourCC("MBTN"), d.set)) << item;
        }
}

TEST_F(ContentSet, EveryGroupDecodesAndEveryScriptStaysInsideItsGroup) {
    for (const auto& [path, bytes] : *files_) {
        if (path.rfind("Data/", 0) != 0 || !path.ends_with(".kvr")) continue;
        ArchiveReader a;
        ASSERT_TRUE(a.open(bytes)) << path;
        const ResTypeTables* groups = a.contents().directory.findType(fourCC("tBMH"));
        for (const ResIdEntry& g : groups ? groups->ids : std::vector<ResIdEntry>{}) {
            const auto frames = decodeGroupFrames(*a.find(fourCC("tBMH"), g.id));
            ASSERT_TRUE(frames) << path << " group " << g.id;
            EXPECT_TRUE(a.find(fourCC("REGS"), g.id) && a.find(fourCC("REGS"), u16(g.id + 1))) << path << " " << g.id;
            for (u32 shape = g.id; a.find(fourCC("tSCR"), u16(shape)); ++shape) {
                std::vector<u8> script(a.find(fourCC("tSCR"), u16(shape))->begin(), a.find(fourCC("tSCR"), u16(shape))->end());
                ASSERT_EQ(shapeScriptConvert(script), kErrNone) << path << " shape " << shape;
                for (size_t at = kShapeScriptFirstRecord; at + 2 <= script.size() && script[at] != kShapeRecordEnd;) {
                    const u8 type = script[at], length = script[at + 1];
                    if (type != kShapeRecordFrame) {
                        at += length;
                        continue;
                    }
                    for (u8 i = 0; i < length; ++i)
                        EXPECT_LE(readLE16(script.data() + at + 2 + kShapePartSize * i), frames->size()) << path << " shape " << shape;
                    at += 2 + kShapePartSize * length;
                }
            }
        }
    }
}

// The splash's hop is heard as a tune the synthesizer plays: its sound is a MIDI sound, which
// the hop's first step asks for in the slot the hop waits for; the splash's picture and its
// tune are read as soon as its archive opens, and nothing else is.
TEST_F(ContentSet, TheSplashHopsToAMidiTuneReadWithItsPicturesAtOpen) {
    const ArchiveReader splash = archive("Splash");
    const auto tune = splash.find(fourCC("tWAV"), 1002);
    ASSERT_TRUE(tune);
    ArchiveMidiInfo info;
    ASSERT_EQ(readArchiveMidi(*tune, &info), kErrNone);
    EXPECT_EQ(info.trackCount, 2);
    std::vector<u8> hop(splash.find(fourCC("tSCR"), 1001)->begin(), splash.find(fourCC("tSCR"), 1001)->end());
    ASSERT_EQ(shapeScriptConvert(hop), kErrNone);
    ASSERT_EQ(hop[kShapeScriptFirstRecord], kShapeRecordSound);
    EXPECT_EQ(readLE16(hop.data() + kShapeScriptFirstRecord + 2), 1002);
    EXPECT_EQ(readLE16(hop.data() + kShapeScriptFirstRecord + 4), 1);

    std::set<std::pair<FourCC, u16>> atOpen;
    for (const char* name : {"tBMP", "tBMH", "REGS", "tSCR", "tWAV"}) {
        const FourCC type = fourCC(*reinterpret_cast<const char(*)[5]>(name));
        for (const ResIdEntry& e : splash.contents().directory.findType(type)->ids)
            if (splash.contents().fileTable.at(e.index).flags & kResFlagLoadAtOpen) atOpen.insert({type, e.id});
    }
    const std::set<std::pair<FourCC, u16>> expected{{fourCC("tBMP"), 1000}, {fourCC("tWAV"), 1002}};
    EXPECT_EQ(atOpen, expected);
    EXPECT_EQ(std::count_if(splash.contents().fileTable.entries.begin(), splash.contents().fileTable.entries.end(),
                            [](const FileEntry& e) { return (e.flags & kResFlagLoadAtOpen) != 0; }),
              i64(expected.size()));
    for (const char* other : {"Easel", "General", "System"}) {
        const ArchiveReader a = archive(other);
        for (const FileEntry& e : a.contents().fileTable.entries) EXPECT_FALSE(e.flags & kResFlagLoadAtOpen) << other;
    }
}

// The splash's archive as the engine opens it on a volume that reads in the background: what
// it marks is in memory once the opening returns, read once each as an elevator goes (in file
// order on from where the file stood, then from its start), and nothing else is read.
TEST_F(ContentSet, TheSplashsMarkedResourcesArriveInFileOrderAsItsArchiveOpens) {
    class ReadLog : public testres::MemoryArchiveFile {
    public:
        ReadLog(std::shared_ptr<testres::FileImage> image, std::vector<u32>* reads)
            : MemoryArchiveFile(std::move(image), "Splash"), reads_(reads) {}
        EngineErr read(u32 offset, void* buffer, u32 count) override {
            reads_->push_back(offset);
            return MemoryArchiveFile::read(offset, buffer, count);
        }

    private:
        std::vector<u32>* reads_;
    };
    const ArchiveReader splash = archive("Splash");
    auto image = std::make_shared<testres::FileImage>();
    image->bytes = files_->at("Data/Splash.kvr");
    ASSERT_EQ(osmInit(nullptr), kErrNone);
    ASSERT_EQ(memInit(0, 512), kErrNone);
    ASSERT_EQ(resInit(), kErrNone);
    std::vector<u32> reads;
    const ResMapHandle map = resOpenArchive(std::make_unique<ReadLog>(image, &reads), 1, 1);
    ASSERT_NE(map, 0);
    std::vector<u32> dataReads, marked;
    for (u32 at : reads)
        if (at >= kArchiveHeaderSize && at < splash.contents().header.directoryOffset) dataReads.push_back(at);
    for (const FileEntry& e : splash.contents().fileTable.entries) {
        if (e.flags & kResFlagLoadAtOpen) marked.push_back(e.offset);
    }
    size_t turns = 0;
    for (size_t i = 0; i + 1 < dataReads.size(); ++i) turns += dataReads[i + 1] < dataReads[i];
    EXPECT_LE(turns, 1u) << "one pass through the file";
    if (turns == 1) {
        EXPECT_LT(dataReads.back(), dataReads.front()) << "the pass ends before it began";
    }
    std::sort(dataReads.begin(), dataReads.end());
    std::sort(marked.begin(), marked.end());
    EXPECT_EQ(dataReads, marked);
    EXPECT_NE(resGetResourceHandle(resFindResource(fourCC("tBMP"), 1000, map)), 0);
    EXPECT_NE(resGetResourceHandle(resFindResource(fourCC("tWAV"), 1002, map)), 0);
    EXPECT_EQ(resGetResourceHandle(resFindResource(fourCC("tSCR"), 1001, map)), 0) << "scripts are converted as they load";
    resCloseFile(map, 0, 1);
    resShutdown();
    memShutdown();
    osmShutdown();
}

TEST_F(ContentSet, ButtonStatesNameShapesThatExist) {
    // Screens and panels find their shapes in their own item or in the ones open beside it.
    const struct {
        const char* item;
        std::vector<const char*> openBeside;
    } sets[] = {{"Easel", {}}, {"ToolPanels", {"Easel"}}, {"Picker", {}}, {"Picker_sp", {}}, {"StampEditor", {}}, {"RDlgLogin", {}}, {"RDlgLogin_sp", {}}, {"Deleters", {}}, {"CutPanel", {"Easel"}}, {"EaselHelp", {}}, {"PickerHelp", {}}, {"Copy", {}}, {"Copy_sp", {}}};
    for (const auto& s : sets) {
        std::vector<ArchiveReader> open{archive(s.item)};
        for (const char* other : s.openBeside) open.push_back(archive(other));
        const ResTypeTables* setIds = open[0].contents().directory.findType(fourCC("MBTN"));
        ASSERT_TRUE(setIds) << s.item;
        for (const ResIdEntry& set : setIds->ids)
            for (const ButtonRecord& b : buttons(open[0], set.id))
                for (u16 shape : b.shapes) {
                    bool found = false;
                    for (const ArchiveReader& a : open) found = found || a.find(fourCC("tSCR"), shape);
                    EXPECT_TRUE(found) << s.item << " set " << set.id << " button " << b.id << " shape " << shape;
                }
    }
}

TEST_F(ContentSet, EaselButtonsPostTheirHelpMessagesOnHover) {
    const std::map<u16, u32> hover = {{1067, 325}, {1012, 326}, {1027, 327}, {1015, 328}, {1018, 329}, {1003, 330},
                                      {1000, 331}, {1021, 332}, {1024, 333}, {1009, 334}, {1006, 335}, {1030, 336},
                                      {1033, 337}, {1077, 338}, {1042, 340}, {1073, 342}, {1070, 343}, {1038, 344}};
    std::map<u16, u32> got;
    for (const ButtonRecord& b : buttons(archive("Easel"), 75)) got[b.id] = b.hoverMessage;
    EXPECT_EQ(got, hover);
}

TEST_F(ContentSet, PickerButtonsPostTheirHelpMessagesOnHover) {
    const std::map<u16, u32> hover = {{5040, 343}, {5028, 344}, {5031, 346}, {5025, 347}, {5169, 348}, {5005, 349}, {5043, 350}};
    for (const char* item : {"Picker", "Picker_sp"}) {
        std::map<u16, u32> got;
        for (const ButtonRecord& b : buttons(archive(item), 888)) got[b.id] = b.hoverMessage;
        EXPECT_EQ(got, hover) << item;
    }
}

TEST_F(ContentSet, PencilPanelLineStylesSitAtTheirMessageLessFourHundredFortySix) {
    const std::vector<ButtonRecord> set = buttons(archive("ToolPanels"), 18400);
    ASSERT_EQ(set.size(), 13u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(set[i].clickMessage, 18400u) << i;
    for (size_t i = 4; i < 13; ++i) EXPECT_EQ(set[i].clickMessage, 18446u + i) << i;
    EXPECT_EQ(buttons(archive("ToolPanels"), 18200).size(), 4u);
}

TEST_F(ContentSet, PencilKindAndSizeButtonsTellThemselvesApartByTheirIds) {
    // One click message per row: the panel reads which button it was from the button's id.
    const std::vector<ButtonRecord> kinds = buttons(archive("ToolPanels"), 18400);
    const std::vector<ButtonRecord> sizes = buttons(archive("ToolPanels"), 18200);
    ASSERT_GE(kinds.size(), 4u);
    ASSERT_EQ(sizes.size(), 4u);
    for (u16 i = 0; i < 4; ++i) {
        EXPECT_EQ(kinds[i].id, 18401 + i);
        EXPECT_EQ(sizes[i].id, 18201 + i);
        EXPECT_EQ(sizes[i].clickMessage, 18200u);
    }
}

// Each icon of a strip shows what its own tool (or pattern) paints: no two of one strip are
// the same picture.
TEST_F(ContentSet, NoTwoIconsOfAStripAreAlike) {
    const ArchiveReader a = archive("ToolPanels");
    const std::vector<std::vector<u16>> strips = {range(30000, 30019), range(30020, 30044), range(30045, 30054),
                                                  range(30055, 30064), range(30065, 30086), range(30087, 30098),
                                                  {24000, 24100, 24200, 24300, 24400, 24500, 24600, 24700}};
    for (const std::vector<u16>& strip : strips) {
        std::map<std::vector<u8>, u16> seen;
        for (u16 id : strip) {
            const auto picture = a.find(fourCC("tBMP"), id);
            ASSERT_TRUE(picture) << id;
            const auto [at, added] = seen.emplace(std::vector<u8>(picture->begin(), picture->end()), id);
            EXPECT_TRUE(added) << id << " looks like " << at->second;
        }
    }
}

TEST_F(ContentSet, PencilKindButtonsHaveTheirTintMasks) {
    const ArchiveReader a = archive("ToolPanels");
    for (u16 id = 18401; id <= 18404; ++id) {
        const auto mask = a.find(fourCC("tBMP"), id);
        ASSERT_TRUE(mask) << id;
        ASSERT_GE(mask->size(), 8u) << id;
        const u16 width = readBE16(mask->data()), height = readBE16(mask->data() + 2);
        EXPECT_EQ(readBE16(mask->data() + 4), width) << id;
        EXPECT_EQ(readBE16(mask->data() + 6), 0) << id;
        ASSERT_EQ(mask->size(), 8u + size_t(width) * height) << id;
        EXPECT_NE(std::count(mask->begin() + 8, mask->end(), u8(255)), 0) << id;
    }
}

TEST_F(ContentSet, TheStripCounterHasTenDigitsAfterEachOfItsTwoParts) {
    const ArchiveReader a = archive("Easel");
    const auto frames = decodeGroupFrames(*a.find(fourCC("tBMH"), 1000));
    ASSERT_TRUE(frames);
    std::vector<u8> script(a.find(fourCC("tSCR"), 1066)->begin(), a.find(fourCC("tSCR"), 1066)->end());
    ASSERT_EQ(shapeScriptConvert(script), kErrNone);
    size_t at = kShapeScriptFirstRecord;
    while (at + 2 <= script.size() && script[at] != kShapeRecordFrame) at += script[at + 1];
    ASSERT_LT(at + 2, script.size());
    ASSERT_EQ(script[at + 1], 2);
    const u16 tens = readLE16(script.data() + at + 2);
    const u16 units = readLE16(script.data() + at + 2 + kShapePartSize);
    EXPECT_LE(tens + 10, units);
    EXPECT_LE(units + 9u, frames->size());
    // The digits are the counter's own: no other shape of the group shows them.
    for (u32 shape = 1000; a.find(fourCC("tSCR"), u16(shape)); ++shape) {
        if (shape == 1066) continue;
        std::vector<u8> other(a.find(fourCC("tSCR"), u16(shape))->begin(), a.find(fourCC("tSCR"), u16(shape))->end());
        ASSERT_EQ(shapeScriptConvert(other), kErrNone);
        for (size_t i = kShapeScriptFirstRecord; i + 2 <= other.size() && other[i] != kShapeRecordEnd;) {
            if (other[i] != kShapeRecordFrame) {
                i += other[i + 1];
                continue;
            }
            for (u8 k = 0; k < other[i + 1]; ++k) {
                const u16 frame = readLE16(other.data() + i + 2 + kShapePartSize * k);
                EXPECT_FALSE(frame >= tens && frame <= units + 9) << "shape " << shape << " frame " << frame;
            }
            i += 2 + kShapePartSize * other[i + 1];
        }
    }
}

// Mode 0 is seconds: the strip labels it with the seconds, the arrows switch to it, and the
// seconds can be typed only while button 17002 is selected; so 17002 is the mode-0 button and
// wears the seconds label.
TEST_F(ContentSet, TimingModeButtonsSitAtTheirModePlusTwoAndSecondsIsButton17002) {
    for (const char* item : {"TimerSettings", "TimerSettings_sp"}) {
        const std::vector<ButtonRecord> set = buttons(archive(item), 889);
        const u32 modes[] = {1407, 1408, 1409, 1411, 1413};
        const u16 labels[] = {17032, 17016, 17020, 17028, 17024};  // seconds, click, key, reading ended, after reading
        ASSERT_GE(set.size(), 7u) << item;
        for (size_t mode = 0; mode < 5; ++mode) {
            EXPECT_EQ(set[mode + 2].clickMessage, modes[mode]) << item << " " << mode;
            EXPECT_EQ(set[mode + 2].shapes[0], labels[mode]) << item << " " << mode;
        }
        EXPECT_EQ(set[2].id, 17002) << item;
    }
}

TEST_F(ContentSet, TheBackgroundColourDialogHasAFrameForEveryColourFromFrame18) {
    const ArchiveReader a = archive("RPickBgColorDlg");
    const auto frames = decodeGroupFrames(*a.find(fourCC("tBMH"), 7700));
    ASSERT_TRUE(frames);
    // Colour index i is frame i + 18 (frames count from 1); twenty colours.
    ASSERT_GE(frames->size(), 18u + 19u);
    EXPECT_EQ(frames->at(17).width, 120);
    EXPECT_EQ(frames->at(17 + 19).width, 120);
}

TEST_F(ContentSet, LanguageSpecificItemsComeInBothLanguages) {
    for (const char* item : {"Picker", "TimerSettings", "SlideShow", "EnterName", "EnterSnd", "Deleters", "Copy",
                             "RPickBgColorDlg", "RDlgLogin", "RFlattenDlg", "RGetStartDlg", "RABCTextDlg", "RPronounceDlg",
                             "RNoteDlg", "RPickBgSndDlg", "TransSound", "RHelpDlg", "StampEditor"}) {
        EXPECT_TRUE(files_->count(std::string("Data/") + item + ".kvr")) << item;
        EXPECT_TRUE(files_->count(std::string("Data/") + item + "_sp.kvr")) << item;
    }
}

TEST_F(ContentSet, StringListsHoldAsManyTextsAsTheirCountSays) {
    for (const char* item : {"TransSound", "TransSound_sp", "Picker", "Picker_sp"})
        for (u16 id : {7500, 8500}) {
            const ArchiveReader a = archive(item);
            const auto list = a.find(fourCC("STRL"), id);
            ASSERT_TRUE(list) << item << " " << id;
            size_t zeros = 0;
            for (size_t i = 1; i < list->size(); ++i) zeros += (*list)[i] == 0;
            EXPECT_GT((*list)[0], 1) << item << " " << id;
            EXPECT_EQ(zeros, (*list)[0]) << item << " " << id;
            EXPECT_EQ(list->back(), 0) << item << " " << id;
        }
}

// Each name of the transition and sound lists has its picture: 12000 + index and 12030 + index.
// The slide strip's timing list names the seconds and the four other modes.
TEST_F(ContentSet, EveryTransitionAndSoundNameHasItsIconAndTheTimingListHasEveryMode) {
    for (const char* item : {"Picker", "Picker_sp", "TransSound", "TransSound_sp"}) {
        const ArchiveReader names = archive(item);
        const ArchiveReader pictures = archive("Picker");
        for (const auto& [list, base] : {std::pair<u16, u16>{7500, 12000}, {8500, 12030}}) {
            const auto bytes = names.find(fourCC("STRL"), list);
            ASSERT_TRUE(bytes) << item << " " << list;
            for (u16 i = 0; i < (*bytes)[0]; ++i) EXPECT_TRUE(pictures.find(fourCC("tBMP"), u16(base + i))) << item << " " << base + i;
            EXPECT_FALSE(pictures.find(fourCC("tBMP"), u16(base + (*bytes)[0]))) << "a picture without a name after " << base;
        }
    }
    // Item 0 follows a page's seconds; item m names timing mode m: 1 a click, 2 a key, 3 the
    // reading has ended, 4 at once after the reading.
    const char* const kModeKeys[] = {"TimingSec", "TimingClick", "TimingKey", "TimingRead", "TimingAfterRead"};
    for (const auto& [item, file] : {std::pair{"Picker", kEnglishTextFile}, {"Picker_sp", kSpanishTextFile}}) {
        const ArchiveReader a = archive(item);
        const auto timing = a.find(fourCC("STRL"), 7000);
        ASSERT_TRUE(timing) << item;
        ASSERT_EQ((*timing)[0], 5) << item;
        std::vector<std::string> got;
        std::string word;
        for (size_t at = 1; at < timing->size(); ++at) {
            if ((*timing)[at] != 0) {
                word += char((*timing)[at]);
                continue;
            }
            got.push_back(word);
            word.clear();
        }
        ASSERT_EQ(got.size(), 5u) << item;
        for (size_t mode = 0; mode < 5; ++mode)
            EXPECT_EQ(got[mode], iniValue(text(file), "PickerStrings", kModeKeys[mode]).value_or("?")) << item << " " << mode;
    }
}

TEST_F(ContentSet, PanelPageAndModeButtonsSitAtTheirMessageLessTheSetId) {
    // Panels select button [message - set id] when they restore a page or mode.
    const ArchiveReader a = archive("ToolPanels");
    for (u16 set : {18000, 18300, 18500, 18600}) {
        const std::vector<ButtonRecord> buttons = this->buttons(a, set);
        ASSERT_FALSE(buttons.empty()) << set;
        for (size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(buttons[i].clickMessage, set + i) << set << " " << i;
    }
    // A family's sub-mode buttons: button 0 for the first sub-mode the family remembers.
    const std::pair<u16, std::vector<u16>> subModes[] = {{18001, {18003, 18004}}, {18002, {18006, 18005}}, {18003, {18007, 18008}}};
    for (const auto& [set, ids] : subModes) {
        std::vector<u16> got;
        for (const ButtonRecord& b : buttons(a, set)) got.push_back(u16(b.clickMessage));
        EXPECT_EQ(got, ids) << set;
    }
    const std::vector<ButtonRecord> shapes = buttons(a, 18203);
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0].clickMessage, 18201u);
    EXPECT_EQ(shapes[1].clickMessage, 18202u);
}

// The panels find their buttons by index and by message.
TEST_F(ContentSet, PanelButtonsSitAtTheIndicesTheirPanelsUse) {
    const struct {
        const char* item;
        u16 set;
        std::vector<std::pair<size_t, u32>> clicks;  // button index, click message
    } sets[] = {
        {"Easel", 18230, {{0, 210}, {1, 211}, {6, 204}, {7, 206}, {8, 205}, {9, 207}, {10, 208}, {11, 209}, {15, 6622}}},
        {"Easel", 777, {{1, 202}, {2, 203}, {5, 208}}},
        {"Easel", 18900, {{0, 18801}, {1, 18802}, {2, 18803}}},
        {"CutPanel", 926, {{0, 22300}, {1, 22301}}},
        {"ToolPanels", 18700, {{0, 18702}}},
    };
    for (const auto& s : sets) {
        const std::vector<ButtonRecord> set = buttons(archive(s.item), s.set);
        for (const auto& [index, click] : s.clicks) {
            ASSERT_LT(index, set.size()) << s.set;
            EXPECT_EQ(set[index].clickMessage, click) << s.set << " button " << index;
        }
    }
    std::map<u16, u32> byId;
    for (const ButtonRecord& b : buttons(archive("Easel"), 18230)) byId[b.id] = b.clickMessage;
    EXPECT_EQ(byId[18238], 230u);  // read aloud, released by id when speaking stops
    EXPECT_EQ(byId[18241], 231u);  // the voice list is anchored to it
    std::set<u32> stamp;
    for (const ButtonRecord& b : buttons(archive("ToolPanels"), 18700)) stamp.insert(b.clickMessage);
    EXPECT_EQ(stamp, (std::set<u32>{18700, 18701, 18702, 18703, 18704}));
    for (const ButtonRecord& b : buttons(archive("ToolPanels"), 18202)) EXPECT_EQ(b.clickMessage, 18200u);
}

// Every stencil of the cut strip has its outline; the strip's ids run without a gap.
TEST_F(ContentSet, CutStencilsHaveOutlinesAndTheStripHasNoGap) {
    const ArchiveReader a = archive("CutPanel");
    const ResTypeTables* pictures = a.contents().directory.findType(fourCC("tBMP"));
    ASSERT_TRUE(pictures);
    u16 last = 12999;
    for (const ResIdEntry& p : pictures->ids) {
        EXPECT_EQ(p.id, last + 1);
        last = p.id;
        if (p.id < 13004) continue;
        const auto region = a.find(fourCC("MRGN"), p.id);
        ASSERT_TRUE(region) << p.id;
        std::vector<u8> bytes(region->begin(), region->end());
        EXPECT_EQ(rgnSwapBytes(bytes.data(), u32(bytes.size())), kErrNone) << p.id;
        EXPECT_GT(readBE16(region->data() + 14), 0) << p.id;
    }
    EXPECT_GE(last, 13004);
}

TEST_F(ContentSet, CutStageSoundsNamedInTheSettingsAreInTheCutPanel) {
    const ArchiveReader a = archive("CutPanel");
    for (const char* stage : {"CutShapePosSnd", "CutShapeActiveSnd", "CutShapeDragSnd", "CutShapeEndSnd"}) {
        const auto id = iniValue(text("TB.cfg"), stage, "startSoundID");
        ASSERT_TRUE(id) << stage;
        EXPECT_TRUE(a.find(fourCC("tWAV"), u16(std::stoi(*id)))) << stage;
    }
}

// Every brush the brush panels build (tools 0-64) has its section in the settings, and the
// start and end sounds it names are in the general archive.
TEST_F(ContentSet, EveryBrushHasItsSectionAndItsSoundsAreThere) {
    const std::string cfg = text("TB.cfg");
    const ArchiveReader general = archive("General");
    for (i16 id = kToolIdRealBrush; id < kToolIdTouchless1 + 10; ++id) {
        const char* name = toolName(id);
        for (const char* key : {kToolParamStartSound, kToolParamEndSound}) {
            const auto sound = iniValue(cfg, name, key);
            ASSERT_TRUE(sound) << name << " " << key;
            EXPECT_TRUE(general.find(fourCC("tWAV"), u16(std::stoi(*sound)))) << name << " " << key;
        }
    }
}

// Help mode's table: the command code of each element and the help page it opens.
const std::map<u16, std::string> kHelpPages = {
    {787, "BackgrdPreLibFolders"}, {788, "BackgrdGraphicSelectIcons"}, {797, "StickPreLibFolders"},
    {798, "StickGraphicSelectIcons"}, {807, "AnimaPreLibFolders"}, {808, "AnimaGraphicSelectIcons"},
    {817, "SoundPreLibFolders"}, {818, "RecTrashCan"}, {819, "RecStart"}, {828, "LineSize"}, {829, "LineSize"},
    {830, "LineSize"}, {831, "LineSize"}, {838, "PaintBrushSizes"}, {839, "WackyBrushSizes"}, {840, "SpraySizes"},
    {848, "FillPatternIcons"}, {849, "FillPatternIcons"}, {850, "FillPatternIcons"}, {858, "BigMixerStyles"},
    {859, "MixerWandStyles"}, {860, "MixerWandSizing"}, {868, "StampSizing"}, {888, "TrashCan"}, {889, "TrashCan"},
    {898, "EraserSz"}, {899, "EraserSz"}, {7871, "FolderLabel"}, {7872, "FolderScroller"},
    {7881, "BGFilelabltxtfield"}, {7971, "FolderLabel"}, {7972, "FolderScroller"}, {7981, "STFilelabltxtfield"},
    {8071, "FolderLabel"}, {8072, "FolderScroller"}, {8081, "ToonFilelabltxtfield"}, {8171, "FolderLabel"},
    {8172, "FolderScroller"}, {8181, "ShowRecSoundMenu"}, {8182, "SoundGraphSelectIcons"}, {8183, "RemoveSoundPage"},
    {8191, "RecStop"}, {8192, "RecPlay"}, {8193, "RecSndMeter"}, {8194, "RecSpeedSlider"}, {8196, "HideRecSoundMenu"},
    {8197, "RecSaveSnd"}, {8271, "PencilTool"}, {8272, "ChalkTool"}, {8273, "CrayonTool"}, {8274, "MarkerTool"},
    {8281, "DrawFreehand"}, {8282, "DrawLine"}, {8283, "DrawArc"}, {8284, "DrawBox"}, {8285, "DrawBoxFilled"},
    {8286, "DrawOvalOutline"}, {8287, "DrawOvalFilled"}, {8288, "DrawPolyOutline"}, {8289, "DrawPolyFilled"},
    {8291, "DrawFreehand"}, {8292, "DrawLine"}, {8293, "DrawArc"}, {8294, "DrawBox"}, {8295, "DrawBoxFilled"},
    {8296, "DrawOvalOutline"}, {8297, "DrawOvalFilled"}, {8298, "DrawPolyOutline"}, {8299, "DrawPolyFilled"},
    {8301, "DrawFreehand"}, {8302, "DrawLine"}, {8303, "DrawArc"}, {8304, "DrawBox"}, {8305, "DrawBoxFilled"},
    {8306, "DrawOvalOutline"}, {8307, "DrawOvalFilled"}, {8308, "DrawPolyOutline"}, {8309, "DrawPolyFilled"},
    {8311, "DrawFreehand"}, {8312, "DrawLine"}, {8313, "DrawArc"}, {8314, "DrawBox"}, {8315, "DrawBoxFilled"},
    {8316, "DrawOvalOutline"}, {8317, "DrawOvalFilled"}, {8318, "DrawPolyOutline"}, {8319, "DrawPolyFilled"},
    {8371, "PaintBrush"}, {8372, "Microphone"}, {8373, "SprayCan"}, {8381, "RealPaintOpts"}, {8382, "WackyPaint"},
    {8383, "paint"}, {8391, "MousePaint"}, {8392, "HandsfreePaint"}, {8393, "WackyPaintBrushStyleOpts"},
    {8401, "SprayShapesPaint"}, {8402, "SprayMovingPaint"}, {8403, "SprayPaintBrushStyleOpts"}, {8471, "SolidFill"},
    {8472, "GradientFill"}, {8473, "PatternFill"}, {8571, "BigMixer"}, {8572, "MixerWand"}, {8581, "MixerWandSizing"},
    {8671, "StampFolder"}, {8672, "FolderLabel"}, {8673, "FolderScroller"}, {8681, "StampEditTool"},
    {8682, "StampThumbs"}, {8771, "FontPopUpMenu"}, {8772, "SizePopUpMenu"}, {8773, "TextStyles"},
    {8774, "AlignSettings"}, {8775, "TextCut"}, {8776, "TextCopy"}, {8777, "TextPaste"}, {8778, "VoicesPopUp"},
    {8779, "TTSAll"}, {8871, "GrabTool"}, {8872, "CutTool"}, {8881, "Duplicate"}, {8882, "Merge"}, {8891, "Duplicate"},
    {8892, "Merge"}, {8893, "GrabCutSettings"}, {8971, "SmEraser"}, {8972, "BigEraser"}, {8981, "EraserShapes"},
    {8991, "EraserShapes"}, {8992, "BigEraserSettings"}, {19002, "backgrounds"}, {19004, "stickers"}, {19006, "toons"},
    {19008, "audio"}, {19010, "pencil"}, {19012, "paint"}, {19014, "fill"}, {19016, "mix"}, {19018, "Stamps"},
    {19020, "text"}, {19022, "grab"}, {19024, "eraser"}, {19026, "ideas"}, {19032, "play"}, {19034, "stop"},
    {19036, "newpage"}, {19038, "print"}, {19040, "texture"}, {19042, "OptionsTrayNum"}, {19044, "picker"},
    {19046, "Help"}, {19048, "FixedColorsToggle"}, {19050, "Undo"}, {19052, "FirecrackerErase"}, {19053, "PaintExit"},
    {19056, "FolderList"}, {19058, "FolderList"}, {20002, "title"}, {20010, "trash"},
    {20012, "ProjectFileIconScrollBar"}, {20014, "new"}, {20016, "pickplay"}, {20018, "slide"}, {20020, "pickprint"},
    {20022, "pickersave"}, {20026, "easel"}, {20028, "thumbnails"}, {20030, "thumbup"}, {20032, "thumbdn"},
    {20033, "thumbnails"}, {20034, "transition"}, {20036, "timing"}, {20038, "sounds"}, {20039, "clickload"},
    {20040, "ProjectFileArrow"}, {20042, "ProjectFileArrow"}, {20044, "pagename"}, {20046, "cleanup"},
    {20048, "newpage"}, {20050, "dupepage"},
};

// Help mode loads the button sets the screen names as its help context; every button there
// posts a code of the table, and every page has its text in both languages and its spoken
// explanation, named in the settings, in the help dialog's item of each language.
TEST_F(ContentSet, HelpButtonsPostCodesOfPagesThatHaveTextsAndSpeech) {
    const std::pair<const char*, std::vector<u16>> help[] = {
        {"EaselHelp", {777, 787, 788, 797, 798, 807, 808, 817, 818, 819, 827, 828, 829, 830, 831, 837, 838, 839, 840, 847,
                       848, 849, 850, 857, 858, 859, 860, 867, 868, 877, 887, 888, 889, 897, 898, 899}},
        {"PickerHelp", {777, 779}},
    };
    for (const auto& [item, sets] : help) {
        const ArchiveReader a = archive(item);
        EXPECT_TRUE(a.find(fourCC("tBMH"), 10000)) << item;
        for (u16 set : sets)
            for (const ButtonRecord& b : buttons(a, set)) {
                EXPECT_TRUE(kHelpPages.count(u16(b.clickMessage))) << item << " set " << set << " posts " << b.clickMessage;
                for (u16 shape : b.shapes) EXPECT_TRUE(a.find(fourCC("tSCR"), shape)) << item << " shape " << shape;
            }
    }
    const std::string settings = text("TB.cfg");
    const ArchiveReader dialogs[] = {archive("RHelpDlg"), archive("RHelpDlg_sp")};
    for (const auto& [code, page] : kHelpPages) {
        for (const char* file : {kEnglishTextFile, kSpanishTextFile}) {
            const auto value = iniValue(text(file), "HelpStrings", page);
            EXPECT_TRUE(value && !value->empty() && value->size() <= 511) << file << " " << page;
        }
        const auto sound = iniValue(settings, "HelpSnds", page);
        ASSERT_TRUE(sound) << page;
        for (const ArchiveReader& a : dialogs) {
            const auto wave = a.find(fourCC("tWAV"), u16(std::stoi(*sound)));
            ASSERT_TRUE(wave) << page;
            ArchiveWaveInfo info;
            ASSERT_EQ(readArchiveWave(*wave, &info), kErrNone) << page;
            EXPECT_GT(waveDurationMs(info.frames, info.sampleRate), 500u) << page;
        }
    }
}

// A help page teaches: it says what the element does and how to use it, in a few sentences in
// each language.
TEST_F(ContentSet, EveryHelpPageSaysWhatAndHowInSeveralSentencesInBothLanguages) {
    const auto sentences = [](const std::string& text) {
        int n = 0;
        for (size_t i = 0; i < text.size(); ++i)
            if ((text[i] == '.' || text[i] == '!' || text[i] == '?') && (i + 1 == text.size() || text[i + 1] == ' ')) ++n;
        return n;
    };
    for (const auto& [code, page] : kHelpPages) {
        std::string texts[2];
        int i = 0;
        for (const char* file : {kEnglishTextFile, kSpanishTextFile}) {
            texts[i] = iniValue(text(file), "HelpStrings", page).value_or("");
            EXPECT_GE(sentences(texts[i++]), 3) << file << " " << page;
        }
        EXPECT_NE(texts[0], texts[1]) << page;
    }
}

// The pages of elements that have no button of their own on the screen (Stop in Play's place,
// the menu commands New, Print, Texture and Exit, the folder lists, the recording speed slider,
// the strip's arrows, timing labels and sound controls, the picker's menu commands and its list's
// arrows) have help buttons too; the picker's lie over the strip's own and the list's, later in
// the set, so that they take the click. Beyond those, every page of the table has a help button
// in the set the element's screen or panel names as its help context: a panel's own code is its
// set, its elements' codes are the set's times ten and one more digit.
TEST_F(ContentSet, ElementsWithoutButtonsOfTheirOwnHaveHelpButtons) {
    const struct {
        const char* item;
        u16 set;
        u32 under;  // the code of the button these lie over, or 0
        std::vector<u32> codes;
    } kElements[] = {{"EaselHelp", 777, 0, {19034, 19036, 19038, 19040, 19053, 19056, 19058}},
                     {"EaselHelp", 787, 0, {787}},
                     {"EaselHelp", 797, 0, {797}},
                     {"EaselHelp", 807, 0, {807}},
                     {"EaselHelp", 817, 0, {817}},
                     {"EaselHelp", 819, 0, {8194}},
                     {"EaselHelp", 840, 8403, {840}},
                     {"PickerHelp", 777, 20012, {20040, 20042}},
                     {"PickerHelp", 777, 0, {20020, 20022, 20046, 20048, 20050}},
                     {"PickerHelp", 779, 20028, {20018, 20030, 20032, 20033, 20036, 20038}}};
    for (const auto& e : kElements) {
        const ArchiveReader a = archive(e.item);
        const std::vector<ButtonRecord> set = buttons(a, e.set);
        const auto under = std::find_if(set.begin(), set.end(), [&e](const ButtonRecord& b) { return b.clickMessage == e.under; });
        EXPECT_EQ(e.under == 0, under == set.end()) << e.item << " " << e.set << " " << e.under;
        for (u32 code : e.codes) {
            const auto at = std::find_if(set.begin(), set.end(), [code](const ButtonRecord& b) { return b.clickMessage == code; });
            ASSERT_NE(at, set.end()) << e.item << " " << code;
            EXPECT_TRUE(kHelpPages.count(u16(code))) << code;
            if (under != set.end()) {
                EXPECT_GT(at, under) << code;
            }
        }
    }
    // The mixer wand's sizes show with its styles, in the styles' set.
    const std::map<u16, u16> kElsewhere = {{8581, 859}};
    const std::set<u16> kPickerStrip = {20018, 20028, 20030, 20032, 20033, 20036, 20038, 20044};
    const ArchiveReader easel = archive("EaselHelp"), picker = archive("PickerHelp");
    for (const auto& [code, page] : kHelpPages) {
        const bool onPicker = code >= 20000;
        const u16 set = onPicker ? (kPickerStrip.count(code) ? 779 : 777)
                        : kElsewhere.count(code) ? kElsewhere.at(code)
                        : code < 1000            ? code
                        : code < 10000           ? u16(code / 10)
                                                 : 777;
        const std::vector<ButtonRecord> buttonsOfSet = buttons(onPicker ? picker : easel, set);
        EXPECT_TRUE(std::any_of(buttonsOfSet.begin(), buttonsOfSet.end(),
                                [code](const ButtonRecord& b) { return b.clickMessage == code; }))
            << page << " " << code << " in set " << set;
    }
}

// The libraries installed with the program, in the folders the library manager lists, each
// entry with media of its kind, a thumbnail picture and a name; stamp libraries with their
// stamps from 'tBMP' 8000 on.
TEST_F(ContentSet, EveryLibraryKindIsInstalledAndEveryEntryHasMediaThumbnailAndName) {
    const std::map<std::string, FourCC> folders = {{"Pictures", fourCC("tBMP")}, {"Stickers", fourCC("tSWF")},
                                                   {"Animations", fourCC("tSWA")}, {"Sounds", fourCC("tWAV")},
                                                   {"Stamps", fourCC("tSTM")}};
    std::map<std::string, int> libraries;
    for (const auto& [path, bytes] : *files_) {
        if (path.rfind("Library/", 0) != 0) continue;
        const std::string folder = path.substr(8, path.find('/', 8) - 8);
        ASSERT_TRUE(folders.count(folder)) << path;
        ASSERT_EQ(path.substr(path.size() - 4), ".tbl") << path;
        ++libraries[folder];
        ArchiveReader a;
        ASSERT_TRUE(a.open(bytes)) << path;
        // The panels show a library under its name in the current language.
        const std::string name = path.substr(folder.size() + 9, path.size() - folder.size() - 13);
        const char* names = folder == "Stamps" ? "StampCategories" : "LibraryNames";
        const auto english = iniValue(text(kEnglishTextFile), names, name);
        const auto spanish = iniValue(text(kSpanishTextFile), names, name);
        EXPECT_EQ(english.value_or(""), name);
        EXPECT_TRUE(spanish && !spanish->empty() && *spanish != name) << name;
        if (folder == "Stamps") {
            u16 id = 8000;
            while (a.find(fourCC("tBMP"), id)) ++id;
            EXPECT_GE(id, 8006) << path;
            continue;
        }
        const auto headerBytes = a.find(fourCC("tLHD"), 1);
        ASSERT_TRUE(headerBytes) << path;
        LibraryHeader header;
        ASSERT_EQ(parseLibraryHeader(*headerBytes, &header), kErrNone) << path;
        EXPECT_EQ(header.type, folders.at(folder)) << path;
        EXPECT_TRUE(header.flags & kLibraryFlagThumbnails) << path;
        EXPECT_FALSE(header.entries.empty()) << path;
        for (const LibraryEntry& e : header.entries) {
            const auto media = a.find(header.type, e.id);
            ASSERT_TRUE(media) << path << " " << e.id;
            if (header.type == fourCC("tBMP")) {
                PictureRecord picture;
                ASSERT_EQ(parsePictureRecord(*media, false, &picture), kErrNone) << path << " " << e.id;
                EXPECT_EQ(picture.width, 592) << path;
                EXPECT_EQ(picture.height, 444) << path;
            } else if (header.type == fourCC("tWAV")) {
                ArchiveWaveInfo info;
                ASSERT_EQ(readArchiveWave(*media, &info), kErrNone) << path << " " << e.id;
                EXPECT_GT(info.frames, 0u) << path << " " << e.id;
            } else {
                swf::document movie;
                ASSERT_EQ(swf::LoadMovieFromMemory(movie, media->data(), u32(media->size())), swf::kOk) << path << " " << e.id;
                EXPECT_EQ(movie.frameCount > 1, header.type == fourCC("tSWA")) << path << " " << e.id;
            }
            const auto thumbnail = a.find(fourCC("tTHM"), e.id);
            ASSERT_TRUE(thumbnail && thumbnail->size() >= 8) << path << " " << e.id;
            EXPECT_EQ(thumbnail->size(), 8u + size_t(readBE16(thumbnail->data() + 4)) * readBE16(thumbnail->data() + 2))
                << path << " " << e.id;
            // Named in English and in Spanish.
            for (const FourCC type : {fourCC("tATX"), fourCC("tATS")}) {
                const auto name = a.find(type, e.id);
                EXPECT_TRUE(name && !name->empty()) << path << " " << e.id << " " << type;
            }
        }
    }
    for (const auto& [folder, kind] : folders) EXPECT_GT(libraries[folder], 0) << folder;
}

TEST_F(ContentSet, SpokenCharacterNamesLastLongEnoughToHear) {
    const ArchiveReader a = archive("ToolPanels");
    for (u16 id : {22000, 22025, 22035, 22042, 22092}) {
        ArchiveWaveInfo info;
        ASSERT_EQ(readArchiveWave(*a.find(fourCC("tWAV"), id), &info), kErrNone) << id;
        EXPECT_GT(waveDurationMs(info.frames, info.sampleRate), 200u) << id;
        EXPECT_LT(waveDurationMs(info.frames, info.sampleRate), 3000u) << id;
    }
}

TEST_F(ContentSet, LoginButtonSetsHoldTheButtonsTheDialogShowsAndHides) {
    for (const char* item : {"RDlgLogin", "RDlgLogin_sp"}) {
        const ArchiveReader a = archive(item);
        std::set<u16> normal, admin;
        for (const ButtonRecord& b : buttons(a, 777)) normal.insert(b.id);
        for (const ButtonRecord& b : buttons(a, 778)) admin.insert(b.id);
        for (u16 id : {7616, 7632, 7660}) EXPECT_TRUE(normal.count(id)) << item << " " << id;
        for (u16 id : {7624, 7628}) EXPECT_TRUE(admin.count(id)) << item << " " << id;
    }
}

TEST_F(ContentSet, EveryWarningSaysWhatItsUseNeedsInBothLanguages) {
    // The text key each message shape of the warnings dialog draws, from its manifest.
    std::ifstream in(std::string(CONTENT_TEST_MANIFESTS) + "/items/Copy.json");
    const nlohmann::json manifest = nlohmann::json::parse(in);
    std::map<u16, std::string> keys;
    for (const auto& group : manifest.at("groups"))
        for (const auto& shape : group.at("shapes"))
            if (shape.contains("frames"))
                for (const auto& op : shape["frames"].at(0).at("art"))
                    if (op.contains("key")) keys[shape.at("id").get<u16>()] = op["key"].get<std::string>();
    const struct {
        u16 message;
        const char* english;
        const char* spanish;
    } uses[] = {
        // The easel's save questions, each worded for what the child is about to do.
        {7544, "before you go?", "antes de irte"},
        {7546, "start a new one", "empezar uno nuevo"},
        {7547, "open another", "abrir otro"},
        {7548, "open a new one", "abrir uno nuevo"},
        {7545, "open a slide show", "abrir una presentaci"},
        {7550, "someone else logs in", "entre otra persona"},
        {7551, "change the users", "ir a los usuarios"},
        {7542, "before the slide show", "antes de la presentaci"},
        {7540, "Save your picture", "Guardar tu dibujo"},
        {7543, "Save your picture", "Guardar tu dibujo"},
        // The picker's failures and the name dialogs' refusal.
        {7535, "slide show could not", "presentaci"},
        {7537, "slide could not be copied", "copiar esa diapositiva"},
        {7541, "name is already used", "nombre ya existe"},
        // The slide-show editor's save question.
        {7549, "save your slide show", "guardar tu presentaci"},
    };
    std::set<std::string> distinct;
    for (const auto& [id, key] : keys) {
        if (id < 7533 || id > 7551 || id == 7549) continue;
        EXPECT_TRUE(distinct.insert(key).second) << id << " shares its text " << key;
    }
    EXPECT_EQ(distinct.size(), 18u);
    for (const char* file : {kEnglishTextFile, kSpanishTextFile}) {
        const std::string ini = text(file);
        const bool english = std::string(file) == kEnglishTextFile;
        for (const auto& use : uses) {
            SCOPED_TRACE(std::string(file) + " " + std::to_string(use.message));
            ASSERT_TRUE(keys.count(use.message));
            const std::string& key = keys[use.message];
            const size_t slash = key.find('/');
            const auto value = iniValue(ini, key.substr(0, slash), key.substr(slash + 1));
            ASSERT_TRUE(value) << key;
            EXPECT_NE(value->find(english ? use.english : use.spanish), std::string::npos) << *value;
            // Every question of the easel's that answers with the item buttons asks to save the picture.
            if (use.message == 7540 || (use.message >= 7542 && use.message <= 7548)) {
                EXPECT_NE(value->find(english ? "Save your picture" : "Guardar tu dibujo"), std::string::npos) << *value;
            }
        }
    }
    // Those questions answer Cancel, No (do not save) and Yes (save) with their items.
    for (const char* item : {"Copy", "Copy_sp"}) {
        std::set<u16> answers;
        for (const ButtonRecord& b : buttons(archive(item), 780)) answers.insert(b.id);
        EXPECT_EQ(answers, (std::set<u16>{1395, 1702, 1703})) << item;
    }
}

TEST_F(ContentSet, MenuBarIsTheMainLayoutWithTheLanguageFilesTexts) {
    MenuResource menu;
    ASSERT_EQ(parseMenuResource(*archive("System").find(fourCC("MENU"), Ostrel::kMainMenuId), &menu), kErrNone);
    const MenuResource layout = Ostrel::MainMenuResource();
    ASSERT_EQ(menu.popups.size(), layout.popups.size());
    EXPECT_EQ(menu.accelerators, layout.accelerators);
    const std::string ini = text(kEnglishTextFile);
    for (size_t i = 0; i < layout.popups.size(); ++i) {
        EXPECT_EQ(menu.popups[i].title.key, layout.popups[i].title.key);
        ASSERT_EQ(menu.popups[i].items.size(), layout.popups[i].items.size());
        for (size_t k = 0; k < layout.popups[i].items.size(); ++k) {
            const MenuItemData& stored = menu.popups[i].items[k];
            EXPECT_EQ(stored.command, layout.popups[i].items[k].command);
            if (stored.text.key.empty()) continue;
            // The fallback shown before the program sets its texts is the language file's.
            EXPECT_EQ(stored.text.fallback, iniValue(ini, Ostrel::kMenuStringsSection, stored.text.key).value_or("?"))
                << stored.text.key;
        }
    }
}

TEST_F(ContentSet, EveryTextKeyIsInBothLanguages) {
    const std::vector<std::pair<const char*, std::vector<const char*>>> keys = {
        {"GeneralStrings", {"AppName", "ABCTextDefault"}},
        {"ContentStrings", {"InsertDisc", "EjectOtherCDs", "AreYouSureQuit", "NoDataMustQuit", "fatal", "volLocked",
                            "volWriteProtect", "volNotPrsntTwo"}},
        {"XPStrings", {"MutexError"}},
        {"SystemStrings", {"OK", "AboutText"}},
        {"LoginStrings", {"About", "FolderRefused"}},
        {"PickerStrings", {"TimingSec", "TimingClick", "TimingKey", "TimingRead", "TimingAfterRead", "DeleteShow"}},
        {"PanelStrings", {"NewStamp", "BoldLetter", "ItalicLetter", "UnderlineLetter", "SayItThisWay"}},
        {"GeneralStrings", {"TooManyPageObjects", "NeedAcrobat", "FlashPlayerDir", "FlashPlayerWin32", "GlDescription"}},
        {"FileStrings", {"CantOpenPictureFile", "CantReadPictureFile", "VolumeFull", "GeneralFileErr", "IllegalCharacter",
                         "SaveProjectPrompt", "FileLocked", "PictureFullMemErr", "NotEnoughMemoryToSave", "PictureFull",
                         "ReplaceMovieWarning", "NotEnoughDiskSpace", "GeneralErrorOccured", "CantExportPageAsMovie",
                         "CantExportPageAsMovie_Memory", "CantExportPageAsMovie_DiskSpace", "CantExportProjectAsMovie",
                         "CantExportProjectAsMovie_Memory", "CantExportProjectAsMovie_DiskSpace", "ShowPrintedToFile"}},
        // The file dialogs' titles and type labels, which fall back to English without them.
        {"FileStrings", {"SaveProjectTitle", "SavePictureTitle", "ImportTitle", "ExportTitle", "FilterPictures",
                         "FilterOwnPictures", "FilterProjects", "FilterMovies", "FilterSounds", "FilterFlash", "FilterMedia",
                         "FilterJpeg"}},
        {"FileDialog", {"ReplaceFile"}},
        {"SmallKidsUserMessages", {"VolumeFull", "GeneralFileErr"}},
        {"HardwareStrings", {"NoAudioDevices", "AudioDeviceBusy", "NoPrinterInstalled", "WindowsSpeechMissing"}},
        {"XPLogo", {"PathTooLong", "FileDialogError"}},
        // The Undo item's verbs and the name of every kind of step that can be taken back.
        {"UndoStrings", {"UndoMenuItem", "RedoMenuItem", "pMov", "pSiz", "pCPG", "pMPG", "pDPG", "pPPG", "pDPJ", "pAdd",
                         "pDe1", "pFlt", "txEd", "txFi", "txFl", "txRo", "txRe", "txEx", "txTy", "tStl", "tJst", "tCut",
                         "tPst", "tCol", "tRdo"}},
        // The note and library dialogs, the library lists' Move buttons, and the print dialogs.
        {"DialogsStrings", {"AddNoteDlg", "NoteLabel1", "NoteLabel2", "ReadNoteInSpanish", "Ok", "Cancel", "LibPrefsDlg",
                            "Backgrounds", "Animations", "Stickers", "Sounds", "Stamps", "NotShown", "Shown", "LibDlgText1",
                            "LibDlgText2", "LibDlgText3", "TypeOfArt", "Move", "MoveAll"}},
        {"DialogsStrings", {"FullPageRadio", "PrintOptions", "ProjectPrintDlg", "ComicBookRadio", "CardBookRadio",
                            "ThumbnailRadio", "StoryBookRadio", "Landscape", "Portrait", "PrintMode", "Orientation",
                            "Preview", "Slides", "PrintLabel1", "PrintLabel2", "PrintLabel3", "PrintLabel4", "PrintLabel5",
                            "PrintLabel6", "StartingSlide", "EndingSlide", "EaselPrintDlg", "Poster", "Poster2x2",
                            "Poster3x3", "Reverse"}},
        {"DialogsStrings", {"Print", "Ok", "Cancel", "Printer", "Name", "Status", "Type", "Where", "Comment", "Properties",
                            "PrintToFile", "PrintRange", "All", "Pages", "From", "To", "Selection", "Copies",
                            "NumberOfCopies", "Collate", "PdfPrinter", "Printing", "PrintError", "PrintErrorMemory",
                            "PrintErrorDisk", "PrintErrorGeneral"}},
        {"ToolTips", {"IdeaMachine", "Draw", "Text", "Paint", "FillBucket", "Stickers", "Backgrounds", "Mixer", "RubberStamps",
                      "Sounds", "Animations", "Grab", "Eraser", "StartOver", "Stop", "GoToSlideShow", "Help", "Play", "Undo",
                      "Color", "SlideTransitions", "NewSlideShow", "Load", "TrashCan", "GoToPaintZone"}},
        {"MenuStrings", {"File", "New", "Open", "SaveAs", "Export", "Publish", "Print", "LogInAsNewUser", "Exit", "Edit",
                         "Cut", "Copy", "Paste", "Add", "AddGraphic", "AddMovie", "LoadPicture", "SpecialCharacters",
                         "PaperTextures", "ImportBackground", "ImportSound", "Toolbox", "EditABCText", "CheckSpelling",
                         "FlattenText", "FlattenStickers", "SayItThisWay", "ChangeEffects", "PickBgColor", "IdeaMachine",
                         "Controls", "SwitchLanguage1", "ViewTeacherNote", "CleanUpExtra", "GoToPaintZone", "GoToSlideShow",
                         "GettingStarted", "Help", "ViewUsersGuide", "Teacher", "ManageLibraries", "AddNote", "EditNote",
                         "AddDelUsers", "HideTeacherMenu", "TurnTextToSpeechOn", "TurnTextToSpeechOff", "TurnToolSoundsOn",
                         "TurnToolSoundsOff", "TurnAttachedSndOn", "TurnAttachedSndOff", "TurnManAdvanceOn",
                         "TurnManAdvanceOff", "TurnSmallKidsMdeOn", "TurnSmallKidsMdeOff", "ToolTipTextOn", "ToolTipTextOff"}},
    };
    for (const char* file : {kEnglishTextFile, kSpanishTextFile}) {
        const std::string ini = text(file);
        ASSERT_FALSE(ini.empty()) << file;
        for (const auto& [section, names] : keys)
            for (const char* key : names) {
                const auto value = iniValue(ini, section, key);
                EXPECT_TRUE(value && !value->empty()) << file << " [" << section << "] " << key;
            }
    }
}

TEST_F(ContentSet, TheTableOfContentsNamesEveryArchiveAndTheSettingsTheProgramReads) {
    const std::string toc = text("TB.ini");
    EXPECT_EQ(iniValue(toc, "LanguageFiles", "English"), kEnglishTextFile);
    EXPECT_EQ(iniValue(toc, "LanguageFiles", "Spanish"), kSpanishTextFile);
    for (const char* section : {"UserSettings", "TOC", "GeneralSettings", "FileExtensions", "SmallKidsAlphabet", "LoginAlphabet",
                                "AcrobatReader", "DebugSettings", "CanvasSettings", "PageObjectLimits"})
    {
        u32 body = 0, header = 0;
        EXPECT_TRUE(IniText(toc).findSection(section, &body, &header)) << section;
    }
    EXPECT_EQ(iniValue(toc, "CanvasSettings", "easelWidth"), "592");
    // The stamp libraries are installed with the program, not read from a disc.
    EXPECT_EQ(iniValue(toc, "TOC", "NoLibsFromCD"), "TRUE");
    for (const auto& [path, bytes] : *files_) {
        if (path.rfind("Data/", 0) != 0 || !path.ends_with(".kvr")) continue;
        const std::string item = path.substr(5, path.size() - 9);
        EXPECT_EQ(iniValue(toc, item, "File_0"), item + ".kvr") << item;
        EXPECT_TRUE(iniValue(toc, item, "Disc")) << item;
    }
    for (const char* file : {"TB.cfg", "KESTROW.INI"}) EXPECT_FALSE(text(file).empty()) << file;
    // The installed copy that becomes each user's writable settings file is the same file.
    EXPECT_EQ(text("Data/TB.ini"), toc);
    // The sound panel's own library: its name and the libraries' file ending.
    EXPECT_TRUE(iniValue(text("TB.cfg"), "UserLibNames", "UserSoundsLib"));
    EXPECT_EQ(iniValue(text("TB.cfg"), "Paths", "UserLibPostFix"), ".tbl");
}

// Where a shape sits on the screen, from the plan: a button's box or each shown frame's (the
// frames a shape lists after its parts, as an arrow's pressed look, stand in their places).
std::vector<Rect16> planRects(const nlohmann::json& shape) {
    std::vector<Rect16> out;
    if (shape.contains("button")) {
        const auto& b = shape["button"];
        const int x = shape["at"][0], y = shape["at"][1], w = b["w"], h = b["h"];
        out.push_back(Rect16{i16(x), i16(y), i16(x + w), i16(y + h)});
    }
    nlohmann::json frames = shape.value("frames", nlohmann::json::array());
    if (shape.contains("show")) {
        nlohmann::json shown = nlohmann::json::array();
        for (const auto& i : shape["show"]) shown.push_back(frames.at(i.get<size_t>()));
        frames = shown;
    }
    for (const auto& f : frames) {
        const auto& at = f.contains("at") ? f["at"] : shape["at"];
        const auto& size = f.contains("button") ? nlohmann::json::array({f["button"]["w"], f["button"]["h"]}) : f["size"];
        const int x = at[0], y = at[1], w = size[0], h = size[1];
        out.push_back(Rect16{i16(x), i16(y), i16(x + w), i16(y + h)});
    }
    return out;
}

bool overlap(const Rect16& a, const Rect16& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The panels that share the size buttons keep their own buttons and strips clear of them, and
// every strip's arrows stand inside the panel, clear of the mascot beside it.
TEST_F(ContentSet, PanelButtonsAndStripsDoNotOverlap) {
    const auto item = [](const char* name) {
        std::ifstream file(std::string(CONTENT_TEST_MANIFESTS) + "/items/" + name + ".json");
        return nlohmann::json::parse(file);
    };
    const nlohmann::json easel = item("Easel");
    std::map<int, nlohmann::json> shapes;
    for (const auto& g : easel["groups"])
        for (const auto& s : g["shapes"]) shapes[s["id"]] = s;
    // The tool panels' sets, the library panels' (in the easel's item) and the cut panel's.
    std::map<int, std::vector<int>> sets;
    for (const nlohmann::json& items : {item("ToolPanels"), easel, item("CutPanel")})
        for (const auto& set : items["buttonSets"])
            for (const auto& b : set["buttons"]) sets[set["id"]].push_back(b.contains("shape") ? b["shape"] : b["shapes"][0]);
    struct Panel {
        const char* name;
        std::vector<int> buttonSets;
        // The strip's layout and the sprites shown with it.
        std::vector<int> shapes;
    } const kPanels[] = {{"pencil", {18400, 18200}, {}},
                         {"brush", {18000, 18001, 18200}, {18027, 18025}},
                         {"brush voice", {18000, 18002, 18200}, {18027, 18025}},
                         {"brush rollers", {18000, 18003}, {18027, 18025}},
                         {"fill", {18300}, {18018, 18026}},
                         {"mixer", {18600, 18200}, {18021, 18348}},
                         {"square eraser", {18500, 18203, 18201}, {18024, 18028}},
                         {"round eraser", {18500, 18203, 18202}, {18024, 18028}},
                         // The effects page covers the shape and size buttons, not the strip.
                         {"eraser effects, square", {18500}, {18024, 18028, 18166, 18149}},
                         {"eraser effects, round", {18500}, {18024, 18028, 18166, 18159}},
                         {"library", {18900}, {18015, 18028}},
                         {"sounds", {18900}, {18019, 18028}},
                         {"stamps", {18700, 18202}, {18022, 18028}},
                         {"cut", {926}, {18020, 18028}},
                         // The alphabet has no buttons: its strip and arrows span the panel.
                         {"alphabet", {}, {18000, 18347}}};
    for (const Panel& p : kPanels) {
        std::vector<std::pair<int, Rect16>> placed;
        for (int set : p.buttonSets)
            for (int shape : sets[set])
                for (const Rect16& r : planRects(shapes.at(shape))) placed.push_back({set, r});
        for (int shape : p.shapes)
            for (const Rect16& r : planRects(shapes.at(shape))) placed.push_back({shape, r});
        ASSERT_GT(placed.size(), 4u) << p.name;
        for (size_t i = 0; i < placed.size(); ++i) {
            const Rect16& r = placed[i].second;
            EXPECT_TRUE(r.left >= 104 && r.right <= 696 && r.top >= 468 && r.bottom <= 592) << p.name << " " << placed[i].first;
            for (size_t k = i + 1; k < placed.size(); ++k)
                EXPECT_FALSE(overlap(r, placed[k].second)) << p.name << ": " << placed[i].first << " and " << placed[k].first;
        }
    }
    // The alphabet's strip has seven cells (its first hot spot is 18001), and they fill the
    // panel between its arrows but for a margin.
    const std::vector<Rect16> cells = planRects(shapes.at(18000)), arrows = planRects(shapes.at(18347));
    ASSERT_EQ(cells.size(), 7u);
    ASSERT_EQ(arrows.size(), 2u);
    EXPECT_LE(cells.front().left - arrows[0].right, 16);
    EXPECT_LE(arrows[1].left - cells.back().right, 16);
    EXPECT_LE(arrows[0].left - 104, 16);
    EXPECT_LE(696 - arrows[1].right, 16);
    // Each cover hides the whole of the buttons it stands for.
    for (const auto& [cover, set] : {std::pair{18166, 18203}, {18149, 18201}, {18159, 18202}}) {
        const Rect16 c = planRects(shapes.at(cover)).at(0);
        for (int shape : sets[set]) {
            const Rect16 b = planRects(shapes.at(shape)).at(0);
            EXPECT_TRUE(b.left >= c.left && b.right <= c.right && b.top >= c.top && b.bottom <= c.bottom) << cover << " " << shape;
        }
    }
}

// The delete confirmation's messages ask about what is being deleted: the login deletes one
// painter (7809) or several (7810), the slide-show picker a slide show (7813).
TEST_F(ContentSet, DeleteMessagesAskAboutWhatTheirScreenDeletes) {
    std::ifstream file(std::string(CONTENT_TEST_MANIFESTS) + "/items/Deleters.json");
    const nlohmann::json deleters = nlohmann::json::parse(file);
    std::map<int, std::string> keys;
    for (const auto& g : deleters["groups"])
        for (const auto& s : g["shapes"])
            if (s.contains("id") && s.contains("frames") && s["frames"][0].contains("art"))
                for (const auto& op : s["frames"][0]["art"])
                    if (op.contains("key")) keys[s["id"]] = op["key"];
    const std::pair<int, const char*> kAsks[] = {{7809, "painter and"}, {7810, "painters"}, {7813, "slide show"}};
    const std::string english = text(kEnglishTextFile);
    for (const auto& [shape, words] : kAsks) {
        ASSERT_TRUE(keys.count(shape)) << shape;
        const std::string& key = keys[shape];
        const std::string message = iniValue(english, key.substr(0, key.find('/')), key.substr(key.find('/') + 1)).value_or("");
        EXPECT_NE(message.find(words), std::string::npos) << shape << ": " << message;
    }
}

// The settings name the demonstration movies, which are there, open in our playback with
// pictures and sound, and read as a video and an audio stream in another program (ffprobe).
TEST_F(ContentSet, TheDemonstrationMoviesTheSettingsNameAreInstalledAndPlay) {
    const std::string cfg = text("TB.cfg");
    const auto prefix = iniValue(cfg, "HelpDemos", "DemoPrefix");
    const auto suffix = iniValue(cfg, "HelpDemos", "DemoSuffix");
    ASSERT_TRUE(prefix && suffix);
    std::vector<std::string> names;
    for (const char* key : {"GetStartedEasel", "GetStartedPicker"}) {
        const auto value = iniValue(cfg, "HelpDemos", key);
        ASSERT_TRUE(value) << key;
        names.push_back(*value);
    }
    // The one help page that offers a demonstration.
    names.push_back(*prefix + "toons" + *suffix);
    const bool ffprobe = std::system("ffprobe -version > /dev/null 2>&1") == 0;
    for (const std::string& name : names) {
        const auto it = files_->find("Movies/" + name);
        ASSERT_NE(it, files_->end()) << name;
        std::shared_ptr<plat::media::MovieSource> source;
        ASSERT_EQ(plat::media::openMovieSourceFromMemory(it->second.data(), it->second.size(), &source), 0) << name;
        EXPECT_TRUE(source->hasVideo() && source->hasSound()) << name;
        const double seconds = double(source->duration()) / double(source->timeScale());
        EXPECT_GE(seconds, 1.0) << name;
        EXPECT_LE(seconds, 20.0) << name;
        if (!ffprobe) continue;
        const std::string file = ::testing::TempDir() + "/" + name;
        {
            std::ofstream out(file, std::ios::binary);
            out.write(reinterpret_cast<const char*>(it->second.data()), std::streamsize(it->second.size()));
        }
        const std::string command = "ffprobe -v error -show_entries stream=codec_type -of csv=p=0 '" + file + "' 2>&1";
        std::string streams;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char line[128];
            while (std::fgets(line, sizeof line, pipe)) streams += line;
            pclose(pipe);
        }
        EXPECT_EQ(streams, "video\naudio\n") << name;
        std::remove(file.c_str());
    }
}

// The easel's getting-started movie teaches step by step: the swatch turns red, a red stroke
// appears on the page, then a sticker, then the save dialog with its OK button.
TEST_F(ContentSet, TheEaselsGettingStartedMovieShowsEachStepInTurn) {
    const auto it = files_->find("Movies/GetStartedEasel.mov");
    ASSERT_NE(it, files_->end());
    std::shared_ptr<plat::media::MovieSource> source;
    ASSERT_EQ(plat::media::openMovieSourceFromMemory(it->second.data(), it->second.size(), &source), 0);
    const int width = plat::media::widthOf(source->naturalBounds());
    plat::media::Frame picture;
    ASSERT_EQ(picture.reset(width, plat::media::heightOf(source->naturalBounds())), 0);
    const auto rgb = [&](int x, int y) {
        const u8* p = picture.pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;  // blue, green, red, alpha
        return std::array<int, 3>{p[2], p[1], p[0]};
    };
    const auto red = [](std::array<int, 3> c) { return c[0] > 180 && c[1] < 110 && c[2] < 110; };
    const auto green = [](std::array<int, 3> c) { return c[1] > 150 && c[0] < 120 && c[2] < 140; };
    const auto white = [](std::array<int, 3> c) { return c[0] > 235 && c[1] > 235 && c[2] > 235; };
    const struct {
        double seconds;
        bool swatchRed, strokeShown, stickerShown, saveShown;
    } steps[] = {
        {0.4, false, false, false, false}, {3.5, true, false, false, false}, {6.6, true, true, false, false},
        {9.4, true, true, true, false},    {11.6, true, false, false, true},  // the dialog covers the page
    };
    for (const auto& step : steps) {
        ASSERT_EQ(source->drawFrame(int64_t(step.seconds * double(source->timeScale())), picture.map, picture.map.bounds), 0);
        EXPECT_EQ(green(rgb(180, 104)), step.saveShown) << step.seconds;
        if (step.saveShown) continue;
        int redOnPage = 0;
        for (int y = 26; y < 122; ++y)
            for (int x = 60; x < 210; ++x) redOnPage += red(rgb(x, y));
        EXPECT_EQ(red(rgb(292, 82)), step.swatchRed) << step.seconds;
        EXPECT_EQ(redOnPage > 150, step.strokeShown) << step.seconds << " s: " << redOnPage;
        EXPECT_EQ(!white(rgb(226, 96)), step.stickerShown) << step.seconds;
    }
}

// The help page's third button is the demonstration button.
TEST_F(ContentSet, TheHelpPageHasItsDemonstrationButtonThird) {
    const std::vector<ButtonRecord> set = buttons(archive("RHelpDlg"), 777);
    ASSERT_GE(set.size(), 3u);
    EXPECT_EQ(set[2].id, 1460);
}

// Pictures are read alike in every language: no button's emoji carries a word ("NEW", "OK",
// "SOON"): the enclosed letters, the arrows with words and the trade mark.
TEST(ContentManifests, NoEmojiOfAPictureSpellsAWord) {
    const auto spellsAWord = [](char32_t c) {
        return (c >= 0x1F100 && c <= 0x1F1FF) || (c >= 0x1F519 && c <= 0x1F51D) || c == 0x2122 || c == 0x24C2;
    };
    std::function<void(const nlohmann::json&, const std::string&)> walk = [&](const nlohmann::json& node, const std::string& file) {
        if (node.is_structured())
            for (const auto& [key, value] : node.items()) {
                if (key != "emoji" || !value.is_string()) {
                    walk(value, file);
                    continue;
                }
                const std::string emoji = value.get<std::string>();
                // Decoded from UTF-8: a lead byte's count of ones is the sequence's length.
                for (size_t at = 0; at < emoji.size();) {
                    const u8 lead = u8(emoji[at]);
                    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
                    for (size_t i = 1; i < length && at + i < emoji.size(); ++i) c = c << 6 | (u8(emoji[at + i]) & 0x3F);
                    EXPECT_FALSE(spellsAWord(c)) << file << ": " << emoji;
                    at += length;
                }
            }
    };
    for (const auto& entry : std::filesystem::recursive_directory_iterator(CONTENT_TEST_MANIFESTS))
        if (entry.path().extension() == ".json") {
            std::ifstream in(entry.path());
            walk(nlohmann::json::parse(in), entry.path().filename().string());
        }
}

// The build's run wrote the same set into the program folder: another process, another count
// of threads, the same bytes.
TEST_F(ContentSet, ASecondRunGivesTheSameBytes) {
    for (const auto& [path, bytes] : *files_) {
        std::ifstream in(std::filesystem::path(CONTENT_TEST_PROGRAM_DIR) / path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        const std::vector<u8> second{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_TRUE(second == bytes) << path;
    }
}

// The Spanish is the Latin American one of the program's keyboard, in every text, help page and
// the guide (the second of each pair); the eraser goes by one name.
TEST(ContentManifests, TheSpanishSaysNoWordOfSpain) {
    const char* const refused[] = {"ordenador", "egatina", "ulsa", "úlsa", "Cubo de pintura", "peques",
                                   "ratón", "Intro", "petardo", "goma", "Goma", "rotulador", "espray"};
    std::function<void(const nlohmann::json&, const std::string&)> walk = [&](const nlohmann::json& node, const std::string& file) {
        if (node.is_array() && node.size() == 2 && node[0].is_string() && node[1].is_string()) {
            for (const char* word : refused) EXPECT_EQ(node[1].get<std::string>().find(word), std::string::npos) << file << ": " << node[1];
        } else if (node.is_structured()) {
            for (const auto& item : node) walk(item, file);
        }
    };
    for (const auto& entry : std::filesystem::recursive_directory_iterator(CONTENT_TEST_MANIFESTS))
        if (entry.path().extension() == ".json") walk(nlohmann::json::parse(std::ifstream(entry.path())), entry.path().filename().string());
}

// A screen's title is no menu item, "..." and all.
TEST(ContentManifests, NoArtTitleIsAMenuItem) {
    std::ifstream in(std::string(CONTENT_TEST_MANIFESTS) + "/items/Easel.json");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}).find("\"key\": \"MenuStrings/"), std::string::npos);
}

// Start Over lets the undo step go and clears only the painting: its help page says so.
TEST_F(ContentSet, StartOversHelpSaysTheSnailCannotBringThePaintingBack) {
    EXPECT_NE(iniValue(text(kSpanishTextFile), "HelpStrings", "FirecrackerErase").value_or("").find("no puede"), std::string::npos);
}

}  // namespace
