#include "framework/resources/OpenResFileAt.h"



ResMapHandle OpenResFileAt(const Path& path) { return resOpenFile(&path, 1, 1); }


