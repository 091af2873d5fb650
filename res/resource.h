// Resource, command and control ids. Shared by the resource script and the
// code: the resource compiler reads only preprocessor definitions, so these
// stay #defines.
#pragma once

#include "../framework/framework_ids.h"

// Resources
#define IDR_MAINFRAME 128  // main menu, accelerators, icon, document string
#define IDR_TRAYMENU 135
#define IDR_SLOTMENU 136
#define IDD_ABOUTBOX 100
#define IDD_FORM 101
#define IDD_JOIN_DEST 150
#define IDD_SENTENCE_EDITOR 131

// Strings of the program
#define IDS_NOT_REGISTERED 61200
#define IDS_OPEN_FAILED 61201
#define IDS_SAVE_CHANGES 61202
#define IDS_RECENT_FILES 61203
#define IDS_DOC_TITLE 61204
#define IDS_TRAY_ICONISE 61205
#define IDS_TEXT_FILE_FILTER 61206
#define IDS_LISTMENU_SENTENCES 61210
#define IDS_LISTMENU_CLIPHISTORY 61211
#define IDS_LISTMENU_URLHISTORY 61212
#define IDS_LISTMENU_DEFAULT 61213
#define IDS_DATE_FORMAT_KANJI 61220
#define IDS_TIME_FORMAT_KANJI 61221
#define IDS_EDITOR_CLIPHISTORY 61230
#define IDS_EDITOR_URLHISTORY 61231
#define IDS_EDITOR_FONT_SMALL 61232
#define IDS_EDITOR_FONT_MEDIUM 61233
#define IDS_EDITOR_FONT_LARGE 61234

// Program commands
#define ID_FILE_EXIT_NOSAVE 32772
#define ID_FILE_DEFAULT 32773
#define ID_SHOW_EDITOR 32774
#define ID_OPTIONS 32777
#define ID_SAVE_CLIPHISTORY 32779
#define ID_SAVE_SENTENCES 32780
#define ID_TRAY_EXIT 32781
#define ID_TRAY_RESTORE 32782
#define ID_ICONISE 32783
#define ID_HELP_FINDER 32784
#define ID_APPEND_BEHIND 32786
#define ID_APPEND_FRONT 32787
#define ID_KEY_ZERO 32788
#define ID_SAVE_URLHISTORY 32790
#define ID_SHOW_TEMPSAVE 32792
#define ID_MODE_SENTENCES 32800
#define ID_MODE_CLIPHISTORY 32801
#define ID_MODE_URLHISTORY 32802
#define ID_REGISTER_CLIPBOARD 32805
#define ID_JOIN_SENTENCES 32810
#define ID_JOIN_CLIPHISTORY 32811
#define ID_JOIN_URLHISTORY 32812
#define ID_CLEAR_SENTENCES 32815
#define ID_CLEAR_CLIPHISTORY 32816
#define ID_CLEAR_URLHISTORY 32817

// Generated menu items
#define ID_RECENT_FIRST 200
#define ID_RECENT_LAST 208
#define ID_TRAYLIST_FIRST 210
#define ID_TRAYLIST_LAST 225
#define ID_TRAY_ICONISE 230
#define ID_TEMPCOPY_FIRST 250
#define ID_TEMPCOPY_LAST 269

// Controls of the form
#define IDC_SLOT0 1000
#define IDC_SLOT7 1007
#define IDC_LISTMENU 1028
#define IDC_CLOCK 1029
#define IDC_SCROLL 1077

// Controls of the about box
#define IDC_ABOUT_ICON 1100
#define IDC_ABOUT_VERSION 1101

// Controls of the join-destination dialog; each button ends the dialog
// with its own id
#define IDC_JOIN_FILE 3
#define IDC_JOIN_CLIPBOARD 1076

// The temporary-save window, its buttons' menu and its copy menu (the
// command ID_TEMPCOPY_FIRST + i copies entry i)
#define IDD_TEMPSAVE 147
#define IDR_TEMPSAVE_MENU 148
#define IDC_TEMPSAVE_SAVE 1068
#define IDC_TEMPSAVE_COPY 1069
#define ID_TEMPSAVE_CLEAR 32793
#define ID_TEMPSAVE_EDIT 32794
#define ID_TEMPSAVE_JOIN 32804

// The edit dialog of the temporary-save list
#define IDD_TEMPEDIT 149
#define IDC_TEMPEDIT_TEXT 1008
#define IDC_TEMPEDIT_LIST 1071
#define IDC_TEMPEDIT_UPDATE 1073

// The new-file wizard
#define IDD_NEWFILE 132
#define IDC_WIZARD_BODY 1008
#define IDC_WIZARD_NEXT 1009
#define IDC_WIZARD_COUNTER 1011
#define IDC_WIZARD_HELP 1019
#define IDC_WIZARD_TITLE 1082
#define IDS_WIZARD_FIRST_PAGE 61250
#define IDS_WIZARD_PAGE 61251
#define IDS_ENTER_SENTENCE 61252

// The shortcut-key dialog: a key field for each button position 1..16
#define IDD_SHORTCUTKEY 145
#define IDC_KEY_FIRST 1047
#define IDC_KEY_LAST 1062
#define IDC_KEY_CLEAR 1063
#define IDS_DUPLICATE_KEYS 61240

// Labels and other controls the code never addresses
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Controls of the sentence editor
#define IDC_EDITOR_FILE 1012
#define IDC_EDITOR_BODY 1013
#define IDC_EDITOR_INDEX 1014
#define IDC_EDITOR_STORE 1015
#define IDC_EDITOR_CLOSE 1016
#define IDC_EDITOR_HELP 1019
#define IDC_EDITOR_PREVIOUS 1065
#define IDC_EDITOR_NEXT 1066
#define IDC_EDITOR_FONT 1081
#define IDC_EDITOR_TITLE 1082
