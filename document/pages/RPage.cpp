#include "document/pages/RPage.h"

namespace Ostrel {

EngineErr RPage::Draw() { return Data().Render(gfxGetPort(), 0, 0); }

}  // namespace Ostrel
