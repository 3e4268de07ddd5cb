// What the host library (xsihost) exports: the host face's functions and types.
#pragma once

#if defined(_WIN32)
#if defined(XSIHOST_BUILDING)
#define XSIHOSTAPI __declspec(dllexport)
#else
#define XSIHOSTAPI __declspec(dllimport)
#endif
#else
#define XSIHOSTAPI __attribute__((visibility("default")))
#endif
