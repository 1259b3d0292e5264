#pragma once
// The real print backend: the system's printers as CUPS knows them, beside the built-in
// "PDF file" printer. Pages for a CUPS printer are written as a PDF into a temporary file
// (in a new private folder under TMPDIR) that CUPS is handed when the job finishes, with the
// copies, collation, paper and colour chosen; the temporary file and its folder go in every
// case. Without a CUPS server only the "PDF file"
// printer is offered, and it is the default.
#include <memory>

#include "platform/print/PrintBackend.h"

namespace plat::print {

std::unique_ptr<PrintBackend> makeCupsPrintBackend();

}  // namespace plat::print
