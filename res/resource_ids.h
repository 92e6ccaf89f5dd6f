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
