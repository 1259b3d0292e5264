#include "platform/shell/headless/HeadlessShell.h"

namespace plat {

bool HeadlessShell::openDocument(const std::string& text) {
    std::lock_guard lock(mutex_);
    opened_.push_back(text);
    return opens_;
}

void HeadlessShell::setOpens(bool opens) {
    std::lock_guard lock(mutex_);
    opens_ = opens;
}

std::vector<std::string> HeadlessShell::opened() const {
    std::lock_guard lock(mutex_);
    return opened_;
}

}  // namespace plat
