// Identifiers of the program's dialog templates and their controls, named once for the .rc files and the
// views. The confirm and cancel buttons of every dialog are IDOK and IDCANCEL, so Enter and Esc reach them.
#pragma once

// The desk dialog
#define IDD_DESK 100
#define IDC_NAME_FRAME 1001
#define IDC_DESK_NAME 1002
#define IDC_WALLPAPER_FRAME 1003
#define IDC_DRIVES 1004
#define IDC_FOLDERS 1005
#define IDC_WALLPAPER_FILES 1006
#define IDC_WALLPAPER_PREVIEW 1007
#define IDC_WALLPAPER_STYLE 1008

// The enlarged wallpaper preview
#define IDD_ENLARGED_WALLPAPER 110
#define IDC_ENLARGED_PICTURE 1101

// The settings dialog
#define IDD_SETTINGS 120
#define IDC_AUTO_HIDE 1201
#define IDC_ALWAYS_ON_TOP 1202
#define IDC_NEW_DESK 1203
#define IDC_ABOUT 1204
#define IDC_END_PROGRAM 1205
#define IDC_POSITION_FRAME 1206
#define IDC_SCREEN_PICTURE 1207
#define IDC_POSITION0 1210  // the six positions: 1210..1215
#define IDC_TIP_COLOR_FRAME 1220
#define IDC_TIP_KIND 1221
#define IDC_TIP_TEXT 1222
#define IDC_TIP_BACKGROUND 1223
#define IDC_SWATCH0 1230  // the fifteen colours: 1230..1244
#define IDC_SAMPLE_CAPTION 1250
#define IDC_TIP_SAMPLE 1251

// The about box, and its pictures
#define IDD_ABOUT 130
#define IDC_ABOUT_PICTURE 1301
#define IDC_ABOUT_TITLE 1302
#define IDC_ABOUT_PLATFORM 1303
#define IDC_ABOUT_RELEASE 1304
#define IDC_ABOUT_ICON0 1310  // the three small pictures: 1310..1312
// Resource names must be plain numbers for every resource compiler.
#define IDB_ABOUT_PICTURE0 1400  // the ten pictures: 1400..1409
#define IDB_ABOUT_PICTURE1 1401
#define IDB_ABOUT_PICTURE2 1402
#define IDB_ABOUT_PICTURE3 1403
#define IDB_ABOUT_PICTURE4 1404
#define IDB_ABOUT_PICTURE5 1405
#define IDB_ABOUT_PICTURE6 1406
#define IDB_ABOUT_PICTURE7 1407
#define IDB_ABOUT_PICTURE8 1408
#define IDB_ABOUT_PICTURE9 1409
#define IDB_ABOUT_FIGURE1 1411  // the figure's two frames
#define IDB_ABOUT_FIGURE2 1412
#define IDB_ABOUT_ICON0 1420  // the three small pictures
#define IDB_ABOUT_ICON1 1421
#define IDB_ABOUT_ICON2 1422

// The desk organiser
#define IDD_ORGANISER 200
#define IDC_ORGANISED_DESK_CAPTION 201
#define IDC_ORGANISED_DESK 202
#define IDC_ADD_APPLICATION 203
#define IDC_APPLICATIONS 204
#define IDC_SHORTCUT_NAME_CAPTION 205
#define IDC_SHORTCUT_NAME 206
#define IDC_POOL_CAPTION 207
#define IDC_DESK_ITEMS_CAPTION 208
#define IDC_POOL_ITEMS 209
#define IDC_COPY_ITEMS 210
#define IDC_REMOVE_ITEMS 211
#define IDC_DESK_ITEMS 212

// The button-size dialog
#define IDD_BUTTON_SIZE 300
#define IDC_PREVIEW_CAPTION 301
#define IDC_BUTTON_PREVIEW 302
#define IDC_PREVIEW_TIP 303
#define IDC_SIZE_CAPTION 304
#define IDC_SIZE_NUMBER 305
#define IDC_SIZE_SCROLL 306
#define IDC_PRESET_NAME 307
#define IDB_BUTTON_PREVIEW 310
