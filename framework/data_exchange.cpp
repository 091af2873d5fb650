#include "framework/data_exchange.h"

#include "framework/text.h"

namespace fw {

void ExchangeCheck(HWND button, bool& value, bool save) {
    if (save) {
        value = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    } else {
        SendMessageW(button, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void ExchangeRadio(HWND dialog, std::initializer_list<int> ids, int& value, bool save) {
    int index = 0;
    for (int id : ids) {
        HWND button = GetDlgItem(dialog, id);
        if (!save) {
            SendMessageW(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        } else if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            value = index;
            return;
        }
        ++index;
    }
}

// Setting an unchanged text is skipped: it would move the caret to the
// start and clear the mark of the user's typing.
void ExchangeText(HWND control, std::string& value, bool save) {
    const std::wstring shown = GetWindowTextString(control);
    const std::wstring wide = Widen(value);
    if (save) {
        if (shown != wide) value = Narrow(shown);
    } else if (shown != wide) {
        SetWindowTextW(control, wide.c_str());
    }
}

void ExchangeListIndex(HWND comboBox, int& value, bool save) {
    if (!save) {
        // A value with no item (negative, or past the end) selects none.
        SendMessageW(comboBox, CB_SETCURSEL, value < 0 ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(value), 0);
        return;
    }
    const LRESULT selected = SendMessageW(comboBox, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR) value = static_cast<int>(selected);
}

}  // namespace fw
