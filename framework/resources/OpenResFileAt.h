#pragma once
// Opens a resource archive for reading, such as a library file or a dialog's art archive.
// User-interface thread only.
#include "engine/resources/ResourceManager.h"



// The archive's map, 0 when it cannot be opened; the caller closes it with resCloseFile.
ResMapHandle OpenResFileAt(const Path& path);


