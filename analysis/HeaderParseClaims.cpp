#include "HeaderParseClaims.h"

#include "SourceContent.h"

bool HeaderParseClaims::Claim(
    const std::string& path, const std::vector<PPToken>& tokens, size_t reader)
{
    return Claim(PathAndTokensDigest(path, tokens), reader);
}

bool HeaderParseClaims::Claim(uint64_t pathAndTokens, size_t reader)
{
    std::lock_guard lock(mutex_);
    auto [claim, added] = claims_.emplace(pathAndTokens, reader);
    if (added) {
        return true;
    }
    if (claim->second <= reader) {
        return false;
    }
    claim->second = reader;
    return true;
}
