#pragma once
// The contents of one page: its objects in drawing order, saved as a picture archive holding
// the object index, every object's media under its kind and id, and a 100 x 75 thumbnail.
//
// A save writes a whole new archive beside the old file and moves it over the old one in one
// step, so a save that fails or is stopped leaves the old file as it was, and the page dirty.
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "document/objects/RPageObject.h"
#include "document/objects/StoredMedia.h"
#include "document/storage/PictureRecord.h"
#include "engine/files/Paths.h"
#include "engine/gfx/GfxPort.h"
#include "engine/resources/ArchiveFile.h"
#include "engine/resources/ResourceManager.h"
#include "framework/messaging/CListener.h"

class CharMeasurer;

namespace Ostrel {

class RNotePageObject;
class RLibExclusionsObject;
class UndoManager;

// The undo codes of adding and deleting an object.
constexpr FourCC kUndoAddObject = fourCC("pAdd");
constexpr FourCC kUndoDeleteObject = fourCC("pDe1");
constexpr FourCC kUndoFlatten = fourCC("pFlt");

// Asked between the objects of a save; false stops it.
using SaveProgress = std::function<bool()>;

// A page's file is one archive, whose header gives its length in 32 bits: no larger file is a
// page, and none is read or copied as one.
constexpr u64 kPageFileMaxBytes = 0xFFFFFFFFu;

constexpr u16 kPageWidth = 800;
constexpr u16 kPageHeight = 600;
constexpr u16 kBackgroundId = 1;
constexpr u16 kNoObject = 65535;

class RPageData : public CListener, public PageObjectOwner {
public:
    RPageData() = default;
    ~RPageData() override;
    RPageData(const RPageData&) = delete;
    RPageData& operator=(const RPageData&) = delete;

    // Adds an object of the kind made from the stored media (empty media: an empty object),
    // under `id` or, when id is negative, the next free id of the kind. Null when refused:
    // an unknown kind, unreadable media, an id in use, or a full page.
    RPageObject* AddObject(FourCC type, i32 id, std::span<const u8> media, const PageRect& rect);
    // Adding and deleting through AddObject and DeleteObject become the program's undo step
    // when the page is given the undo manager.
    void SetUndoManager(UndoManager* undo) { undo_ = undo; }
    // Takes back, or does again, the last add or delete (the undo code posted to the page).
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // Told, with the step's code, after an undo or redo changed the objects: whoever shows
    // the page shows it again.
    void SetStepListener(std::function<void(FourCC)> listener) { stepListener_ = std::move(listener); }
    // Takes a made object; null (and the object dropped) when refused as above.
    RPageObject* AdoptObject(std::unique_ptr<RPageObject> object);
    // Makes an adopted object's arrival the undo step, as AddObject does, once whatever its
    // placing released (an earlier step) is gone: the next undo takes it off again.
    void RecordAdded(const RPageObject& object);
    bool DeleteObject(FourCC type, u16 id);
    // 0 and the object; kNoObject and null when absent. A negative id finds the first of the kind.
    u16 FindObject(FourCC type, i32 id, RPageObject** object) const;
    // 1 and the next object of the kind ('??PO' any) after *iterator, 0 at the end; the
    // iterator starts at 0.
    u16 NextObject(u32* iterator, RPageObject** object, FourCC type) const;
    u16 NextObjectSkipFlagged(u32* iterator, RPageObject** object, FourCC type) const;
    u16 NextObjectId(FourCC type) const;
    size_t ObjectCount() const { return objects_.size(); }

    // The background picture ('tBMP' id 1), a white page-sized one when missing.
    EngineErr EnsureBackground();
    RNotePageObject* GetNote();
    bool HasNote() const;
    // Made when missing, for the teacher to edit.
    RLibExclusionsObject* GetExclusions();
    // Null when the page excludes nothing: only reading them leaves the page unchanged.
    const RLibExclusionsObject* FindExclusions() const;

    // Draws the page into a 16-bit port with its top-left corner at (x, y): the background
    // picture, then the pictures, movable pictures and texts in their order (a text in its
    // font and colour, laid out in its rectangle). Hidden objects and the kinds without a
    // picture of their own (sounds, notes, movies, vector graphics) draw nothing.
    // kGfxErrBadFormat for a port of another depth, with nothing drawn.
    EngineErr Render(GfxPort* port, i16 x, i16 y) const;
    // Over what Render drew, the first picture of each shown vector graphic (stickers,
    // animations) and movie at its place, as the screen shows them over the painting; kinds
    // without an installed painter stay as they were; only objects of `type` (kTypeAnyObject: all).
    // kGfxErrBadFormat for a port of another depth.
    EngineErr RenderMedia(GfxPort* port, i16 x, i16 y, FourCC type) const;
    // Draws one object into the port, which is current, with the page's top-left at `origin`
    // (Render's drawing order is the caller's).
    static EngineErr DrawObject(GfxPort* port, const RPageObject& object, Point16 origin, CharMeasurer& fonts);

