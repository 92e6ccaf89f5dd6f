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
