#pragma once
// The page-level commands the canvas answers, and what it sends back to the screen. Those the
// main window's menus and the tool panels send take their number from the senders' names.
#include "app/window/MenuMessages.h"
#include "engine/base/EngineTypes.h"
#include "framework/controls/RColorPicker.h"
#include "panels/base/ToolPanelMessages.h"

namespace Ostrel {

constexpr u32 kMsgPlaceObject = 5570;  // apart from kScreenSlideShow: the application takes that one itself
constexpr u32 kMsgNewPage = 6603;
constexpr u32 kMsgStopMedia = 6606;
constexpr u32 kMsgCanvasHotSpot = 6607;
constexpr u32 kMsgPlayLastPlaced = 6608;
constexpr u32 kMsgPlayPage = 6609;
constexpr u32 kMsgShowPage = 6610;
constexpr u32 kMsgImportFile = kMsgMenuImport;
constexpr u32 kMsgExportPicture = kMsgMenuExport;
constexpr u32 kMsgEnableClicks = kMsgPanelEnableCanvas;
constexpr u32 kMsgMoveHotSpot = 6618;
constexpr u32 kMsgDisableClicks = kMsgPanelDisableCanvas;
constexpr u32 kMsgSpeakLastText = 6626;
constexpr u32 kMsgAbcText = kMsgMenuAbcText;
constexpr u32 kMsgAbcTextReply = 6629;
constexpr u32 kMsgBackgroundColor = kMsgMenuPickBgColor;
constexpr u32 kMsgBackgroundColorReply = 6631;
constexpr u32 kMsgBackgroundSound = kMsgMenuPickBgSound;
constexpr u32 kMsgBackgroundSoundReply = 6633;
// The dialogs of the canvas's further and other slots (6639 closes the first); neither is
// built yet, so the canvas lets them pass.
constexpr u32 kMsgFurtherDialog = 6638;
constexpr u32 kMsgOtherDialog = 6640;
constexpr u32 kMsgFlatten = kMsgMenuFlatten;
constexpr u32 kMsgFlattenReply = 6648;
constexpr u32 kMsgPlaySounds = kMsgMenuPlaySounds;
constexpr u32 kMsgStopSounds = 6650;
constexpr u32 kMsgReadAloud = 6651;
constexpr u32 kMsgStopSpeaking = kMsgMenuSpeechOff;
// The canvas's click item and click hot spot.
constexpr u32 kMsgCanvasClick = 6653;
constexpr u32 kMsgCanvasHotSpotClick = 6602;
// To the screen after the page or its contents changed.
constexpr u32 kMsgPageStateChanged = kMsgRefreshPageState;

// The import kinds of kMsgImportFile: a picture as an object, sounds and Flash, movies, a
// redraw of what was imported, and a picture as the page's background.
constexpr uintptr_t kImportPictureKind = 111;
constexpr uintptr_t kImportSoundOrFlashKind = 112;
constexpr uintptr_t kImportMovieKind = 113;
constexpr uintptr_t kImportRedrawKind = 114;
constexpr uintptr_t kImportBackgroundKind = 115;
// The alert texts of section "FileStrings".
constexpr const char* kPictureFullKey = "PictureFull";
constexpr const char* kReplaceMovieKey = "ReplaceMovieWarning";
constexpr const char* kImportFailedKey = "GeneralFileErr";
constexpr const char* kNotAPictureKey = "NotAPictureFile";
constexpr const char* kTooBigKey = "FileTooBig";

// The import dialog's addition for a picture brought onto the page: the preview of the file
// picked, placed over the page, and the placements to choose from (its radio items, numbered
// as the placement modes).
constexpr u16 kImportPreviewDialog = 172;
// The margin a centred picture keeps from the canvas's edges.
constexpr i16 kCentredInset = 20;
// The cursor index the click item takes while the canvas is disabled.
constexpr u16 kCanvasDisabledCursor = 28;
// The tool that places a pasted picture; paste waits while it is current.
constexpr i16 kPlacingToolIndex = 120;

}  // namespace Ostrel
