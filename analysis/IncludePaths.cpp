#include "IncludePaths.h"

#include "TextHelpers.h"

#include <sys/stat.h>
#include <vector>

namespace {

bool IsRegularFile(const std::string& path)
{
    struct stat status { };
    return !path.empty() && stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool IsFolder(const std::string& path)
{
    struct stat status { };
    return stat(path.empty() ? "." : path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Folds "." and ".." of a '/' path lexically; a ".." that would climb above a
// relative start is kept.
std::string FoldDots(const std::string& path)
{
    const bool absolute = !path.empty() && path[0] == '/';
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        std::string part = path.substr(start, end - start);
        if (part.empty() || part == ".") {
            // nothing
        } else if (part == ".." && !parts.empty() && parts.back() != "..") {
            parts.pop_back();
        } else if (part == ".." && absolute) {
            // above the root stays at the root
        } else {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out = absolute ? "/" : "";
    for (size_t k = 0; k < parts.size(); ++k) {
        if (k > 0) {
            out += '/';
        }
        out += parts[k];
    }
    return out.empty() ? "." : out;
}

} // namespace

std::string CIncludePaths::Normalise(const std::string& path)
{
    std::string out = path;
    for (char& c : out) {
        if (c == '\\') {
            c = '/';
        }
    }
    return out;
}

std::string CIncludePaths::Join(const std::string& folder, const std::string& name)
{
    // An absolute name stands for itself, whatever folder it is looked up in.
    if (folder.empty() || (!name.empty() && (name[0] == '/' || name[0] == '\\'))) {
        return Normalise(name);
    }
    std::string out = Normalise(folder);
    if (out.back() != '/') {
        out += '/';
    }
    return out + Normalise(name);
}

std::string CIncludePaths::ResolveBeside(const std::string& includingPath, const std::string& name)
{
    const std::string including = Normalise(includingPath);
    const size_t slash = including.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : including.substr(0, slash + 1);
    const std::string joined = Join(folder, name);
    if (joined.find("/.") == std::string::npos && joined.rfind("./", 0) != 0) {
        return joined;
    }
    return FoldDots(joined);
}

const FolderListings::Listing& CIncludePaths::ListFolder(const std::string& folder)
{
    auto found = listings_.find(folder);
    if (found != listings_.end()) {
        return *found->second;
    }
    std::shared_ptr<const FolderListings::Listing> listing;
    if (shared_ != nullptr) {
        listing = shared_->Of(folder);
    } else {
        FolderListings own;
        listing = own.Of(folder);
    }
    return *listings_.emplace(folder, std::move(listing)).first->second;
}

std::string CIncludePaths::FindFile(const std::string& rawPath)
{
    auto known = found_.find(rawPath);
    if (known != found_.end()) {
        return known->second;
    }
    std::string found = Look(Normalise(rawPath));
    found_.emplace(rawPath, found);
    return found;
}

std::string CIncludePaths::Look(const std::string& path)
{
    if (IsRegularFile(path)) {
        return path;
    }
    if (path.empty()) {
        return {};
    }
    // Walk folder by folder, taking an exact match when there is one and a
    // case-insensitive one otherwise.
    std::string current = path[0] == '/' ? "/" : "";
    size_t start = path[0] == '/' ? 1 : 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        const bool last = end == std::string::npos;
        if (last) {
            end = path.size();
        }
        const std::string part = path.substr(start, end - start);
        start = end + 1;
        if (part.empty()) {
            if (last) {
                return {};
            }
            continue;
        }
        const std::string exact = current + part;
        std::string next;
        if (part == "." || part == ".." || (last ? IsRegularFile(exact) : IsFolder(exact))) {
            next = exact;
        } else {
            const auto& entries = ListFolder(current.empty() ? "." : current);
            auto match = entries.find(ToLowerCopy(part));
            if (match == entries.end()) {
                return {};
            }
            next = current + match->second;
        }
        if (last) {
            return IsRegularFile(next) ? next : std::string();
        }
        current = next + "/";
    }
    return {};
}
