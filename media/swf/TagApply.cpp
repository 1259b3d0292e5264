// What the action tags do when their frame is played.
#include <new>
#include <vector>

#include "media/swf/Actions.h"
#include "media/swf/CharacterEvents.h"
#include "media/swf/FrameTags.h"
#include "media/swf/Player.h"
#include "media/swf/Sound.h"

namespace swf {

Result tagAction::Apply(movie&) { return kOk; }

Result tagPlaceObject::Apply(movie& timeline) {
    NameTree& tree = timeline.DisplayList();
    const u32 index = tree.FindOrAdd(timeline.OwnEntry(), depth);
    if (index == kNoEntry) return tree.Status();
    if (flags & kPlaceHasCharacter) {
        tagObject* character = timeline.Document().FindCharacter(characterId);
        // The entry stays reserved for the missing character.
        if (!character) return kErrBadData;
        SWF_TRY(character->Instantiate(index, timeline));
    }
    NameTreeEntry& e = tree.Entry(index);
    const bool move = flags & kPlaceMove;
    if (!move || (flags & kPlaceHasCxform)) e.cxform = cxform;
    if (!move || (flags & kPlaceHasMatrix)) e.matrix = matrix;
    if (!move || (flags & kPlaceHasName)) e.name = name;
    ++tree.changeCount;
    return kOk;
}

Result tagRemoveObject::Apply(movie& timeline) {
    NameTree& tree = timeline.DisplayList();
    const u32 index = tree.FindChild(timeline.OwnEntry(), depth);
    if (index == kNoEntry) return kOk;
    const tagObject* character = tree.Entry(index).character;
    tree.Remove(index);
    // No later frame places it again: a drawing kept for it would only take room.
    if (character && timeline.CurrentFrame() > character->LatestPlacingFrame()) NotifyDrawingUnneeded(*character);
    return kOk;
}

Result tagSetBackgroundColor::Apply(movie& timeline) {
    if (timeline.OwnEntry() != kNoEntry) return kOk;
    NameTree& tree = timeline.DisplayList();
    tree.background.red = colour.red;
    tree.background.green = colour.green;
    tree.background.blue = colour.blue;
    if (timeline.Player().options & kPlayerOpaqueBackground) {
        tree.background.alpha = 255;
        ++tree.changeCount;
    }
    return kOk;
}

Result tagDoAction::Apply(movie& timeline) {
    timeline.Player().QueueActions(timeline, actions_.Data(), actions_.Size());
    return kOk;
}

Result tagStartSound::Apply(movie& timeline) {
    player& root = timeline.Player();
    const SoundInfo info = ParseSoundUse(use_);
    if (info.flags) {
        std::vector<sound*> same;
        for (sound* s : root.Sounds())
            if (s->SoundId() == info.soundId) same.push_back(s);
        for (sound* s : same) {
            if (info.flags & kSoundStop) delete s;
            else if (info.flags & kSoundNoMultiple) return kOk;
        }
        // A stop only stops: nothing new is heard.
        if (info.flags & kSoundStop) return kOk;
    }
    // Sounds met while a goto passes frames are never heard: they are not made at all, as a
    // listed one would stay until the player ends and hold off later starts of its sound. A
    // silent player makes none either.
    if (root.InGoto() || (root.options & kPlayerSilent)) return kOk;
    sound* made = new (std::nothrow) sound(root, timeline.Document(), timeline.CurrentFrame(), info);
    if (!made) return kErrMemory;
    bool finished = false;
    const Result result = made->Start(timeline.CurrentFrame(), finished);
    if (result != kOk || finished) delete made;
    return result;
}

}  // namespace swf
