#pragma once
// The shell of tests and headless runs: it keeps every document it was asked to open and
// answers as it was told (opened, unless a test says the machine has no viewer).
#include <mutex>
#include <string>
#include <vector>

#include "platform/shell/DesktopShell.h"

namespace plat {

class HeadlessShell : public DesktopShell {
public:
    bool openDocument(const std::string& text) override;

    void setOpens(bool opens);
    std::vector<std::string> opened() const;

private:
    mutable std::mutex mutex_;
    bool opens_ = true;
    std::vector<std::string> opened_;
};

}  // namespace plat
