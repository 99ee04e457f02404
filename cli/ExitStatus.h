#pragma once

// What `tavi` tells the shell that started it.
namespace tavi::cli
{

constexpr int kExitDone = 0;
// A sector could not be computed; the others were still reported and written.
constexpr int kExitSectorFailed = 1;
// Bad arguments, a study that cannot be read or an output that cannot be written: nothing
// was written.
constexpr int kExitUnusable = 2;

} // namespace tavi::cli
