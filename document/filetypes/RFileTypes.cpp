#include "document/filetypes/RFileTypes.h"

#include <cstring>

#include "document/import/FileImport.h"
#include "engine/base/TextUtils.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

constexpr const char* kDefaultProjectExtension = "tbp";
constexpr const char* kPictureFiles = "*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.pct;*.pict";
constexpr const char* kSoundFiles = "*.wav;*.aif;*.aiff";
constexpr const char* kFlashFiles = "*.swf";
constexpr const char* kMovieFiles = "*.mov;*.mp4;*.avi";

struct KnownType {
    const char* extension;
    FourCC type;
};
constexpr KnownType kKnownTypes[] = {
    {"wav", kFileTypeSound}, {"aif", kFileTypeAiff},  {"aiff", kFileTypeAiff}, {"swf", kFileTypeFlash},
    {"mov", kFileTypeMovie}, {"mp4", kFileTypeMovie}, {"avi", kFileTypeMovie}, {"jpg", kFileTypeJpeg},
    {"jpeg", kFileTypeJpeg}, {"png", kFileTypePng},   {"gif", kFileTypeGif},   {"bmp", kFileTypeBmp},
    {"pct", kFileTypePict},  {"pict", kFileTypePict},
};

std::string setting(const char* key, const char* fallback) {
    std::string value = LookupLanguageText(kSectionFileExtensions, key).c_str();
    if (!value.empty() && value[0] == '.') value.erase(0, 1);
    return value.empty() ? fallback : value;
}

// The label a language file gives the file type, English when it gives none.
mfxFileFilter filter(const char* key, const char* english, const std::string& patterns) {
    std::string label = LookupLanguageText("FileStrings", key).c_str();
    return {label.empty() ? english : label, patterns};
}

mfxFileFilter pictures() { return filter("FilterPictures", "Pictures", kPictureFiles); }
// The program's own files, which the dialogs list by name.
mfxFileFilter own(mfxFileFilter filter) {
    filter.byName = true;
    return filter;
}

mfxFileFilter ownPictures() { return own(filter("FilterOwnPictures", "My pictures", "*." + PictureExtension())); }
mfxFileFilter ideaPictures() { return own(filter("FilterIdeas", "Pictures to start from", "*." + PictureExtension())); }
mfxFileFilter projects() { return own(filter("FilterProjects", "Slide shows", "*." + ProjectExtension())); }

bool endsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && strCompareNoCase(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

}  // namespace

std::string PictureExtension() { return setting("Picture", kPictureExtension + 1); }
std::string ProjectExtension() { return setting("Project", kDefaultProjectExtension); }

std::string WithExtension(const std::string& name, const std::string& extension) {
    const std::string end = "." + extension;
    return endsWithNoCase(name, end) ? name : name + end;
}

FourCC FileTypeOfName(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return 0;
    const std::string extension = name.substr(dot + 1);
    for (const KnownType& known : kKnownTypes) {
        if (extension.size() == std::strlen(known.extension) &&
            strCompareNoCase(extension.c_str(), known.extension) == 0) {
            return known.type;
        }
    }
    return 0;
}

std::vector<mfxFileFilter> SaveFilters(u16 kind) {
    if (kind == kSaveProject) return {projects()};
    return {ownPictures()};
}

std::vector<mfxFileFilter> ImportFilters(u16 kind) {
    switch (kind) {
    // A movie for the page: every kind the page plays, movies and Flash, together first.
    case kImportMovie:
        return {filter("FilterMoviesFlash", "Movies and Flash", std::string(kMovieFiles) + ";" + kFlashFiles),
                filter("FilterMovies", "Movies", kMovieFiles), filter("FilterFlash", "Flash", kFlashFiles)};
    case kImportSoundOrFlash:
        return {filter("FilterSounds", "Sounds", kSoundFiles), filter("FilterFlash", "Flash", kFlashFiles)};
    case kImportProject: return {projects()};
    case kImportMedia:
        return {filter("FilterMedia", "All media", std::string(kPictureFiles) + ";" + kSoundFiles + ";" + kFlashFiles +
                                                       ";" + kMovieFiles)};
    // Opening a picture (File > Open): the program's own pictures first, the type the dialog
    // starts with. The Idea Machine starts from pictures of the program's own.
    case kImportPictures: return {ownPictures(), pictures()};
    case kImportPicturesToo: return {ideaPictures()};
    case kImportOwnPicture: return {ownPictures()};
    default: return {pictures(), ownPictures()};
    }
}

std::vector<mfxFileFilter> ExportFilters(u16 kind) {
    if (kind == kExportJpeg) return {filter("FilterJpeg", "JPEG pictures", "*.jpg;*.jpeg")};
    return {filter("FilterMovies", "Movies", "*.mov")};
}

}  // namespace Ostrel
