#include "framework/message_box.h"

#include "framework/framework_ids.h"
#include "framework/text.h"

namespace fw {
namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

int ShowMessageBox(HWND owner, std::wstring_view text, UINT type) {
    // A box that names no icon gets the one Windows users expect for it.
    if ((type & MB_ICONMASK) == 0) {
        UINT buttons = type & MB_TYPEMASK;
        type |= (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? MB_ICONQUESTION : MB_ICONEXCLAMATION;
    }
    if (Handler()) return Handler()(text, type);
    std::wstring caption = LoadResString(IDS_APP_TITLE);
    std::wstring body(text);
    return MessageBoxW(owner, body.c_str(), caption.c_str(), type);
}

}  // namespace fw
