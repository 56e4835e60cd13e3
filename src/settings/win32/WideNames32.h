#pragma once
// The core's names as the wide file calls take them: spool names (WTF-8) and the
// program's ANSI paths, made absolute in the long-path form, which also keeps a name
// ending in a dot or a space, or one Windows reserves for a device, a plain file name.
#include <string>

#include "win32/Win32Api.h"

namespace korv::win32 {

std::wstring WideFromWtf8(const std::string& name);
std::string Wtf8FromWide(const std::wstring& name);

// A text for a window: file names and the service's own texts are UTF-8 (WTF-8); a printer
// name comes through the ANSI printer calls in the code page, so bytes that are not
// UTF-8 are read in that code page.
std::wstring WideFromText(const std::string& text);

// `\\?\` form of the current directory (`\\?\UNC\...` for a share); empty on failure.
std::wstring LongCurrentDirectory();

// A bare spool name (WTF-8, no backslash) below the current directory, or a path whose
// directory part is ANSI and whose last part is a spool name, in the long-path form.
std::wstring LongPathOf(const std::string& name);

// A name Windows forbids (Wine lists such Linux names as they are; they open only by their
// short name).
bool HasForbiddenCharacters(const std::wstring& name);

// The system's text for an error code, without its line break.
std::string ErrorText(DWORD code);

}  // namespace korv::win32
