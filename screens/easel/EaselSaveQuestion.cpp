#include "screens/easel/EaselSaveQuestion.h"

#include "app/application/ApplicationMessages.h"
#include "app/window/MenuMessages.h"
#include "screens/easel/EaselCommands.h"

namespace Ostrel {

SaveQuestion saveQuestionFor(u32 action) {
    switch (action) {
        case kEaselQuit: return {kEaselQuitReply, 7544};
        case kMsgMenuNewPicture: return {kEaselNewPictureReply, 7546};
        case kEaselPendingOpenIdea: return {kEaselOpenIdeaReply, 7548};
        case kEaselPendingOpenFromMenu: return {kEaselOpenFromMenuReply, 7547};
        case kEaselPendingOpenProject: return {kEaselOpenProjectReply, 7545};
        case kScreenPicker: return {kEaselSlideShowReply, 7542};
        default: return {0, 0};
    }
}

}  // namespace Ostrel
