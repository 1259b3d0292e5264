#pragma once
// The job options a CUPS printer is handed with a document: copies, collation when there is
// more than one copy, the paper by its media name, and colour or monochrome.
#include <string>
#include <utility>
#include <vector>

#include "platform/print/PrintTypes.h"

namespace plat::print {

std::vector<std::pair<std::string, std::string>> cupsJobOptions(const PrinterSettings& settings);

}  // namespace plat::print
