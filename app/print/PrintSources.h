#pragma once
// What a print job prints from, as the program hands it over: the picture on the easel, the
// project whose slides the picker shows and the folder their files are in, the screen port
// and where the page sits on it, the colour behind the page, the owner window and the title
// (which names a printed file), the folder for a printed file, and how to bring the screen up
// to date once the job is done.
#include <functional>
#include <string>

#include "document/pages/RPage.h"
#include "document/project/RDocument.h"
#include "document/users/Paths.h"
#include "engine/files/Paths.h"
#include "engine/gfx/GfxColor.h"
#include "engine/gfx/GfxPort.h"
#include "platform/ui/Messages.h"

namespace Ostrel {

// The print modes: the easel's picture, or the project's slides.
constexpr u32 kPrintModeNone = 0;
constexpr u32 kPrintModeEasel = 150;
constexpr u32 kPrintModeSlides = 151;

struct PrintSources {
    RPage* easelPage = nullptr;
    RDocument* project = nullptr;
    // The folder the project's page files are in; null when the pages are all loaded.
    const Path* projectFolder = nullptr;
    // Null: the source port is sized to the paint-screen rectangle.
    GfxPort* screenPort = nullptr;
    Rect16 paintRect{0, 0, i16(kPageWidth), i16(kPageHeight)};
    GfxColor background = GfxColor::rgb(255, 255, 255, kGfxColorFlagPortRgb);
    plat::WindowHandle owner = plat::kNoWindow;
    std::string title;
    // Where a printer that writes files puts the document (engine text; empty: the home
    // folder), and the name the user knows that folder by.
    std::string fileFolder;
    std::string fileFolderName;
    // Called with the paint-screen rectangle after printing, to redraw what lay under the
    // print dialogs.
    std::function<void(const Rect16&)> refreshScreen;
};

// A printed file goes into the user's folder, named in the message that tells where it went as
// that sentence names it. The easel and the picker both print this way, so that a picture's
// message and a slide show's say where the file is in the same words.
void PrintIntoUserFolder(PrintSources* sources, const Paths& paths);

}  // namespace Ostrel
