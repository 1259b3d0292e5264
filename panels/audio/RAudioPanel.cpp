#include "panels/audio/RAudioPanel.h"

#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/FolderTree.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/controls/RButton.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/input/RHotSpotClient.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/language/LanguageTexts.h"
#include "framework/resources/mfxReadResource.h"
#include "panels/base/ToolPanelMessages.h"
#include "sound/import/SoundImport.h"

namespace Ostrel {
namespace {

constexpr u32 kFrontSpriteFlags = 0x800000;
constexpr i16 kKnobRadius = 7;
constexpr i16 kMeterWidth = 8;

// A sound from archive-wave bytes, playing at `rate`; null when it cannot be made.
std::unique_ptr<RSound> playWave(const std::vector<u8>& wave, u32 rate) {
    if (wave.empty()) return nullptr;
    memHandle handle = memAllocHandle(u32(wave.size()));
    if (handle == 0) return nullptr;
    std::copy(wave.begin(), wave.end(), static_cast<u8*>(memLockHandle(handle)));
    memUnlockHandle(handle);
    auto sound = std::make_unique<RSound>();
    if (sound->LoadFromHandle(handle, 1) != kErrNone) return nullptr;
    sound->SetRate(Fixed(rate));
    if (sound->Play() != kErrNone) return nullptr;
    return sound;
}

}  // namespace

RAudioPanel::RAudioPanel(CListener* owner, const Paths* userPaths, RLibraryMgr* libraries, LibraryPanelHost host)
    : RLibPanel(owner, userPaths, libraries, std::move(host)) {}

RAudioPanel::~RAudioPanel() {
    nameDialog_.reset();
    playback_.reset();
    recorder_.reset();
    for (u16* sprite : {&levelSprite_, &knobSprite_})
        if (*sprite != 0) sprDispose(sprite);
    audioButtons_.clear();
    Say(kMsgPanelDisableCanvas);
}

u16 RAudioPanel::Init() {
    const u16 result = RLibPanel::Init();
    if (audioButtons_.empty()) {
        AddButtons(kAudioButtonSet, &audioButtons_);
        ShowGroup(kAudioRecordingGroup, false);
        mfxReadResource(kTypeBitmap, kAudioSoundIcon, &soundIcon_);
    }
    // After the library panel's own registration, which the strip's set-up runs again: the
    // ticks end a take at its minute and a playback that ended.
    Register(kInputMouseButtons | kInputMouseMove | kInputTick);
    UpdateLibraryButtons();
    return result;
}

RButton* RAudioPanel::AudioButton(u32 command) const {
    for (const auto& button : audioButtons_)
        if (button->GetRecord().clickMessage == command) return button.get();
    return nullptr;
}

void RAudioPanel::ResetButton(u32 command) {
    if (RButton* button = AudioButton(command); button && button->GetState() != kButtonUp) button->HandleEvent(kHsEventRelease, true);
}

void RAudioPanel::ShowGroup(u16 group, bool shown) {
    for (const auto& button : audioButtons_) {
        if (button->GetRecord().group != group) continue;
        if (shown)
            button->Show();
        else
            button->Hide();
    }
}

// The hidden strip's cells lie under the recording buttons: they take no clicks meanwhile.
void RAudioPanel::ShowStrip(bool shown) {
    SetStripShown(shown);
    if (RBitmapScroller* strip = GetScroller())
        for (int i = 0; i < strip->HotSpots().Count(); ++i) {
            if (shown)
                strip->HotSpots().GetHotSpot(i)->Enable();
            else
                strip->HotSpots().GetHotSpot(i)->Disable();
        }
}

void RAudioPanel::UpdateLibraryButtons() {
    // Only the child's own sounds can be removed.
    if (RButton* remove = AudioButton(kMsgAudioRemove))
        remove->EnableHotSpot(mode_ == AudioMode::Browsing && LibraryKind() == kLibraryOfUser && OpenedLibrary() != nullptr);
}

void RAudioPanel::EnterRecordingMode() {
    if (mode_ != AudioMode::Browsing) return;
    mode_ = AudioMode::Recording;
    ShowNameBox(false);
    SetItemName({});
    StopPreview();
    ShowGroup(kAudioBrowsingGroup, false);
    ShowGroup(kAudioRecordingGroup, true);
    ShowBackground(kAudioRecordingShape);
    ShowStrip(false);
    rate_ = kNormalRate;
    knob_ = KnobArea().left + kKnobHalf;
    const u16 knob = sprNewWithProcs(kFrontSpriteFlags, 0, nullptr, nullptr, &KeepPlace, &RAudioPanel::DrawKnob);
    knobSprite_ = knob == kSprNoId ? 0 : knob;
    if (SprSprite* sprite = sprFind(knobSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprite->bounds = KnobArea();
        sprInvalRect(sprite->bounds);
    }
    UpdateLibraryButtons();
}

void RAudioPanel::LeaveRecordingMode() {
    if (mode_ == AudioMode::Browsing) return;
    if (recorder_)
        StopRecording();
    else
        StopPlayback();
    if (!take_.empty() && takeUnsaved_)
        OpenNameDialog(kMsgAudioNamedAndBack);
    else
        RestoreBrowsing();
}

void RAudioPanel::RestoreBrowsing() {
    mode_ = AudioMode::Browsing;
    playback_.reset();
    recorder_.reset();
    take_.clear();
    takeUnsaved_ = false;
    rate_ = kNormalRate;
    SetItemName({});
    ShowGroup(kAudioRecordingGroup, false);
    ShowGroup(kAudioBrowsingGroup, true);
    ResetButton(kMsgAudioToggleMode);
    // The knob and the meter go before the frame is drawn again, or it would keep them.
    for (u16* sprite : {&levelSprite_, &knobSprite_})
        if (*sprite != 0) sprDispose(sprite);
    ShowBackground(kAudioBrowsingShape);
    ShowStrip(true);
    ShowNameBox(true);
    if (libraryChanged_) {
        libraryChanged_ = false;
        BuildLibraryList();
        ShowUserLibrary();
    }
    UpdateLibraryButtons();
}

void RAudioPanel::StartRecording() {
    if (mode_ != AudioMode::Recording || recorder_) return;
    StopPlayback();
    u32 rate = kAudioRate;
    u16 bits = kAudioBits;
    auto recorder = std::make_unique<RRecord>();
    // A microphone that cannot be had records nothing: the button the child pressed comes
    // back up, and the alert says why.
    if (recorder->Init(kAudioLongestTakeSeconds, &rate, &bits, kAudioChannels) != kErrNone || recorder->GetBuffer() != kErrNone ||
        recorder->StartRecord() != kErrNone) {
        ResetButton(kMsgAudioRecord);
        mfxAlert(kAlertOk | kAlertIconStop, LookupLanguageText(kLibAlertSection, kAudioCantRecordKey).c_str());
        return;
    }
    recorder_ = std::move(recorder);
    // The microphone may have settled on another format than the one asked for.
    takeRate_ = rate;
    takeBits_ = bits;
    const u16 level = sprNewWithProcs(kFrontSpriteFlags, kAudioLevelShape, nullptr, nullptr, nullptr, &RAudioPanel::DrawLevel);
    levelSprite_ = level == kSprNoId ? 0 : level;
    if (SprSprite* sprite = sprFind(levelSprite_)) sprite->data1 = reinterpret_cast<uintptr_t>(this);
    Say(kMsgPanelEnableCanvas, 0, kAudioRecordingCursor);
}

void RAudioPanel::StopRecording() {
    if (!recorder_) return;
    const std::vector<u8>& pcm = recorder_->TakeRecording();
    std::vector<u8> wave;
    if (!pcm.empty() &&
        ConvertPcmToArchiveWave(pcm, takeBits_, kAudioChannels, takeRate_, kImportCompress | kImportNoLoop, &wave) == 0) {
        take_ = std::move(wave);
        takeUnsaved_ = true;
    }
    recorder_.reset();
    if (SprSprite* sprite = sprFind(levelSprite_)) sprInvalRect(sprite->bounds);
    if (levelSprite_ != 0) sprDispose(&levelSprite_);
    ResetButton(kMsgAudioRecord);
    Say(kMsgPanelDisableCanvas);
}

void RAudioPanel::PlayTake() {
    StopPlayback();
    playback_ = playWave(take_, rate_);
    if (!playback_) ResetButton(kMsgAudioPlay);
}

void RAudioPanel::StopPlayback() {
    if (!playback_) return;
    playback_.reset();
    ResetButton(kMsgAudioPlay);
}

void RAudioPanel::SetPlaybackRate(i32 position) {
    rate_ = PlaybackRateAt(position, KnobArea().left);
    knob_ = std::clamp<i32>(position, KnobArea().left, KnobArea().left + 2 * kKnobHalf);
    if (playback_) playback_->SetRate(Fixed(rate_));
    if (SprSprite* sprite = sprFind(knobSprite_)) sprInvalRect(sprite->bounds);
}

void RAudioPanel::OpenNameDialog(u32 reply) {
    if (take_.empty()) return;
    nameDialog_ = std::make_unique<RDlgEnterSnd>(this, reply);
    if (nameDialog_->Open(nullptr) != 0) nameDialog_.reset();
}

void RAudioPanel::NameAnswered(u32 reply) {
    const bool named = nameDialog_ && nameDialog_->GetResult() == kDlgResultConfirm;
    if (named) SetItemName(nameDialog_->TypedName());
    nameDialog_.reset();
    if (named) StoreTake();
    if (reply == kMsgAudioNamedAndBack) RestoreBrowsing();
}

bool RAudioPanel::StoreTake() {
    const RLibraryMgr* libraries = LibraryManager();
    if (take_.empty() || libraries == nullptr) return false;
    RLibrary library;
    std::string path;
    if (libraries->OpenDefaultLibraryForType(kTypeSound, &library, &path) != kErrNone && !path.empty()) {
        // The first sound of the child's own: the library is made.
        EnginePath file(path);
        const size_t slash = path.find_last_of("/\\");
        if (slash != std::string::npos) {
            EnginePath folder(path.substr(0, slash));
            CreateFolderTree(folder.get(), 0, 0);
        }
        library.Create(file.get(), kTypeSound, kLibraryFlagThumbnails);
    }
    u16 id = 0;
    if (AddToUserLibrary(library, take_, soundIcon_, ItemName(), &id) != kErrNone) {
        // Nothing was kept: the take stays, unsaved, for another try.
        mfxAlert(kAlertOk | kAlertIconStop, LookupLanguageText(kLibFileSection, kLibVolumeFullKey).c_str());
        return false;
    }
    takeUnsaved_ = false;
    libraryChanged_ = true;
    if (mode_ == AudioMode::Browsing) RestoreBrowsing();
    return true;
}

void RAudioPanel::ShowUserLibrary() {
    const LibraryList& list = Libraries();
    for (size_t place = 0; place < list.kinds.size(); ++place)
        if (list.kinds[place] == kLibraryOfUser) {
            ChooseLibrary(int(place));
            return;
        }
    ChooseLibrary(0);
}

void RAudioPanel::RemoveChosenSound() {
    // Only the child's own library loses a sound; a library of the program stays whole.
    if (LibraryKind() != kLibraryOfUser || CurrentItemId() <= 0 || CurrentItemId() >= 0xFFFF || OpenedLibrary() == nullptr) return;
    const int place = ShownPlace();
    RLibrary library;
    EnginePath file(LibraryPath());
    if (!file.empty() && library.Open(file.get(), false) == kErrNone && library.LoadHeader() == kErrNone)
        library.DeleteEntry(u16(CurrentItemId()));
    library.Close();
    ChooseLibrary(place);
}

void RAudioPanel::RemovePageSound() {
    RPageData* page = Host().page ? Host().page() : nullptr;
    RPageObject* sound = nullptr;
    if (page == nullptr || page->FindObject(kTypeSound, -1, &sound) != 0 || sound == nullptr) return;
    page->DeleteObject(kTypeSound, sound->Id());
    page->SetDirtyState(true);
    if (GetOwner() != nullptr) PostMessageTo(GetOwner(), kMsgLibraryPageChanged, 0, 0);
}

void RAudioPanel::HandleTick(u32) {
    if (playback_ && !playback_->IsPlaying()) StopPlayback();
    if (recorder_ && recorder_->IsFinished()) StopRecording();
    if (SprSprite* sprite = sprFind(levelSprite_)) sprInvalRect(sprite->bounds);
}

u32 RAudioPanel::HandleInput(u32 button, Point16 point, u32 buttons) {
    if (mode_ == AudioMode::Recording) {
        if (button == kInputLeftButton && rectContainsPoint(KnobArea(), point)) {
            SetPlaybackRate(point.h);
            return 1;
        }
        return 0;
    }
    StopPreview();
    return RLibPanel::HandleInput(button, point, buttons);
}

u32 RAudioPanel::HandleMouseMove(Point16 point, u32 buttons) {
    if (mode_ == AudioMode::Recording) {
        if (buttons != 0 && rectContainsPoint(KnobArea(), point)) SetPlaybackRate(point.h);
        return 0;
    }
    return RLibPanel::HandleMouseMove(point, buttons);
}

u32 RAudioPanel::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
        case kMsgAudioToggleMode:
            if (mode_ == AudioMode::Browsing)
                EnterRecordingMode();
            else
                LeaveRecordingMode();
            return 0;
        case kMsgAudioRecord: StartRecording(); return 0;
        case kMsgAudioStop:
            if (recorder_)
                StopRecording();
            else
                StopPlayback();
            ResetButton(kMsgAudioStop);
            return 0;
        case kMsgAudioPlay: PlayTake(); return 0;
        case kMsgAudioName: OpenNameDialog(message->param2 == 0 ? kMsgAudioNamed : kMsgAudioNamedAndBack); return 0;
        case kMsgAudioRemove: RemoveChosenSound(); return 0;
        case kMsgAudioNamed:
        case kMsgAudioNamedAndBack: NameAnswered(message->code); return 0;
        case kMsgAudioRemovePageSound: RemovePageSound(); return 0;
        case kMsgLibraryChosen:
        case kMsgLibraryListOpen:
            if (mode_ == AudioMode::Recording) {
                LeaveRecordingMode();
                // The name dialog answers first; the choice waits for browsing.
                if (mode_ == AudioMode::Recording) return 0;
            }
            break;
        default: break;
    }
    const u32 handled = RLibPanel::HandleMessage(message, data);
    if (message->code == kMsgLibraryChosen) UpdateLibraryButtons();
    return handled;
}

