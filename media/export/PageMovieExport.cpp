#include "media/export/PageMovieExport.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "media/export/PageAnimation.h"
#include "media/export/PagePicture.h"
#include "media/export/RMovieComponent.h"
#include "media/quicktime/ImgJpeg.h"
#include "platform/files/Files.h"
#include "platform/media/movie/MovieFlattener.h"
#include "platform/media/movie/MovieWritingLeftover.h"
#include "tools/effects/transitions/TransitionKernels.h"

namespace Ostrel {

namespace {

using Components = std::vector<std::unique_ptr<RMovieComponent>>;

ComponentPlace placeOf(const RPageObject& object, Point16 at) {
    return {i16(object.rect.left + at.h), i16(object.rect.top + at.v), i16(object.rect.right - object.rect.left),
            i16(object.rect.bottom - object.rect.top)};
}

// The object's bytes whole: a movie kept in its file is read for the export (empty when it
// cannot be, which the export reports as a missing movie).
std::vector<u8> mediaOf(const RPageObject& object) {
    std::vector<u8> bytes;
    if (static_cast<const RMediaFilePageObject&>(object).Bytes(&bytes) != kErrNone) bytes.clear();
    return bytes;
}

// Whether the page holds anything that shows or sounds.
bool holdsExportable(const RPageData& page) {
    u32 it = 0;
    RPageObject* object = nullptr;
    while (page.NextObjectSkipFlagged(&it, &object, fourCC("??PO")))
        for (FourCC type : {kTypeBitmap, kTypeMovableBitmap, kTypeText, kTypeMovie, kTypeFlash, kTypeFlashAnimation, kTypeSound})
            if (object->Type() == type) return true;
    return false;
}

bool isMediaFile(FourCC type) {
    return type == kTypeSound || type == kTypeMovie || type == kTypeFlash || type == kTypeFlashAnimation;
}

// A sound from `startMs`, once, for at most `durationMs`.
i32 buildSound(std::span<const u8> wave, i32 startMs, i32 durationMs, Components* out) {
    auto sound = std::make_unique<RMovieComponent>(kComponentSound, ComponentPlace{}, startMs, durationMs, 0);
    if (const i32 err = sound->WriteSound(wave)) return err;
    sound->SetDuration(std::min(durationMs, sound->MediaDuration()));
    if (sound->Duration() > 0) out->push_back(std::move(sound));
    return kExportOk;
}

// The components of one page from `startMs` for `durationMs`: its picture, its movies, its
// sounds (each at most the page's length).
i32 buildPage(const RPageData& page, PagePicture& picture, i32 startMs, i32 durationMs, Components* out,
              PagePlacement placement = {}) {
    auto still = std::make_unique<RMovieComponent>(kComponentPicture, ComponentPlace{0, 0, i16(picture.Width()), i16(picture.Height())},
                                                    startMs, durationMs, kPictureLayer);
    std::vector<std::vector<u8>> frames;
    if (const i32 err = AnimatePage(page, picture.Width(), picture.Height(), durationMs, &frames, placement)) return err;
    if (const i32 err = frames.empty() ? still->WritePicture(picture.Jpeg()) : still->WriteFrames(frames, durationMs))
        return err;
    out->push_back(std::move(still));
    u32 it = 0;
    RPageObject* object = nullptr;
    while (page.NextObjectSkipFlagged(&it, &object, fourCC("??PO"))) {
        if (!isMediaFile(object->Type())) continue;
        if (object->Type() == kTypeMovie) {
            auto movie = std::make_unique<RMovieComponent>(kComponentMovie, placeOf(*object, placement.at), startMs, durationMs,
                                                           kMovieLayer);
            if (const i32 err = movie->WriteMovie(mediaOf(*object))) return err;
            out->push_back(std::move(movie));
        } else if (object->Type() == kTypeSound) {
            if (const i32 err = buildSound(mediaOf(*object), startMs, durationMs, out)) return err;
        }
    }
    // The Flash objects above a movie keep their place in front of it, in the movies' layer
    // after them.
    if (const i32 err = AnimateOverMovies(page, picture.Width(), picture.Height(), durationMs, &frames, placement)) return err;
    if (frames.empty()) return kExportOk;
    auto over = std::make_unique<RMovieComponent>(kComponentPicture, ComponentPlace{0, 0, i16(picture.Width()), i16(picture.Height())},
                                                  startMs, durationMs, kMovieLayer);
    if (const i32 err = over->WriteFrames(frames, durationMs)) return err;
    if (const i32 err = over->LeaveOutTransparent()) return err;
    out->push_back(std::move(over));
    return kExportOk;
}

// The transition into a page: the pictures between the page before and this one.
i32 buildTransition(TransitionKind kind, const PagePicture& from, const PagePicture& to, i32 startMs, Components* out) {
    std::unique_ptr<PagePicture> step = PagePicture::Blank(to.Width(), to.Height());
    if (!step) return kExportNoMemory;
    std::vector<std::vector<u8>> frames;
    const Point16 centre{i16(to.Width() / 2), i16(to.Height() / 2)};
    for (i32 i = 1; i <= kTransitionFrames; ++i) {
        transitionStep(kind, u32(i64(kTransitionFull) * i / (kTransitionFrames + 1)), from.Pixels(), to.Pixels(),
                       step->Pixels(), centre);
        frames.push_back(step->Jpeg());
    }
    auto transition = std::make_unique<RMovieComponent>(
        kComponentTransition, ComponentPlace{0, 0, i16(to.Width()), i16(to.Height())}, startMs, kTransitionMs,
        kTransitionLayer);
    if (const i32 err = transition->WriteFrames(frames, kTransitionMs)) return err;
    out->push_back(std::move(transition));
    return kExportOk;
}

// A movie that could not be written where its folder stands and takes files filled the disc;
// anywhere else the place itself was wrong.
i32 writeFailure(const std::string& host) {
    std::error_code error;
    const std::filesystem::file_status folder = std::filesystem::status(std::filesystem::path(host).parent_path(), error);
    const bool takesFiles = !error && std::filesystem::is_directory(folder) &&
                            (folder.permissions() & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
    return takesFiles ? kExportDiskFull : kExportFailed;
}

// A canvas picture shown as the movie's poster.
struct Poster {
    const std::vector<u8>* jpeg = nullptr;
    u16 width = 0, height = 0;
};

// What an export that was killed left half written beside the movies of the target's folder
// goes before the next export there (the program exports one movie at a time).
void removeUnfinishedMovies(const std::string& host) {
    std::error_code error, removing;
    std::filesystem::directory_iterator entry(std::filesystem::path(host).parent_path(), error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        if (entry->is_regular_file(removing) && plat::media::isMovieWritingLeftover(entry->path().filename().native()))
            std::filesystem::remove(entry->path(), removing);
    }
}

// Adds every component (and the poster, for the times of the last) and writes the movie over
// the target.
i32 writeMovie(const Components& components, const std::string& target, const ExportProgress& progress, u32 done,
               u32 total, const Poster& poster = {}) {
    const std::string host = plat::hostPathOfText(target);
    if (host.empty()) return kExportFailed;
    removeUnfinishedMovies(host);
    MovieExport writer;
    // Without the media runtime there is no movie to make.
    if (writer.exportCreateTempMovie(host, 600, 0) != 0) return kExportFailed;
    for (const auto& component : components) {
        if (const i32 err = component->AddToMovie(writer)) return err;
        if (progress && !progress(++done, total)) return kExportCancelled;
    }
    if (poster.jpeg && !components.empty())
        if (const i32 err = components.back()->AddSnapshot(writer, *poster.jpeg, poster.width, poster.height)) return err;
    const i16 err = writer.exportFlattenMovie();
    if (err == plat::media::kMrWriteErr) return writeFailure(host);
    return err == 0 ? kExportOk : kExportFailed;
}

}  // namespace

i32 PageMovieDuration(const RPageData& page, i32* ms, i32 flashMs) {
    i32 sound = 0, movie = 0;
    u32 it = 0;
    RPageObject* object = nullptr;
    while (page.NextObjectSkipFlagged(&it, &object, fourCC("??PO"))) {
        i32 length = 0;
        if (object->Type() == kTypeSound) {
            if (!ArchiveWaveDurationMs(mediaOf(*object), &length)) return kExportNoBlock;
            sound = length;
        } else if (object->Type() == kTypeMovie) {
            if (!MovieWholeSecondsMs(mediaOf(*object), &length)) return kExportMissingMovie;
            movie = std::max(movie, length);
        } else if (object->Type() == kTypeFlash || object->Type() == kTypeFlashAnimation) {
            movie = std::max(movie, flashMs);
        }
    }
    *ms = std::max(sound, movie);
    if (*ms == 0) *ms = kDefaultPageMs;
    return kExportOk;
}

i32 exportPageMovie(const RPageData& page, const MovieExportCanvas& canvas, const std::string& target,
                    const ExportProgress& progress, const std::vector<u8>& snapshot) {
    if (!holdsExportable(page)) return kExportOk;
    i32 duration = 0;
    if (const i32 err = PageMovieDuration(page, &duration)) return err;
    std::unique_ptr<PagePicture> picture = PagePicture::OfPage(page, canvas.width, canvas.height);
    if (!picture) return kExportNoMemory;
    Components components;
    if (const i32 err = buildPage(page, *picture, 0, duration, &components)) return err;
    if (progress && !progress(1, u32(components.size()) + 2)) return kExportCancelled;
    const std::vector<u8> poster = snapshot.empty() ? picture->Jpeg() : snapshot;
    return writeMovie(components, exportTargetName(target, "mov"), progress, 1, u32(components.size()) + 2,
                      Poster{&poster, canvas.width, canvas.height});
}

i32 exportProjectMovie(RDocument& document, const MovieExportCanvas& canvas, const std::string& target,
                       const ExportProgress& progress, const TransitionSoundWave& transitionSounds) {
    std::vector<RPage*> pages;
    for (u16 number = 1; number <= kMaxProjectPages; ++number)
        if (RPage* page = document.GetPage(number); page->Number() == number) pages.push_back(page);
    if (pages.empty()) return kExportOk;
    const u32 total = u32(pages.size()) * 2 + 1;
    Components components;
    // The first page comes in over black.
    std::unique_ptr<PagePicture> before = PagePicture::Blank(canvas.width, canvas.height);
    if (!before) return kExportNoMemory;
    before->Pixels().Fill(kRgb555Black);
    i32 start = 0;
    i32 result = kExportOk;
    for (size_t i = 0; i < pages.size() && result == kExportOk; ++i) {
        RPage& page = *pages[i];
        const RPageData& data = page.Data();
        i32 duration = 0;
        // A slide plays its animations for as long as a slide without timing lasts.
        result = PageMovieDuration(data, &duration, kDefaultPageMs);
        u8 seconds = 0, mode = 0;
        page.GetTiming(&seconds, &mode);
        if (seconds > 0) duration = i32(seconds) * 1000;
        // Each slide as the show plays it: in the middle of the show, its colour around it, its
        // movies coming in with it through its transition.
        const PagePlacement placement = PagePicture::SlidePlacement(data, canvas.width, canvas.height, canvas.background);
        std::unique_ptr<PagePicture> picture =
            PagePicture::OfPage(data, canvas.width, canvas.height, kPictureFlash | kPictureMovies, placement);
        if (!result && !picture) result = kExportNoMemory;
        if (!result) result = buildPage(data, *picture, start, duration, &components, placement);
        const TransitionKind kind = transitionKindOfIndex(page.GetTransitionEffect());
        if (!result && kind != TransitionKind::None)
            result = buildTransition(kind, *before, *picture, start, &components);
        if (!result && kind != TransitionKind::None && transitionSounds) {
            const std::vector<u8> wave = transitionSounds(page.GetTransitionOption());
            if (!wave.empty()) result = buildSound(wave, start, duration, &components);
        }
        before = std::move(picture);
        start += duration;
        if (!result && progress && !progress(u32(i + 1), total)) result = kExportCancelled;
    }
    document.ReleaseAllMedia();
    if (result) return result;
    return writeMovie(components, exportTargetName(target, "mov"), progress, u32(pages.size()),
                      u32(pages.size() + components.size() + 1));
}

}  // namespace Ostrel