    // Merges the object into the background picture (made when missing) and takes it off the
    // page: pictures, movable pictures and texts, drawn as Render draws them, and vector
    // graphics through the vector painter (PagePainting.h); without one they stay, with
    // kDocErrNoVectorRenderer. Other kinds
    // (and the background itself) kDocErrBadType; an object of another page kDocErrNotOnPage.
    EngineErr FlattenObject(FourCC type, RPageObject* object);
    // Merges every visible object of the kind, as one undo step (the background and the
    // objects come back together). Vector graphics stay as above; the first refusal is the
    // answer, after the others are merged.
    EngineErr FlattenAll(FourCC type);

    bool IsDirty() const { return dirty_; }
    // Counts the changes made to the page: a copy taken at one count is out of date at the next.
    u32 Revision() const { return revision_; }
    // Stores the flag and answers the old one; marking clean clears every object's change mark.
    bool SetDirtyState(bool dirty);
    // Stores the flag and answers the old one, leaving the objects' change marks alone.
    bool SetModified(bool modified) {
        const bool was = dirty_;
        dirty_ = modified;
        return was;
    }
    void MarkModified() override {
        dirty_ = true;
        ++revision_;
    }
    u16 pageFlags = 0;

    // Writes the page as a new archive and moves it over `target`; `target` keeps its
    // bytes unless the whole save succeeds. Movies kept in files are copied piece by piece;
    // once saved they are read from the page's file at `targetText` (its engine text; empty:
    // they stay where they were).
    EngineErr SaveToArchive(ArchiveFile& target, const SaveProgress& keepGoing = {}, const std::string& targetText = {});
    EngineErr SaveToFile(const Path* path, const SaveProgress& keepGoing = {});
    // The bytes of the archive a save would write, the page left as it was (unsaved, its
    // movies read from where they are).
    EngineErr WriteCopy(std::vector<u8>* bytes) const;
    // Replaces the objects with those of the archive; a damaged archive leaves the page as it was.
    // With the archive file's engine text, its movies are left in it, to be played from there.
    EngineErr LoadFromMap(ResMapHandle map, const std::string& fileText = {});
    // kDocErrBadSize for a file larger than any page, before anything is read.
    EngineErr OpenAndLoad(const Path* path);
    // The stored thumbnail of an open page archive.
    static EngineErr ReadThumbnail(ResMapHandle map, PictureRecord* thumbnail);
    // The page drawn as the screen shows it, made small.
    PictureRecord MakeThumbnail() const;

private:
    // Where each movie kept in a file went in the new archive.
    using MovedMedia = std::vector<std::pair<StoredMedia*, u32>>;
    EngineErr WriteContents(ResMapHandle map, const SaveProgress& keepGoing, ArchiveFile* source, MovedMedia* moved) const;
    // The page as a whole archive in `fresh`, flushed.
    EngineErr WriteArchive(ArchiveFile& fresh, const SaveProgress& keepGoing, ArchiveFile* source, MovedMedia* moved) const;
    // A save of a file that does not exist yet.
    EngineErr SaveNewFile(const Path* path, const SaveProgress& keepGoing, const std::string& targetText);
    // The page counts as saved to the file at `targetText`, its movies now read from there.
    void Saved(const MovedMedia& moved, const std::string& targetText);
    using ObjectPainter = EngineErr (*)(GfxPort* port, const RPageObject& object, CharMeasurer& fonts);
    // Draws the objects over the picture, each through `paint`, the picture's top-left at the
    // page's (0, 0).
    static EngineErr DrawOver(PictureRecord& picture, const std::vector<const RPageObject*>& objects, ObjectPainter paint);
    void Record(FourCC code, std::unique_ptr<RPageObject> held, size_t place, FourCC type, u16 id);
    static void ReleaseStep(CListener* owner, FourCC code);
    void ForgetStep();

    EngineErr Merge(const std::vector<RPageObject*>& objects);
    void SwapFlattened();

    std::vector<std::unique_ptr<RPageObject>> objects_;
    std::function<void(FourCC)> stepListener_;
    bool dirty_ = false;
    u32 revision_ = 0;
    UndoManager* undo_ = nullptr;
    // The undo step: the object taken off the page (or null while it is on it) and its place.
    struct Step {
        std::unique_ptr<RPageObject> held;
        size_t place = 0;
        FourCC type = 0;
        u16 id = 0;
    } step_;
    // The flatten step: the background before and after, and the merged objects with their
    // places while they are off the page.
    struct FlattenStep {
        std::vector<u8> otherBackground;
        std::vector<std::pair<size_t, std::unique_ptr<RPageObject>>> held;
        std::vector<std::pair<FourCC, u16>> merged;
    } flatten_;
};

}  // namespace Ostrel