// The meter: the recording shape with a bar as high as the take is loud.
void RAudioPanel::DrawLevel(SprSprite* sprite) {
    if (sprite == nullptr || sprite->hidden) return;
    sprDraw(sprite);
    const auto* panel = reinterpret_cast<const RAudioPanel*>(sprite->data1);
    if (panel == nullptr) return;
    const Rect16& box = sprite->bounds;
    const i16 height = i16((box.bottom - box.top) * panel->Level() / kRecordLevelTop);
    gfxFillRect({i16(box.right - kMeterWidth), i16(box.bottom - height), box.right, box.bottom}, GfxColor::rgb(0x2a, 0xb0, 0x4a), 0);
}

// The speed knob: its scale with the middle marked, and the knob where it stands.
void RAudioPanel::DrawKnob(SprSprite* sprite) {
    const auto* panel = reinterpret_cast<const RAudioPanel*>(sprite->data1);
    if (panel == nullptr) return;
    const Rect16 area = KnobArea();
    const i16 middle = i16((area.top + area.bottom) / 2);
    const GfxColor scale = GfxColor::rgb(0x33, 0x33, 0x33);
    gfxFillRect({area.left, i16(middle - 1), area.right, i16(middle + 1)}, scale, 0);
    const i16 centre = i16(area.left + kKnobHalf);
    gfxFillRect({centre, i16(middle - kKnobRadius), i16(centre + 1), i16(middle + kKnobRadius)}, scale, 0);
    const i16 at = i16(panel->knob_);
    gfxFillOval({i16(at - kKnobRadius), i16(middle - kKnobRadius), i16(at + kKnobRadius), i16(middle + kKnobRadius)},
                GfxColor::rgb(0xe6, 0x39, 0x46), 0);
}

}  // namespace Ostrel
