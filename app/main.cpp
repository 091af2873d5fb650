#include <windows.h>

#include "app/quillstack_app.h"

namespace {

CQuillstackApp theApp;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return theApp.Main(instance, showCommand);
}
