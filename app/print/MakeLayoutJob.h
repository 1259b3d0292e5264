#pragma once
// The print job of a layout of the print dialog (the full page prints with the base job).
#include <memory>

#include "app/print/RPrintJob.h"

namespace Ostrel {

// A new job for the layout; the full page, and any layout not known, gets a base job.
std::unique_ptr<RPrintJob> MakeLayoutJob(u32 layout, u32 posterSize, const PrintSources& sources);

}  // namespace Ostrel
