#pragma once
// <windows.h> for the Win32 layer, without the macros that clash with the core's names
// (LoadString, for one, is a function of the localization).
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#ifdef LoadString
#undef LoadString
#endif
#ifdef GetTempPath
#undef GetTempPath
#endif
#ifdef CreateFile
#undef CreateFile
#endif
#ifdef FindResource
#undef FindResource
#endif
#ifdef CreateFont
#undef CreateFont
#endif
#ifdef DrawText
#undef DrawText
#endif
