#pragma once
// The settings files the program reads at start-up and login, opened straight on a file, as the
// settings fuzzer and its seed maker both need: the global user settings and a panel's record
// (both of "user.ini"), and the program's "TB.ini" (its contents table and the language set-up's
// file extensions). The first byte of a fuzz input says which file the rest is.
#include "app/settings/RGlobalSave.h"
#include "document/users/RPanelPrefs.h"

namespace fuzzsettings {

enum FileKind : unsigned char { kGlobalUser = 0, kPanelRecord = 1, kProgramSettings = 2, kFileKinds = 3 };

constexpr const char* kPanelSection = "Brushes";
constexpr size_t kPanelWords = 12;
// The archive the seeds' contents tables name, left beside the table for every input.
constexpr const char* kContentArchive = "paint.arc";

// The loaders with their file given, where the program finds the current user's.
class GlobalUserFile : public Ostrel::RGlobalSave {
public:
    using RGlobalSave::RGlobalSave;
    using RGlobalSave::LoadFrom;
    using RGlobalSave::SaveTo;
};

class PanelFile : public Ostrel::RPanelPrefs {
public:
    using RPanelPrefs::RPanelPrefs;
    using RPanelPrefs::LoadFrom;
    using RPanelPrefs::SaveTo;
};

}  // namespace fuzzsettings
