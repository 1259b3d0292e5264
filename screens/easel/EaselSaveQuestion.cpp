#include "screens/easel/EaselSaveQuestion.h"

#include "app/application/ApplicationMessages.h"
#include "app/window/MenuMessages.h"
#include "screens/easel/EaselCommands.h"

namespace Ostrel {

SaveQuestion saveQuestionFor(u32 action, u32 projectCode) {
    switch (action) {
        case kEaselQuit: return {kEaselQuitReply, 7544};
        case kMsgMenuNewPicture: return {kEaselNewPictureReply, 7546};
        case kEaselPendingOpenIdea: return {kEaselOpenIdeaReply, 7548};
        case kEaselPendingOpenFromMenu: return {kEaselOpenFromMenuReply, 7547};
        case kEaselPendingOpenProject:
            return {kEaselOpenProjectReply, projectCode == kMsgOpenDocument ? u16(7550)
                                            : projectCode == kMsgAdminLogin ? u16(7551)
                                                                            : u16(7545)};
        case kScreenPicker: return {kEaselSlideShowReply, 7542};
        default: return {0, 0};
    }
}

}  // namespace Ostrel
