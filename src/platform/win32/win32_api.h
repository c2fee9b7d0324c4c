// The Windows headers, with the names that clash with the program's own method names released.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <shlwapi.h>
#include <windows.h>

// windows.h maps these to their A/W forms with macros, which would rename the interface methods of the
// same names. The code here calls the W functions by their full names instead.
#undef MessageBox
#undef DeleteFile
#undef CopyFile
#undef ReplaceFile
#undef GetFileAttributes
#undef SetFileAttributes
#undef GetWindowsDirectory
#undef GetSystemDirectory
#undef GetSystemWow64Directory
#undef GetFileVersionInfo
#undef CreateFolder
#undef PathFileExists
// winbase.h turns Yield() into nothing, which would empty the yielder's method of that name.
#undef Yield
