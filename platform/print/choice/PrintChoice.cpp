#include "platform/print/choice/PrintChoice.h"

#include "platform/print/cups/CupsPrint.h"
#include "platform/print/headless/HeadlessPrint.h"
#include "platform/system/BackendChoice.h"

namespace plat::print {
namespace {

BackendChoice<PrintBackend>& choice() {
    static BackendChoice<PrintBackend> backends([] { return makeCupsPrintBackend(); },
                                                [] { return std::make_unique<HeadlessPrintBackend>(); });
    return backends;
}

}  // namespace

PrintBackend& printBackend() { return choice().current(); }

void setPrintBackend(PrintBackend* backend) { choice().install(backend); }

}  // namespace plat::print
