#include "contentgen/content/ItemBuilder.h"

#include <algorithm>
#include <map>

#include "app/menus/MenuCommands.h"
#include "contentgen/content/ArchiveWaveWriter.h"
#include "contentgen/content/BitmapWriter.h"
#include "contentgen/content/ButtonArt.h"
#include "contentgen/content/RegionWriter.h"
#include "contentgen/content/Cp1252.h"
#include "contentgen/content/ManifestNumbers.h"
#include "contentgen/content/MidiMusic.h"
#include "contentgen/content/ShapeGroupBuilder.h"
#include "contentgen/content/ShapeScriptWriter.h"
#include "contentgen/content/SoundSynth.h"
#include "contentgen/content/SpeechSynth.h"
#include "contentgen/content/SystemResources.h"
#include "app/strings/StringList.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "framework/format/StringFormat.h"

using nlohmann::json;
using Ostrel::kStringListType;

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr FourCC kStringType = fourCC("tSTR");
constexpr FourCC kRegionType = fourCC("MRGN");
constexpr size_t kMaxParts = 255;
constexpr size_t kMaxListStrings = 255;

struct FrameArt {
    Raster raster;
    int anchorX;
    int anchorY;
    int atX;
    int atY;
};

// Spoken with a text as it stands ("speak") or with a text of the item's language ("speakKey").
bool isSpoken(const json& sound) { return sound.contains("speak") || sound.contains("speakKey"); }

std::string voiceOf(const json& sound, Language language) {
    return sound.value("voice", std::string(language == Language::Spanish ? "es-419" : "en"));
}

void add(ArchiveImage& archive, FourCC type, u16 id, const std::vector<u8>& bytes) {
    if (archive.add(type, id, bytes) != kErrNone)
        throw ArtError("resource " + std::to_string(id) + " of one type is given twice");
}

// An entry with "loadAtOpen": true is read as soon as its archive opens. Only pictures and
// sounds may be: the sprite layer turns groups, scripts and offset tables into the machine's
// byte order as it loads them itself, which one already read would never be.
void markWhenAsked(ArchiveImage& archive, const json& spec, FourCC type, u16 id) {
    if (spec.value("loadAtOpen", false)) archive.markLoadAtOpen(type, id);
}

class Builder {
public:
    Builder(const ContentContext& context, Language language)
        : context_(context),
          language_(language),
          painter_(context.fonts, context.artLibrary,
                   [&context, language](const std::string& key) { return context.texts.lookup(key, language); }) {}

    void frames(const json& frame, std::pair<int, int> shapeAt, std::vector<FrameArt>* out) const {
        const auto at = frame.contains("at") ? layoutPair(context_, frame["at"], 0) : shapeAt;
        if (frame.contains("button")) {
            const json& button = frame["button"];
            const int w = button.at("w").get<int>() + 2 * kButtonMargin, h = button.at("h").get<int>() + 2 * kButtonMargin;
            const ButtonLook look = buttonLookNamed(frame.value("look", std::string("up")));
            Raster r = painter_.paint(buttonOps(button, look), w, h);
            if (look == ButtonLook::Disabled) artGreyOut(r);
            out->push_back(FrameArt{std::move(r), kButtonMargin, kButtonMargin, at.first, at.second});
            return;
        }
        const auto size = layoutPair(context_, frame.at("size"), 1);
        json ops;
        if (frame.contains("art")) {
            ops = frame["art"];
        } else if (frame.contains("emoji")) {
            ops = json::array({{{"emoji", frame["emoji"]}, {"at", {size.first / 2.0, size.second / 2.0}},
                                {"size", std::min(size.first, size.second) * 0.8}}});
        } else if (frame.contains("use")) {
            ops = json::array({{{"use", frame["use"]}, {"size", std::min(size.first, size.second)}}});
        } else {
            throw ArtError("a frame has art, button, emoji or use: " + frame.dump());
        }
        const auto anchor = frame.contains("anchor") ? layoutPair(context_, frame["anchor"], 0) : std::pair{0, 0};
        out->push_back(FrameArt{painter_.paint(ops, size.first, size.second), anchor.first, anchor.second, at.first, at.second});
    }

