#pragma once
// ALSA's library reports every device it fails to open on stderr, several lines a try; on a
// machine without a sound card that fills the terminal. The program says once that it runs
// without sound (reportNoSoundDevice) and lets ALSA say nothing.
namespace plat {

// Hands ALSA's library, when the machine has it, an error handler that drops its reports.
// Called before SDL's audio starts, which loads the same library. Any thread, once or more.
void quietAlsaErrors();

// One line on stderr the first time no sound device can be opened; nothing afterwards.
void reportNoSoundDevice();

}  // namespace plat
