#include "core/files/FileOperations.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace tavi
{

FileOperations systemFileOperations()
{
    FileOperations operations;
    operations.createTemporary = [](char *pattern) { return ::mkostemp(pattern, O_CLOEXEC); };
    operations.flush = [](int descriptor) { return ::fsync(descriptor); };
    operations.rename = [](const char *from, const char *to) { return std::rename(from, to); };
    return operations;
}

FileOperations &fileOperations()
{
    static FileOperations inUse = systemFileOperations();
    return inUse;
}

} // namespace tavi