    void group(const json& spec, ArchiveImage& archive) const {
        const u16 groupId = manifestU16(spec.at("id"), "id");
        ShapeGroupBuilder group;
        std::vector<std::pair<u16, std::vector<u8>>> scripts;
        u32 nextId = groupId;
        for (const json& shape : expandButtons(spec.at("shapes"))) {
            const u32 id = shape.contains("id") ? shape["id"].get<u32>() : nextId;
            if (id < nextId || id > 0xFFFF) throw ArtError("shape " + std::to_string(id) + " is out of order in group " + std::to_string(groupId));
            for (; nextId < id; ++nextId) scripts.push_back({u16(nextId), emptyScript()});
            const auto at = shape.contains("at") ? layoutPair(context_, shape["at"], 0) : std::pair{0, 0};
            std::vector<FrameArt> arts;
            for (const json& frame : shape.at("frames")) frames(frame, at, &arts);
            if (arts.empty() || arts.size() > kMaxParts) throw ArtError("shape " + std::to_string(id) + " needs 1 to 255 frames");
            std::vector<ShapePart> parts;
            Rect16 bounds{32767, 32767, -32768, -32768};
            for (const FrameArt& a : arts) {
                const u16 number = group.addFrame(a.raster, a.anchorX, a.anchorY);
                parts.push_back(ShapePart{number, i16(a.atX), i16(a.atY)});
                const RasterBounds r = group.frameRect(number);
                bounds.left = std::min<i16>(bounds.left, i16(r.left + a.atX));
                bounds.top = std::min<i16>(bounds.top, i16(r.top + a.atY));
                bounds.right = std::max<i16>(bounds.right, i16(r.right + a.atX));
                bounds.bottom = std::max<i16>(bounds.bottom, i16(r.bottom + a.atY));
            }
            // A sprite placed by its shape stands at the shape's rectangle; its parts lie
            // relative to that corner.
            for (ShapePart& part : parts) {
                part.dx = i16(part.dx - bounds.left);
                part.dy = i16(part.dy - bounds.top);
            }
            scripts.push_back({u16(id), script(shape, parts, bounds)});
            nextId = id + 1;
        }
        add(archive, kSprGroupType, groupId, group.groupBytes());
        add(archive, kSprOffsetType, groupId, group.xOffsetTable());
        add(archive, kSprOffsetType, u16(groupId + 1), group.yOffsetTable());
        for (const auto& [id, bytes] : scripts) add(archive, kSprScriptType, id, bytes);
    }

    // A shape given as { "button": {...}, "looks"? } stands for one shape per look, with
    // consecutive numbers: by default the four states a button set names.
    static json expandButtons(const json& shapes) {
        json out = json::array();
        for (const json& shape : shapes) {
            if (!shape.contains("button")) {
                out.push_back(shape);
                continue;
            }
            const json looks = shape.value("looks", json::array({"up", "highlighted", "down", "selected"}));
            for (size_t i = 0; i < looks.size(); ++i) {
                json one = shape;
                one.erase("button");
                one.erase("looks");
                if (shape.contains("id")) one["id"] = shape["id"].get<u32>() + i;
                one["frames"] = json::array({{{"button", shape["button"]}, {"look", looks[i]}}});
                out.push_back(one);
            }
        }
        return out;
    }

    std::vector<u8> script(const json& shape, const std::vector<ShapePart>& parts, const Rect16& bounds) const {
        ShapeScriptWriter script(bounds, shape.value("soundBase", u16(0)));
        // { "sound": { "id", "slot"? } }: heard from the shape's first frame; in slot 1 or 2
        // a sprite that waits for its sounds ends only once it has played.
        if (shape.contains("sound"))
            script.sound(manifestU16(shape["sound"].at("id"), "sound id"), manifestU16(shape["sound"].value("slot", json(1)), "sound slot"));
        const std::string play = shape.value("play", std::string("still"));
        if (play == "parts") {
            // "show" picks which of the shape's frames are parts; the others only sit in the
            // group for the screen to step through (a counter's digits).
            if (shape.contains("show")) {
                std::vector<ShapePart> shown;
                for (const json& i : shape["show"]) shown.push_back(parts.at(i.get<size_t>()));
                script.frame(shown);
            } else {
                script.frame(parts);
            }
        } else if (play == "animation") {
            for (const ShapePart& p : parts) {
                script.timing(i16(shape.value("ms", 100)));
                script.frame({p});
                script.wait();
            }
        } else if (play == "still") {
            script.frame({parts.front()});
        } else {
            throw ArtError("a shape plays still, parts or animation, not " + play);
        }
        return script.finish();
    }

    static std::vector<u8> emptyScript() {
        ShapeScriptWriter script(Rect16{0, 0, 0, 0}, 0);
        script.frame({});
        return script.finish();
    }

    void picture(const json& spec, ArchiveImage& archive) const {
        const auto size = spec.contains("size") ? layoutPair(context_, spec["size"], 1) : std::pair{kScreenWidth, kScreenHeight};
        const Raster raster = painter_.paint(spec.at("art"), size.first, size.second);
        const u16 id = manifestU16(spec.at("id"), "id");
        add(archive, kSprPictureType, id, spec.value("mask", false) ? writeAlphaMask8(raster) : writePlainBitmap16(raster));
        markWhenAsked(archive, spec, kSprPictureType, id);
    }

    // The opaque area of the art, as a hot-spot region in the art's own coordinates.
    void region(const json& spec, ArchiveImage& archive) const {
        const auto size = layoutPair(context_, spec.at("size"), 1);
        add(archive, kRegionType, manifestU16(spec.at("id"), "id"), writeRegionResource(painter_.paint(spec.at("art"), size.first, size.second)));
    }

