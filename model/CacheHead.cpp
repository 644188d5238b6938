#include "CacheHead.h"

#include "CacheError.h"
#include "ParseCacheFormat.h"

CacheHead ReadCacheHead(CCacheSource& in, uint64_t totalBytes)
{
    if (in.ReadInt() != kParseCacheVersion) {
        throw CacheError("version not match");
    }
    CacheHead head;
    head.projects = in.ReadInt();
    head.headers = in.ReadInt();
    constexpr uint64_t kHeadBytes = 12;
    const uint64_t left = totalBytes > kHeadBytes ? totalBytes - kHeadBytes : 0;
    if (head.projects < 0 || head.headers < 0 ||
        static_cast<uint64_t>(head.projects) + static_cast<uint64_t>(head.headers) >
            left / kMinRecordBytes) {
        throw CacheError("Read Integer Error.");
    }
    return head;
}
