#include "app/dialogs/StorePageSettings.h"

#include "app/application/RApplication.h"
#include "document/project/RDocument.h"

namespace Ostrel {

bool StorePageSettings(RPage& page) {
    const RApplication* app = GetApplication();
    RDocument* document = app ? app->GetCurrentDocument() : nullptr;
    // The number finds the page only in its own project; the blank page is not listed.
    if (!document || page.Number() == kBlankPageNumber || document->GetPage(page.Number()) != &page) return false;
    return document->Config().SetPage(page.Number(), page.FileName(), page.settings) == kErrNone;
}

}  // namespace Ostrel
