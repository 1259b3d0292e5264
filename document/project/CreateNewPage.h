#pragma once
// A new, unsaved picture for the current user: a white background picture, and a file name of
// its own in the user's pictures folder ("Picture.tbx", "Picture1.tbx", ...), not yet written.
#include <memory>

#include "document/pages/RPage.h"
#include "document/project/RPortfolio.h"

namespace Ostrel {

// Null without a user, when no free name is left, or when the background cannot be made.
std::unique_ptr<RPage> CreateNewPage(RPortfolio& portfolio);

}  // namespace Ostrel
