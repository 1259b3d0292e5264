#pragma once
// The file dialogs the slide-show editor asks: where a project is saved, which project file
// to open and which picture or media file becomes a slide. Each gives the chosen file's engine text, or an
// empty text when the child cancelled. The program's dialogs run modal over the main window;
// tests hand in their own answers.
#include <functional>
#include <string>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

struct PickerFileUi {
    // The save dialog of slide shows, prefilled with the project's file name.
    std::function<std::string(const std::string& defaultName)> saveProject;
    std::function<std::string()> openProject;
    std::function<std::string()> choosePicture;
    // A file to make a slide of, of the import kind (pictures, or any media).
    std::function<std::string(u16 kind)> chooseMedia;
};

PickerFileUi defaultPickerFileUi();

}  // namespace Ostrel
