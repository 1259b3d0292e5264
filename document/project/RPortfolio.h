#pragma once
// The current user's projects: the ".tbp" files of the user's slide-show folder, and the one
// project open as the current document. Project names are file names without ".tbp"; a name
// that would name a file outside the folder is refused as user names are.
#include <memory>
#include <string>
#include <vector>

#include "document/project/RDocument.h"
#include "document/users/Paths.h"

namespace Ostrel {

constexpr const char* kProjectExtension = ".tbp";

class RPortfolio {
public:
    RPortfolio(Paths& paths, const std::string& userName);

    // Selects the user (another user's document is dropped) and reads the user's project list.
    EngineErr SetName(const std::string& userName);
    // The next project name after *iterator (starting at 0); false at the end.
    bool NextProjectName(u32* iterator, std::string* name) const;
    // Loads the named project as the current document; false when it cannot be read. A page
    // list with damaged entries is told in an alert.
    bool OpenProject(const std::string& name);
    // Makes the document current, deleting the previous one; it starts with nothing unsaved.
    void SetDocument(std::unique_ptr<RDocument> document) {
        document_ = std::move(document);
        unsaved_ = false;
    }
    RDocument* Document() const { return document_.get(); }
    // The current document has changes not yet saved. The screens come and go (the picker
    // makes way for the player), the document and this mark stay until it is saved or dropped.
    bool Unsaved() const { return unsaved_; }
    void SetUnsaved(bool unsaved) { unsaved_ = unsaved; }
    // 1 when the engine text names something inside the user's slide-show folder.
    u16 ComparePathWithParent(const std::string& path) const;
    // 0 when deleted, 1 for an empty name, else the refusal or the file error.
    EngineErr DeleteProject(const std::string& name);
    const Paths& GetPaths() const { return paths_; }
    // Reads the folder's project names again (after a project was saved into it).
    void Rebuild();

private:
    Paths& paths_;
    // The user whose projects these are.
    std::string userName_;
    std::vector<std::string> projects_;
    std::unique_ptr<RDocument> document_;
    bool unsaved_ = false;
};

}  // namespace Ostrel
