#include "tools/text/RText.h"

#include "tools/base/ToolNames.h"

RText::RText(CListener* owner) : RTool(kToolIdText), owner_(owner) {}

void RText::MouseDown(ToolCanvas&, Point16 p) {
    if (!owner_) return;
    Ostrel::RMessage message(kTextToolPlace, 0, 0);
    message.point = Point16{i16(p.h + CanvasRect().left), i16(p.v + CanvasRect().top)};
    message.param1 = uintptr_t(u16(message.point.h)) | (uintptr_t(u16(message.point.v)) << 16);
    owner_->HandleMessage(&message, 0);
}