    // Spoken sounds come from `spoken`, made beforehand in one batch per voice; a tune is a
    // MIDI sound under the same type.
    void sound(const json& spec, const std::map<const json*, SpokenSound>& spoken, ArchiveImage& archive) const {
        const u16 id = manifestU16(spec.at("id"), "id");
        if (spec.contains("midi")) {
            add(archive, kTypeSound, id, composeMidiTune(spec));
            markWhenAsked(archive, spec, kTypeSound, id);
            return;
        }
        std::vector<i16> samples;
        u32 rate = kSynthRate;
        if (isSpoken(spec)) {
            const SpokenSound& said = spoken.at(&spec);
            samples = said.samples;
            rate = said.rate;
            // Long speech may be kept at half the rate: a voice loses nothing a child would miss.
            if (spec.value("halfRate", false)) {
                for (size_t i = 0; i + 1 < samples.size(); i += 2) samples[i / 2] = i16((samples[i] + samples[i + 1]) / 2);
                samples.resize(samples.size() / 2);
                rate /= 2;
            }
        } else {
            samples = synthesizeSound(spec);
        }
        add(archive, kTypeSound, id, writeArchiveWave(samples, rate));
        markWhenAsked(archive, spec, kTypeSound, id);
    }

    void stringResource(const json& spec, ArchiveImage& archive) const {
        const auto text = utf8ToCp1252(context_.texts.lookup(spec.at("key").get<std::string>(), language_));
        std::vector<u8> bytes;
        if (!text || writeStringResource(*text, &bytes) != kErrNone)
            throw ArtError("string " + spec.dump() + " cannot be stored");
        add(archive, kStringType, manifestU16(spec.at("id"), "id"), bytes);
    }

    // A count byte, then the texts back to back, each ended by a zero byte.
    void stringList(const json& spec, ArchiveImage& archive) const {
        const json& keys = spec.at("keys");
        if (keys.size() > kMaxListStrings) throw ArtError("a string list holds at most 255 texts");
        std::vector<u8> bytes{u8(keys.size())};
        for (const json& key : keys) {
            const auto text = utf8ToCp1252(context_.texts.lookup(key.get<std::string>(), language_));
            if (!text || text->find('\0') != std::string::npos) throw ArtError("text " + key.dump() + " cannot be listed");
            bytes.insert(bytes.end(), text->begin(), text->end());
            bytes.push_back(0);
        }
        add(archive, kStringListType, manifestU16(spec.at("id"), "id"), bytes);
    }

    void cursor(const json& spec, ArchiveImage& archive) const {
        add(archive, kCursorType, manifestU16(spec.at("id"), "id"), buildCursorResource(spec, painter_.paint(spec.at("art"), 32, 32)));
    }

    const ContentContext& context_;
    Language language_;
    ArtPainter painter_;
};

}  // namespace

SpokenTexts itemSpokenTexts(const json& item, const ContentContext& context, Language language) {
    SpokenTexts texts;
    for (const json& s : item.value("sounds", json::array()))
        if (isSpoken(s))
            texts[voiceOf(s, language)].push_back(s.contains("speakKey") ? context.texts.lookup(s["speakKey"].get<std::string>(), language)
                                                                         : s["speak"].get<std::string>());
    return texts;
}

ArchiveImage buildItemArchive(const json& item, const ContentContext& context, Language language, const SpokenSounds& said) {
    ArchiveImage archive;
    Builder builder(context, language);
    for (const json& p : item.value("pictures", json::array())) builder.picture(p, archive);
    for (const json& g : item.value("groups", json::array())) builder.group(g, archive);
    for (const json& r : item.value("regions", json::array())) builder.region(r, archive);
    const json sounds = item.value("sounds", json::array());
    std::map<const json*, SpokenSound> spoken;
    std::map<std::string, size_t> next;
    for (const json& s : sounds) {
        if (!isSpoken(s)) continue;
        const std::string voice = voiceOf(s, language);
        const auto batch = said.find(voice);
        const size_t i = next[voice]++;
        if (batch == said.end() || i >= batch->second.size()) throw ArtError("sound " + s.dump() + " was not spoken");
        spoken[&s] = batch->second[i];
    }
    for (const json& s : sounds) builder.sound(s, spoken, archive);
    for (const json& s : item.value("strings", json::array())) builder.stringResource(s, archive);
    if (item.value("mainMenu", false)) add(archive, kMenuResourceType, Ostrel::kMainMenuId, buildMainMenuResource(context.texts, language));
    for (const json& b : item.value("buttonSets", json::array()))
        add(archive, kButtonSetResourceType, manifestU16(b.at("id"), "button set id"), buildButtonSet(b));
    for (const json& l : item.value("stringLists", json::array())) builder.stringList(l, archive);
    for (const json& c : item.value("cursors", json::array()))
        builder.cursor(c, archive);
    for (const json& d : item.value("dialogs", json::array()))
        add(archive, kDialogResourceType, manifestU16(d.at("id"), "dialog id"), buildDialogResource(d, context.texts, language));
    return archive;
}
