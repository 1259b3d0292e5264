// Searches with the find-first/next protocol: the matches are taken when the search starts
// and handed out one by one.
#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/charset/Conversion.h"
#include "platform/files/FileNames.h"
#include "platform/files/Files.h"

namespace plat {

using files_detail::foldName;

namespace {

struct SearchTable {
    std::mutex mutex;
    std::vector<std::unique_ptr<std::deque<FindData>>> searches;
};

SearchTable& searches() {
    static SearchTable table;
    return table;
}

bool matchesMask(const char* name, const char* mask) {
    for (; *mask; ++mask, ++name) {
        if (*mask == '*') {
            for (const char* rest = name;; ++rest) {
                if (matchesMask(rest, mask + 1)) return true;
                if (!*rest) return false;
            }
        }
        if (!*name || (*mask != '?' && *mask != *name)) return false;
    }
    return !*name;
}

FindData describe(const std::string& folder, const std::string& hostName, const std::string& name) {
    FindData data;
    data.name = name;
    const std::string host = folder == "/" ? "/" + hostName : folder + "/" + hostName;
    struct stat info{};
    if (::stat(host.c_str(), &info) == 0) {
        data.attributes = S_ISDIR(info.st_mode)   ? kFileAttrDirectory
                          : S_ISREG(info.st_mode) ? kFileAttrArchive
                                                  : kFileAttrDevice;
        if (!(info.st_mode & S_IWUSR)) data.attributes |= kFileAttrReadOnly;
        if (!S_ISDIR(info.st_mode)) data.size = uint64_t(info.st_size);
    }
    if (files_detail::isHiddenName(host)) data.attributes |= kFileAttrHidden;
    if (::lstat(host.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) data.attributes |= kFileAttrReparsePoint;
    return data;
}

}  // namespace

SysErr findFirst(const std::string& pattern, FindData* data, FindHandle* find) {
    *find = kNoFind;
    const size_t cut = pattern.find_last_of("\\/");
    if (cut == std::string::npos) return kSysInvalidName;
    std::string mask = pattern.substr(cut + 1);
    if (mask == "*.*") mask = "*";
    const std::string folderText = pattern.substr(0, cut + 1);
    files_detail::ResolvedPath folder;
    if (const SysErr error = files_detail::resolveText(folderText, false, &folder)) return error;
    DIR* dir = ::opendir(folder.host.c_str());
    if (!dir) return errno == ENOENT || errno == ENOTDIR ? kSysPathNotFound : files_detail::systemErrorOf(errno, folder.host);
    const std::string foldedMask = foldName(mask);
    auto found = std::make_unique<std::deque<FindData>>();
    for (const char* dot : {".", ".."}) {
        if (matchesMask(dot, foldedMask.c_str()) && folderText.size() > 3) found->push_back(describe(folder.host, dot, dot));
    }
    while (dirent* entry = ::readdir(dir)) {
        const std::string hostName = entry->d_name;
        if (hostName == "." || hostName == "..") continue;
        const std::string name = utf8ToCp1252(hostName);
        if (matchesMask(foldName(name).c_str(), foldedMask.c_str())) found->push_back(describe(folder.host, hostName, name));
    }
    ::closedir(dir);
    if (found->empty()) return kSysFileNotFound;
    *data = std::move(found->front());
    found->pop_front();
    auto& table = searches();
    std::lock_guard lock(table.mutex);
    size_t slot = 0;
    while (slot < table.searches.size() && table.searches[slot]) ++slot;
    if (slot == table.searches.size()) table.searches.emplace_back();
    table.searches[slot] = std::move(found);
    *find = FindHandle(slot);
    return kSysOk;
}

SysErr findNext(FindHandle find, FindData* data) {
    auto& table = searches();
    std::lock_guard lock(table.mutex);
    if (find < 0 || size_t(find) >= table.searches.size() || !table.searches[size_t(find)]) return kSysInvalidHandle;
    auto& found = *table.searches[size_t(find)];
    if (found.empty()) return kSysNoMoreFiles;
    *data = std::move(found.front());
    found.pop_front();
    return kSysOk;
}

void findClose(FindHandle find) {
    auto& table = searches();
    std::lock_guard lock(table.mutex);
    if (find >= 0 && size_t(find) < table.searches.size()) table.searches[size_t(find)].reset();
}

}  // namespace plat
