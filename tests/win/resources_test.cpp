// The places in the built Quillstack.exe's menus that the code finds by
// position rather than by id: the functions pop-up that carries the mode
// marks, the three mode commands in list-kind order, and the place of the
// recent-files pop-up. The exe is loaded as a data file, so nothing of it
// runs. (Texts and ids show end to end.)
#include <windows.h>

#include <gtest/gtest.h>

#include "data/quillstack_doc.h"
#include "framework/handles.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"
#include "view/menus.h"

namespace {

TEST(Resources, MenuPlacesTheCodeFindsByPosition) {
    HMODULE exe = LoadLibraryExW(qstest::ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr) << qstest::Utf8(qstest::ProgramPath());
    fw::MenuHandle menu(LoadMenuW(exe, MAKEINTRESOURCEW(IDR_MAINFRAME)));
    FreeLibrary(exe);
    ASSERT_TRUE(menu);

    HMENU functions = GetSubMenu(menu.Get(), kFunctionsMenuIndex);
    ASSERT_NE(functions, nullptr);
    const int first = [&] {
        for (int i = 0; i < GetMenuItemCount(functions); ++i) {
            if (GetMenuItemID(functions, i) == ID_MODE_SENTENCES) return i;
        }
        return -1;
    }();
    ASSERT_GE(first, 0) << "the functions pop-up has no mode commands";
    for (int kind : {kListSentences, kListClipHistory, kListUrlHistory}) {
        EXPECT_EQ(GetMenuItemID(functions, first + kind), static_cast<UINT>(ID_MODE_SENTENCES + kind)) << kind;
    }

    HMENU file = GetSubMenu(menu.Get(), 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(GetMenuItemID(file, kRecentFilesPosition - 1), static_cast<UINT>(ID_FILE_DEFAULT));
    EXPECT_EQ(GetMenuState(file, kRecentFilesPosition, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(file, kRecentFilesPosition + 1), static_cast<UINT>(ID_FILE_EXIT_NOSAVE));
}

}  // namespace
