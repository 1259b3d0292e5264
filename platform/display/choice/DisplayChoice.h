#pragma once
// The one place that picks the display driver, once at start-up: the headless one when the
// program runs headless (platform/system/Headless.h) or SDL cannot open a display that
// shows something, else SDL. User-interface thread only.
#include "platform/display/DisplayDriver.h"

namespace plat {

DisplayDriver& displayDriver();
// Replaces the start-up choice (tests install a headless driver); nullptr restores it.
void setDisplayDriver(DisplayDriver* driver);

}  // namespace plat
