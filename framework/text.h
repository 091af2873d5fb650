// Text at the boundary between the program's data (bytes of the ANSI code
// page) and the UTF-16 of windows and resources.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/lead_bytes.h"

namespace fw {

std::wstring Widen(std::string_view ansi);
std::string Narrow(std::wstring_view wide);
// The same, or nothing when a character has no form in the ANSI code page
// (Narrow would put a stand-in there, naming another file).
std::optional<std::string> NarrowExactly(std::wstring_view wide);

// A string-table entry of the running module (empty when absent).
std::wstring LoadResString(UINT id);
// The same entry converted once to the ANSI code page, for texts that become
// part of data.
std::string LoadAnsiString(UINT id);

// `format` with its first "%s" replaced by `argument`; the argument is never
// read as a format, whatever it holds.
std::wstring FormatOne(std::wstring_view format, std::wstring_view argument);

// The lead bytes of the system's ANSI code page.
const qs::LeadBytes& SystemLeadBytes();

// Window text as UTF-16.
std::wstring GetWindowTextString(HWND window);
// When a control shows a new text. Later passes by the control's own
// handler, which for a button draws at once (that costs milliseconds under
// Wine), and only stores the text; the caller invalidates the control when
// drawing may take the time.
enum class Drawing { Now, Later };

// Sets a window's text unless it already reads so: setting an unchanged
// caption would only make the control flicker.
void SetWindowTextIfChanged(HWND window, std::wstring_view text, Drawing drawing = Drawing::Now);

}  // namespace fw
