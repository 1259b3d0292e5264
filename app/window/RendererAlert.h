#pragma once
// The alert that tells a developer which OpenGL the canvases' renderer draws with: its vendor,
// renderer and version, empty while the renderer is not bound to a picture. The main window
// shows it for the P key in debug mode.
namespace Ostrel {

void ShowRendererAlert();

}  // namespace Ostrel
