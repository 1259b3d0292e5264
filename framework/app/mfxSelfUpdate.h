#pragma once
// The program is its own updater: started from a folder without its configuration file, it
// puts itself in place of the installed copy in the install folder (a folder that holds
// "TB.cfg" and an executable of the same name). The new executable is first copied in under
// a temporary name and flushed; the installed one is kept under a free backup name
// ("<name>.old", "<name>.old2", ...); then the copy takes its name in one step. A step that
// fails undoes the steps before it, and the installed name always holds a runnable program.
#include <string>

enum class mfxUpdateResult { Updated, NoInstalledCopy, CopyFailed, RenameFailed };

// Both arguments are engine texts ("C:\folder\file").
mfxUpdateResult mfxUpdateInstalledCopy(const std::string& newExecutable, const std::string& installFolder);

// The exit code the updater reports for a result.
int mfxUpdateExitCode(mfxUpdateResult result);
