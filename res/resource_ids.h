// Identifiers of the program's dialog templates and their controls, named once for the .rc files and the
// views. The confirm and cancel buttons of every dialog are IDOK and IDCANCEL, so Enter and Esc reach them.
#pragma once

// frmMAKEDESK, the desk dialog
#define IDD_MAKEDESK 100
#define IDC_fraEDIT 1001
#define IDC_txtDESKTOPNAME 1002
#define IDC_Frame2 1003
#define IDC_drive 1004
#define IDC_Folder 1005
#define IDC_lstFILE 1006
#define IDC_imgDESK 1007
#define IDC_cboWALLSTYLE 1008

// frmWALLPAPER, the enlarged wallpaper preview
#define IDD_WALLPAPER 110
#define IDC_imgWALLPAPER 1101

// frmSET, the settings dialog
#define IDD_SET 120
#define IDC_chkHIDE 1201
#define IDC_chkTOPWIN 1202
#define IDC_cmdMAKENEWDESK 1203
#define IDC_cmdABOUTS 1204
#define IDC_cmdEND 1205
#define IDC_Frame3 1206
#define IDC_screen 1207
#define IDC_lblPOS0 1210  // lblPOS(0..5): 1210..1215
#define IDC_Frame4 1220
#define IDC_cboKIND 1221
#define IDC_optTEXT 1222
#define IDC_optBACK 1223
#define IDC_lblCOLOR0 1230  // lblCOLOR(0..14): 1230..1244
#define IDC_Label2 1250
#define IDC_lblTIP 1251

// frmABOUTS, the about box, and its pictures
#define IDD_ABOUTS 130
#define IDC_Picture1 1301
#define IDC_title 1302
#define IDC_for 1303
#define IDC_dates 1304
#define IDC_imgICON0 1310  // imgICON(0..2): 1310..1312
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

// frmARRANGE, the desk organiser
#define IDD_ARRANGE 200
#define IDC_ARRANGE_Label1 201
#define IDC_lblDESKNAME 202
#define IDC_chkADDAPL 203
#define IDC_cboICON 204
#define IDC_lblAPL 205
#define IDC_txtSHORTCUT 206
#define IDC_ARRANGE_Label2 207
#define IDC_lblNOWDESKICON 208
#define IDC_lstDESK0 209
#define IDC_cmdCOPY 210
#define IDC_cmdDEL 211
#define IDC_lstDESK1 212

// frmSIZECHG, the button-size dialog
#define IDD_SIZECHG 300
#define IDC_SIZECHG_Label1 301
#define IDC_imgPREV 302
#define IDC_lblTIPS 303
#define IDC_SIZECHG_Label2 304
#define IDC_lblSIZE 305
#define IDC_hsbCHG 306
#define IDC_lblSIZEINFO 307
#define IDB_SIZEPREVIEW 310
