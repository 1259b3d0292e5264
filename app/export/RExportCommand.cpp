#include "app/export/RExportCommand.h"

#include <filesystem>
#include <memory>

#include "app/export/RTransitionSoundWaves.h"
#include "document/filedialogs/ShowFileDialogs.h"
#include "engine/gfx/GfxBusyCursor.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/dialogs/mfxProgressWindow.h"
#include "framework/language/LanguageTexts.h"
#include "framework/windows/mfxWindow.h"
#include "media/export/FlashProjector.h"
#include "media/export/PageFlashExport.h"
#include "media/export/PagePictureExport.h"
#include "platform/files/Files.h"

namespace Ostrel {

namespace {

std::string text(const char* section, const char* key, const char* english) {
    std::string found = LookupLanguageText(section, key).c_str();
    return found.empty() ? english : found;
}

// The message of a failed movie export, by its code; none for success or a cancel.
const char* movieMessageKey(ExportKind kind, i32 code) {
    const bool project = kind == ExportKind::ProjectMovie;
    switch (code) {
    case kExportOk:
    case kExportCancelled: return nullptr;
    case kExportNoMemory:
    case kExportNoBlock: return project ? "CantExportProjectAsMovie_Memory" : "CantExportPageAsMovie_Memory";
    case kExportDiskFull: return project ? "CantExportProjectAsMovie_DiskSpace" : "CantExportPageAsMovie_DiskSpace";
    default: return project ? "CantExportProjectAsMovie" : "CantExportPageAsMovie";
    }
}

const char* messageKey(ExportKind kind, i32 code) {
    if (kind == ExportKind::PageMovie || kind == ExportKind::ProjectMovie) return movieMessageKey(kind, code);
    if (code == kExportOk || code == kExportCancelled) return nullptr;
    return code == kExportDiskFull ? "VolumeFull" : "GeneralFileErr";
}

i32 runExport(const std::string& target, ExportKind kind, const ExportSources& sources, const ExportProgress& progress) {
    if (kind == ExportKind::ProjectMovie) {
        if (!sources.document) return kExportFailed;
        const RTransitionSoundWaves sounds;
        return exportProjectMovie(*sources.document, sources.canvas, target, progress,
                                  [&sounds](u16 place) { return sounds.Wave(place); });
    }
    if (!sources.page) return kExportFailed;
    switch (kind) {
    case ExportKind::PageMovie:
        return exportPageMovie(*sources.page, sources.canvas, target, progress, sources.canvasSnapshot);
    case ExportKind::PageFlash: return exportPageFlash(*sources.page, sources.canvas, target);
    case ExportKind::PageJpeg:
        return exportPagePicture(*sources.page, sources.canvas, target, PagePictureFormat::Jpeg, sources.canvasSnapshot);
    // A BMP keeps every colour: the page is drawn anew rather than taken from a JPEG.
    case ExportKind::PageBmp: return exportPagePicture(*sources.page, sources.canvas, target, PagePictureFormat::Bmp);
    default: break;
    }
    std::vector<u8> movie;
    if (const i32 err = composePageFlash(*sources.page, sources.canvas, &movie)) return err;
    if (progress && !progress(1, 2)) return kExportCancelled;
    return WriteFlashProjector(PlayerProgramPath(sources.programFolder), target, movie) ? kExportFailed : kExportOk;
}

std::string kindLabel(ExportKind kind) {
    switch (kind) {
    case ExportKind::PageJpeg: return text("FileStrings", "FilterJpeg", "JPEG pictures");
    case ExportKind::PageBmp: return text("FileStrings", "FilterBmp", "BMP pictures");
    case ExportKind::PageFlash: return text("FileStrings", "FilterFlash", "Flash movies");
    case ExportKind::Player: return text("FileStrings", "FilterPlayer", "Players");
    default: return text("FileStrings", "FilterMovies", "Movies");
    }
}

const char* kindPattern(ExportKind kind) {
    switch (kind) {
    case ExportKind::PageJpeg: return "*.jpg;*.jpeg";
    case ExportKind::PageBmp: return "*.bmp";
    case ExportKind::PageFlash: return "*.swf";
    case ExportKind::Player: return "*";
    default: return "*.mov";
    }
}

// After an export, the child is told the file's name and the folder it is in, by the name the
// dialogs show that folder by: a movie of every kind (the player file plays one), a picture as a
// picture. A page with nothing to export wrote none, and nothing is said.
void tellWhereItWent(const Paths& paths, const std::string& file, ExportKind kind) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(plat::hostPathOfText(file), error)) return;
    const size_t cut = file.find_last_of('\\');
    const std::string name = cut == std::string::npos ? file : file.substr(cut + 1);
    const std::string folder = cut == std::string::npos ? std::string() : ShownFolderName(paths, file.substr(0, cut));
    const bool picture = kind == ExportKind::PageJpeg || kind == ExportKind::PageBmp;
    std::string told = picture ? text("FileStrings", "ExportedPictureToFile", "Your picture is now the file \"%1\" in %2.")
                               : text("FileStrings", "ExportedToFile", "Your movie is now the file \"%1\" in %2.");
    for (const auto& [mark, fill] : {std::pair<const char*, const std::string&>{"%1", name}, {"%2", folder}})
        if (const size_t at = told.find(mark); at != std::string::npos) told.replace(at, 2, fill);
    mfxAlert(kAlertOk | kAlertIconInformation, told);
}

}  // namespace

std::string PlayerProgramPath(const std::string& programFolder) {
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder + text("GeneralStrings", "FlashPlayerDir", "Player") + "\\" +
           text("GeneralStrings", "FlashPlayerWin32", "tumblo4-player");
}

i32 ExportProjectCommand(mfxWindow* owner, const std::string& target, ExportKind kind, const ExportSources& sources) {
    i32 code = kExportFailed;
    {
        GfxBusyCursor busy;
        if (kind == ExportKind::PageJpeg || kind == ExportKind::PageBmp) {
            code = runExport(target, kind, sources, {});
        } else {
            mfxProgressWindow window(owner ? owner->GetHandle() : plat::kNoWindow,
                                     text("FileStrings", "ExportTitle", "Export"),
                                     text("FileStrings", "Exporting", "Making your movie..."),
                                     text("FileDialog", "Cancel", "Cancel"));
            code = runExport(target, kind, sources, [&window](u32, u32) { return window.Poll(); });
        }
    }
    if (const char* key = messageKey(kind, code)) mfxAlert(kAlertOk | kAlertIconStop, text("FileStrings", key, key));
    return code;
}

i32 ExportWithDialog(mfxWindow* owner, const Paths& paths, std::span<const ExportKind> kinds,
                     const std::string& defaultName, const ExportSources& sources) {
    std::vector<mfxFileFilter> filters;
    for (ExportKind kind : kinds) filters.push_back({kindLabel(kind), kindPattern(kind)});
    u16 chosen = 0;
    const std::string target = ShowExportFileDialog(owner, paths, filters, defaultName, &chosen);
    if (target.empty() || chosen >= kinds.size()) return kExportCancelled;
    const ExportKind kind = kinds[chosen];
    std::string named = target;
    if (kind == ExportKind::PageFlash) named = exportTargetName(target, "swf");
    const bool movie = kind == ExportKind::PageMovie || kind == ExportKind::ProjectMovie;
    if (movie) named = exportTargetName(target, "mov");
    const i32 code = ExportProjectCommand(owner, named, kind, sources);
    if (code == kExportOk) tellWhereItWent(paths, named, kind);
    return code;
}

}  // namespace Ostrel
