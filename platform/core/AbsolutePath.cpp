#include "AbsolutePath.h"

#include <filesystem>
#include <system_error>

std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error)
        return path;
    return full.lexically_normal().string();
}
