#include "contentgen/content/IdeaPictureWriter.h"

#include "contentgen/content/ArchiveImage.h"
#include "contentgen/content/LibraryBuilder.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageIndex.h"
#include "document/storage/PictureRecord.h"
#include "document/users/IdeaPictures.h"

using nlohmann::json;

namespace {

constexpr int kPromptHeight = 48;

std::string inLanguage(const json& idea, const char* field, Language language) {
    const json& pair = idea.at(field);
    if (!pair.is_array() || pair.size() != 2) throw ArtError(std::string("an idea's ") + field + " is [English, Spanish]");
    return pair.at(language == Language::Spanish ? 1 : 0).get<std::string>();
}

// The art with the prompt on a white band across its top.
json pageArt(const json& idea, Language language, int width) {
    json art = json::array({{{"rect", {0, 0, width, 1000}}, {"fill", "#ffffff"}}});
    for (const json& op : idea.at("art")) art.push_back(op);
    art.push_back({{"rect", {0, 0, width, kPromptHeight}}, {"fill", "#fff3b0"}});
    art.push_back({{"text", inLanguage(idea, "prompt", language)},
                   {"box", {12, 4, width - 24, kPromptHeight - 8}},
                   {"size", 24},
                   {"least", 16},
                   {"fill", "#3b2a5c"}});
    return art;
}

void addIdeaResource(ArchiveImage& archive, FourCC type, u16 id, const std::vector<u8>& bytes) {
    if (archive.add(type, id, bytes) != kErrNone) throw ArtError("an idea picture's resource is given twice");
}

}  // namespace

std::string ideaPicturePath(const json& idea, Language language) {
    const std::string name = inLanguage(idea, "name", language);
    if (name.empty() || name.find_first_of("/\\:") != std::string::npos || name.front() == '.')
        throw ArtError("an idea's name \"" + name + "\" is no plain file name");
    return std::string(Ostrel::kIdeasFolderName) + "/" + Ostrel::IdeasLanguageFolder(u16(language)) + "/" + name + ".tbx";
}

std::vector<u8> writeIdeaPicture(const json& idea, Language language, const ContentContext& context) {
    const ArtPainter painter(context.fonts, context.artLibrary,
                             [&context, language](const std::string& key) { return context.texts.lookup(key, language); });
    const json canvas = layoutRect(context, "@easel.canvas");
    const int width = canvas[2].get<int>(), height = canvas[3].get<int>();
    const json art = pageArt(idea, language, width);
    ArchiveImage archive;
    addIdeaResource(archive, kTypeBitmap, Ostrel::kBackgroundId, pictureRecordOf(painter.paint(art, width, height)));
    // The open dialog's preview: the page made small.
    const double scale = double(kThumbnailWidth) / width;
    addIdeaResource(archive, kTypeThumbnail, 1,
        pictureRecordOf(painter.paint(json::array({{{"group", art}, {"scale", scale}}}), kThumbnailWidth, kThumbnailHeight)));
    PageIndex index;
    index.entries.push_back({kTypeBitmap, Ostrel::kBackgroundId, 0, 0, i16(width), i16(height), 0, 0, 0});
    std::vector<u8> bytes;
    if (writePageIndex(index, &bytes) != kErrNone) throw ArtError("an idea picture's page index cannot be stored");
    addIdeaResource(archive, kTypePageIndex, 1, bytes);
    if (archive.serialize(&bytes) != kErrNone) throw ArtError("an idea picture cannot be laid out");
    return bytes;
}
