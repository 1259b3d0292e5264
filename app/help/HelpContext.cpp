#include "app/help/HelpContext.h"

namespace Ostrel {

HelpContext& GetHelpContext() {
    static HelpContext context;
    return context;
}

}  // namespace Ostrel
