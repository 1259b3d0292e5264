#pragma once
// The confirmation before something is deleted: the child confirms (result 1396) or leaves
// (1395); the answer (code 1701, the dialog, the result) goes to the owner, which deletes the
// dialog. User-interface thread only.
#include "app/dialogs/RDlgBase.h"

namespace Ostrel {

constexpr u32 kDlgKindDeleter = 1701;
constexpr const char* kDeleterContent = "Deleters";
constexpr u16 kDeleterLayout = 7800;
// The messages it can show: one user, several users, and the other questions.
constexpr u16 kDeleterFirstMessage = 7809;
constexpr u16 kDeleterLastMessage = 7814;

class RDeleter : public RDlgBase {
public:
    explicit RDeleter(CListener* owner) : RDlgBase(owner, kDlgKindDeleter) {}
    ~RDeleter() override;

    // 0 when up; a message id 7809..7814 shows that message.
    i16 Open(u16 messageId);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

private:
    u16 messageSprite_ = 0;
};

}  // namespace Ostrel
