#pragma once

namespace tavi
{

// The system calls through which a file is saved. A save goes through these pointers so that
// a test can make any one of them fail with the error of its choice (a full disk, a folder
// that turned read-only or vanished) where the real file system cannot be made to.
struct FileOperations {
    // mkstemp(): creates and opens a new file from a pattern ending in "XXXXXX".
    int (*createTemporary)(char *pattern);
    // fsync() of an open file.
    int (*flush)(int descriptor);
    // rename(), replacing the target in one step.
    int (*rename)(const char *from, const char *to);
};

// The operations in use; a test replaces one and puts systemFileOperations() back after.
FileOperations &fileOperations();
FileOperations systemFileOperations();

} // namespace tavi
