#include "HeaderParseClaims.h"

void HeaderParseClaims::KeepForRun(uint64_t pathAndTokens)
{
    std::lock_guard lock(mutex_);
    claims_[pathAndTokens] = 0; // before every reader, which never claims it again
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
