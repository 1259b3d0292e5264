#include "platform/files/StdioSync.h"

#include <unistd.h>

namespace plat {

bool syncStdioFile(std::FILE* file) { return file && std::fflush(file) == 0 && ::fsync(fileno(file)) == 0; }

}  // namespace plat
