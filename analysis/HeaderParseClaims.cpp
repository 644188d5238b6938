#include "HeaderParseClaims.h"

#include "SourceContent.h"

bool HeaderParseClaims::Claim(
    const std::string& path, const std::vector<PPToken>& tokens, size_t reader)
{
    const uint64_t digest = PathAndTokensDigest(path, tokens);
    std::lock_guard lock(mutex_);
    auto [claim, added] = claims_.emplace(digest, reader);
    if (added) {
        return true;
    }
    if (claim->second <= reader) {
        return false;
    }
    claim->second = reader;
    return true;
}
