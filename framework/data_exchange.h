// Moving a dialog's values to its controls (save = false) and back (save =
// true), one helper per kind of control. A control that shows nothing the
// value could be read from (no radio button checked, no list item chosen)
// leaves the value as it was, so a stored value the dialog cannot show
// comes back unchanged.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace fw {

void ExchangeCheck(HWND button, bool& value, bool save);

// `ids`: the group's buttons in tab order; the value is the index of the
// checked one.
void ExchangeRadio(HWND dialog, std::initializer_list<int> ids, int& value, bool save);

// Text in the ANSI code page: an edit, or the edit of a combo box. Text the
// user left as shown keeps its bytes, even bytes the conversion to the
// control's UTF-16 could not carry back.
void ExchangeText(HWND control, std::string& value, bool save);

// The chosen item of a drop-down list.
void ExchangeListIndex(HWND comboBox, int& value, bool save);

}  // namespace fw
