#pragma once
// Where an import dialog opens. Pictures brought in from outside the program (the easel's Add
// a Picture and Import a Background, the picker's Add a Picture) start in the folder a file was
// last chosen from by such a dialog while the program runs, else in the desktop's pictures
// folder; movies (the easel's and the picker's Add a Movie) likewise from the desktop's videos
// folder (its pictures folder when it has none); Import a Sound from the desktop's music
// folder, else the user's own sounds; the Idea Machine's in its pictures of the child's
// language; every other kind starts in the user's own folder for it (pictures, slide shows).
// The table of kinds in the source is the one place that decides. User-interface thread only.
#include <string>
#include <vector>

#include "document/users/Paths.h"

namespace Ostrel {

// The Idea Machine's pictures in the current language, no trailing separator.
std::string IdeasFolder(const Paths& paths);
// The folder's engine text; empty for the program folder (no user chosen yet).
std::string ImportStartFolder(const Paths& paths, u16 kind);
// The folders outside the user's own that a dialog of the kind may show, each with what lies
// below it: where it starts and the desktop's folder for a kind that starts outside the
// program, the Idea Machine's pictures for its own; none for the others.
std::vector<std::string> ImportOutsideFolders(const Paths& paths, u16 kind);
// The user's own folder, where exports land, for a kind whose dialog starts among the desktop's
// pictures or videos and offers a button to it (Add a Picture, Add a Movie); empty for the others.
std::string ImportOwnFolder(const Paths& paths, u16 kind);
// A file chosen in a dialog of the kind: its folder is where the next dialog that starts
// outside the program opens (nothing for a kind that starts in the user's own folder, nor for a
// file of the user's own, which the button leads back to from the desktop's folder).
void RememberImportFolder(const Paths& paths, u16 kind, const std::string& chosenFile);

}  // namespace Ostrel
