#pragma once
// Content items by name through the one locator (engine/resources/tContents.h). While Spanish
// is the current language, the items that carry words open in their Spanish form, the name
// followed by "_sp"; an item is released in the form it was opened in.
#include <string>

#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

constexpr u16 kNamedResourceNoLocator = 2;

// The shell says so when the language changes.
void contentsSetSpanish(bool spanish);
// The item name opened for `name` under the current language.
std::string contentsItemName(const char* name);

// 0, kNamedResourceNoLocator, or the locator's code. Callers pass mode 1 (read only).
u16 OpenNamedResource(const char* name, u16 mode);
void ReleaseNamedResource(const char* name);
// The volume of content disc `n` when it is known; null without a locator.
VolumeRecord* ContentsFindDisc(i32 n);
// 1 when a scan finds more volumes than the last one did.
u16 ContentsRescanVolumes();
