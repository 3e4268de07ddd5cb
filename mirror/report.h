// What the command tells the user: lines in the host's log, all at severity 8.
#pragma once

#include <xsi_string.h>

namespace kelvane {

// Logs `message` at severity 8 (siInfoMsg), the severity of every message of the command.
void Report(const XSI::CString& message);

// Logs `message` from a cleanup that runs while an exception unwinds: whatever the host raises
// here is dropped, since the exception already on its way is the news.
void ReportQuietly(const XSI::CString& message) noexcept;

// `name` in double quotes, as names stand in the command's messages: Quoted("L_arm") is
// "\"L_arm\"".
XSI::CString Quoted(const XSI::CString& name);

// The closing line of a run that did not complete and left no copy in the scene.
extern const wchar_t* const kNoCopyMade;

}  // namespace kelvane
