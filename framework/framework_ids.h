// Ids that belong to the framework: its strings and the standard commands.
// The program's resource script includes this through res/resource.h.
#pragma once

// Strings the framework shows
#define IDS_APP_TITLE 57344
#define IDS_UNTITLED 57345
#define IDS_CMDLINE_OPEN_FAILED 57346
#define IDS_HELP_OPEN_FAILED 57347

// Standard commands
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
