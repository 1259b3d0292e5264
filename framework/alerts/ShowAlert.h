#pragma once
// Shows a text in a modal alert and answers the button pressed (the kAlertAnswer codes). The
// text is shown as it stands, never read as a format. The caption is the program's name
// whatever the caller passes.
#include "engine/base/EngineTypes.h"

u32 ShowAlert(const char* text, const char* caption, u32 style);
u32 ShowYesNoAlert(const char* text);
u32 ShowRetryCancelAlert(const char* text);
