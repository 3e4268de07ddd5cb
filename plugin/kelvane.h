// The entry points that the host calls, exported under plain, undecorated names.
#pragma once

#include <xsi_pluginregistrar.h>
#include <xsi_ref.h>
#include <xsi_status.h>

#if defined(_WIN32)
#define KELVANE_EXPORT extern "C" __declspec(dllexport)
#else
#define KELVANE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// The host calls these by name with C linkage and C++ types, as its SDK prescribes.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wreturn-type-c-linkage"
#elif defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4190)  // C linkage returning a C++ class
#endif

// Registers the plug-in's identity, the command "kelvane" and the menu "kelvane_Menu".
KELVANE_EXPORT XSI::CStatus XSILoadPlugin(XSI::PluginRegistrar& registrar);
// Logs "<plug-in name> has been unloaded.", with the name the registrar reports now.
KELVANE_EXPORT XSI::CStatus XSIUnloadPlugin(const XSI::PluginRegistrar& registrar);
// Describes the command: no arguments, an empty description, a return value.
KELVANE_EXPORT XSI::CStatus kelvane_Init(XSI::CRef& context);
// Runs the command: asks for the rename rule and builds the renamed mirrored copy of the
// selected chain. Always returns OK and sets the return value true; what went wrong is logged.
KELVANE_EXPORT XSI::CStatus kelvane_Execute(XSI::CRef& context);
// Fills the menu with its one item "kelvane".
KELVANE_EXPORT XSI::CStatus kelvane_Menu_Init(XSI::CRef& context);

#if defined(__clang__)
#pragma clang diagnostic pop
#elif defined(_MSC_VER)
#pragma warning(pop)
#endif
