#pragma once
// The program's one OpenGL renderer of the canvases: made by the first canvas that needs it
// (the easel's or the slide show's), bound by each to its own picture, used by the painting
// tools that draw with OpenGL, and released when the program exits. 16-bit pictures only.
// User-interface thread only.
#include "engine/gfx/gl/GLBitmapRenderer.h"

// The renderer, made when there is none yet.
GLBitmapRenderer& glMakeSharedRenderer();
// Null before it is made and after it is released.
GLBitmapRenderer* glSharedRenderer();
// Deletes it with its context.
void glReleaseSharedRenderer();
