// Resource identifiers of Frimlet2.
//
// Included by res/Frimlet2.rc (windres) and by the C++ sources. Plain #defines only.
// One prefix per kind:
//   IDD_    dialog templates            IDC_    controls inside the dialogs
//   IDS_    string table entries        IDB_    bitmaps
//   IDI_    icons                       IDCUR_  cursors
//   IDR_    menus and accelerator tables
//   IDM_    command ids (menu items, accelerators, thumbnail-toolbar buttons)
// Numbers may repeat across kinds (a string and a dialog may share a number), never
// within one kind; scripts/check-resources.sh checks this and that every id used in
// the .rc files is defined here.
// The system commands of the frame menu (SC_RESTORE, SC_MOVE, SC_MINIMIZE, SC_CLOSE)
// and the dialog buttons IDOK (1) and IDCANCEL (2) are the platform's own.

#ifndef FRIMLET2_RES_RESOURCE_H
#define FRIMLET2_RES_RESOURCE_H

// The ids keep their columns and their comments aligned.
// clang-format off

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Resource type of a dialog's initialisation data (the combo-box items of a
// template): records of WORD control id, WORD message (CB_ADDSTRING), DWORD byte
// count, then that many bytes of UTF-8 text ending in a NUL; a WORD 0 ends the list.
// The resource has the dialog's id as its name.
#ifndef RT_DLGINIT
#define RT_DLGINIT 240
#endif

// Dialog templates
#define IDD_FRIMLET2_DIALOG 102          // capture frame
#define IDD_OPTIONS 103                  // options
#define IDD_FRAME_CONTROLLER 104         // frame controller
#define IDD_FRAME_SIZE_SELECT 105        // frame size selection
#define IDD_FRAME_SIZE_SELECT_OPTION 171 // reference file name

// Strings
#define IDS_APP_TITLE 110           // "Frimlet2"
#define IDS_OPEN_OUTPUT_FOLDER 111  // tooltip and jump-list task: open the output folder
#define IDS_SETTINGS 112            // tooltip: settings
#define IDS_LOCK_FRAME 113          // tooltip: lock the frame
#define IDS_UNLOCK_FRAME 114        // tooltip and menu text: unlock the frame
#define IDS_SHOW_CONTROLLER 115     // tooltip: show the frame controller
#define IDS_WIC_INIT_FAILED 116     // imaging component could not be created
#define IDS_HOTKEY_START_FAILED 117 // hotkey registration failed at start-up
#define IDS_HOTKEY_SET_FAILED 118   // hotkey registration failed in the options dialog
#define IDS_TIP_SHUTTER 260         // tooltip of the shutter button, followed by the hotkey's name
#define IDS_TIP_CLOSE 261           // tooltip of the close icon
#define IDS_TIP_OPTIONS 262         // tooltip of the settings icon
#define IDS_TIP_MINIMIZE 263        // tooltip of the minimise icon
#define IDS_TIP_GRIP 264            // tooltip of the grip icon
#define IDS_TIP_SIZE_LABEL 265      // tooltip of the size label
#define IDS_NEXT_FILE_NAME 300      // the name of the next capture's file (%s)
#define IDS_FIXED_NAME_EMPTY 301    // the fixed name is refused: empty
#define IDS_FIXED_NAME_PATH 302     // ... holds \ / or :
#define IDS_FIXED_NAME_CHARACTER 303 // ... holds < > " | ? * or a control character
#define IDS_FIXED_NAME_TRAILING 304 // ... ends in a dot or a space
#define IDS_FIXED_NAME_DEVICE 305   // ... is a device name such as CON
#define IDS_FIXED_NAME_LONG 306     // ... is too long for the output path
#define IDS_FIXED_NAME_RUNS 307     // ... has '#' in more than one place
#define IDS_RECORD_START 340        // menu text: start recording
#define IDS_RECORD_STOP 341         // menu text: stop recording
#define IDS_RECORD_WRITING 342      // size label while a recording's file is written
#define IDS_SIZELIST_FILE_TOO_LARGE 220 // a size-list text file above the size bound (file name, MiB)
#define IDS_SIZELIST_TOO_MANY_ROWS 221  // a size-list text file with more rows than are read (file name, rows)
// PrintScreen kept by the system's own screen capture: switch that off?
#define IDS_PRINTSCREEN_TAKEN_BY_SYSTEM 200
// What went wrong in a capture, shown in the size label's tooltip (%s: the path)
#define IDS_FAIL_SCREEN 360
#define IDS_FAIL_FOLDER 361
#define IDS_FAIL_FILE 362
#define IDS_FAIL_ENCODER 363
#define IDS_FAIL_CLIPBOARD 364
#define IDS_FAIL_PROTECTED_FOLDER 365 // access denied in Pictures, Documents or Desktop
// The output folder cannot be opened (%s: the path)
#define IDS_FOLDER_MISSING 366
#define IDS_FOLDER_DRIVE_MISSING 367
#define IDS_FOLDER_IS_FILE 368
// Accessible names of the controller's buttons, IDC_MOVE_LEFT to
// IDC_BOTTOM_EDGE_OUT in order
#define IDS_NAME_MOVE_LEFT 320
#define IDS_NAME_MOVE_RIGHT 321
#define IDS_NAME_MOVE_UP 322
#define IDS_NAME_MOVE_DOWN 323
#define IDS_NAME_LEFT_EDGE_OUT 324
#define IDS_NAME_LEFT_EDGE_IN 325
#define IDS_NAME_RIGHT_EDGE_IN 326
#define IDS_NAME_RIGHT_EDGE_OUT 327
#define IDS_NAME_TOP_EDGE_OUT 328
#define IDS_NAME_TOP_EDGE_IN 329
#define IDS_NAME_BOTTOM_EDGE_IN 330
#define IDS_NAME_BOTTOM_EDGE_OUT 331

// Icon
#define IDI_FRIMLET2 128

// Menus and accelerator tables
#define IDR_FRAME_MENU 129        // popup menu of the capture frame
#define IDR_FRAME_ACCEL 130       // F2, F3, F4 on the capture frame
#define IDR_SIZE_SELECT_ACCEL 169 // Ctrl+I/O, Ctrl+E/S, Ctrl+D in the size selection dialog
#define IDR_SIZE_SELECT_MENU 170  // the size selection dialog's drop-down menu

// Cursors
#define IDCUR_FIT_TARGET 131   // fit-to-window target (32 x 32 and 64 x 64)
#define IDCUR_COLOR_SWATCH 132 // over the frame colour swatch

// Bitmaps
#define IDB_THUMB_BUTTONS_24 140 // thumbnail toolbar: five 24 x 24 images, yellow transparent
#define IDB_THUMB_BUTTONS_20 141 // the same as five 20 x 20 images (Windows 7)
#define IDB_SETTINGS_10 142      // settings icon of the tab, 10 to 40 pixels
#define IDB_SETTINGS_15 143
#define IDB_SETTINGS_20 144
#define IDB_SETTINGS_25 145
#define IDB_SETTINGS_30 146
#define IDB_SETTINGS_40 147
#define IDB_CLOSE_10 148 // close icon of the tab, 10 to 40 pixels
#define IDB_CLOSE_15 149
#define IDB_CLOSE_20 150
#define IDB_CLOSE_25 151
#define IDB_CLOSE_30 152
#define IDB_CLOSE_40 153
#define IDB_GRIP 154      // 16 x 16 grip icon
#define IDB_MINIMIZE 155  // 10 x 10 minimise icon
#define IDB_MOVE_LEFT 156 // controller buttons: 8-bit, RGB(192,192,192) transparent
#define IDB_MOVE_RIGHT 157
#define IDB_MOVE_UP 158
#define IDB_MOVE_DOWN 159
#define IDB_EDGE_LEFT 160  // 20 x 30, arrow left, edge on its right
#define IDB_EDGE_RIGHT 161 // 20 x 30, arrow right, edge on its left
#define IDB_EDGE_UP 162    // 30 x 20, arrow up, edge below
#define IDB_EDGE_DOWN 163  // 30 x 20, arrow down, edge above
#define IDB_TYPE_JPEG 164  // image format buttons, RGB(192,192,192) transparent
#define IDB_TYPE_BMP 165
#define IDB_TYPE_GIF 166
#define IDB_TYPE_PNG 167
#define IDB_QUALITY_SCALE 168 // 150 x 10 scale under the JPEG quality trackbar
#define IDB_SHUTTER_16 180     // camera on the shutter button, grey transparent, 16 to 64 pixels
#define IDB_SHUTTER_24 181
#define IDB_SHUTTER_32 182
#define IDB_SHUTTER_40 183
#define IDB_SHUTTER_48 184
#define IDB_SHUTTER_64 185
#define IDB_THUMB_ICONS_32 186 // thumbnail toolbar: five images, 32-bit with alpha, at 32 to 64 pixels
#define IDB_THUMB_ICONS_40 187
#define IDB_THUMB_ICONS_48 188
#define IDB_THUMB_ICONS_64 189

// Commands
#define IDM_OPEN_OUTPUT_FOLDER 32771
#define IDM_OPTIONS 32772
#define IDM_LOCK 32773
#define IDM_SHOW_CONTROLLER 32774
#define IDM_SELECT_SIZE 32775
#define IDM_TYPE_JPEG 32776
#define IDM_TYPE_BMP 32777
#define IDM_TYPE_GIF 32778
#define IDM_TYPE_PNG 32779
#define IDM_FIT_TO_WINDOW 32780
#define IDM_OPEN_LAST_CAPTURE 32790 // opens the last capture in the default viewer
#define IDM_RECORD 32800 // start or stop recording the hole
// The options dialog's recording group.
#define IDC_RECORD_GIF 1220
#define IDC_RECORD_APNG 1221
#define IDC_RECORD_FPS 1222
#define IDC_RECORD_FPS_SPIN 1223
#define IDC_RECORD_SECONDS 1224
#define IDC_RECORD_SECONDS_SPIN 1225
#define IDM_SIZELIST_IMPORT 57601
#define IDM_SIZELIST_EXPORT 57603
#define IDM_REFERENCE_FILE_NAME 57610
#define IDM_SIZELIST_DUPLICATE 57639
#define IDM_HELP 57670 // the standard help command (F1)

// Controls of the capture frame (IDD_FRIMLET2_DIALOG)
#define IDC_SHUTTER 1000
#define IDC_SETTINGS_ICON 1003
#define IDC_GRIP_ICON 1005
#define IDC_MINIMIZE_ICON 1006
#define IDC_CLOSE_ICON 1007
#define IDC_SIZE_LABEL 1160 // the size label painted on the tab: the id of its tooltip

// Controls of the frame controller (IDD_FRAME_CONTROLLER); its "X" is IDCANCEL
#define IDC_MOVE_LEFT 1009
#define IDC_MOVE_RIGHT 1010
#define IDC_MOVE_UP 1011
#define IDC_MOVE_DOWN 1012
#define IDC_LEFT_EDGE_OUT 1013
#define IDC_LEFT_EDGE_IN 1014
#define IDC_RIGHT_EDGE_IN 1015
#define IDC_RIGHT_EDGE_OUT 1016
#define IDC_TOP_EDGE_OUT 1017
#define IDC_TOP_EDGE_IN 1018
#define IDC_BOTTOM_EDGE_IN 1019
#define IDC_BOTTOM_EDGE_OUT 1020
#define IDC_TAB_PICTURE 1021

// Controls of the options dialog (IDD_OPTIONS)
#define IDC_SUPPORT_LINK 1022
#define IDC_TYPE_JPEG 1023
#define IDC_TYPE_BMP 1024
#define IDC_TYPE_GIF 1025
#define IDC_TYPE_PNG 1026
#define IDC_JPEG_QUALITY 1027       // trackbar
#define IDC_JPEG_QUALITY_VALUE 1028 // the number beside it
#define IDC_JPEG_QUALITY_SCALE 1029 // the scale picture under it
#define IDC_HOTKEY_PRINTSCREEN 1030
#define IDC_HOTKEY_CUSTOM 1031
#define IDC_HOTKEY 1032
#define IDC_FRAME_COLOR 1033
#define IDC_FRAME_WIDTH 1035
#define IDC_TAB_SIZE 1036
#define IDC_OUTPUT_FOLDER 1037
#define IDC_OPEN_OUTPUT_FOLDER 1038
#define IDC_BROWSE_OUTPUT_FOLDER 1039
#define IDC_USE_FIXED_NAME 1040
#define IDC_FIXED_NAME 1041
#define IDC_RESTORE_DEFAULTS 1042
#define IDC_DELAY_SECONDS 1200 // the countdown of a shot with D held, in seconds
#define IDC_DELAY_SPIN 1201    // the up-down beside it
#define IDC_NEXT_FILE_NAME 1202 // the name the next capture gets
#define IDC_COMBINE_CURSOR 1043
#define IDC_COPY_TO_CLIPBOARD 1161

// Controls of the frame size selection dialog (IDD_FRAME_SIZE_SELECT)
#define IDC_USE_POSITION 1044
#define IDC_POS_X 1045
#define IDC_POS_X_SPIN 1046
#define IDC_POS_Y 1047
#define IDC_POS_Y_SPIN 1048
#define IDC_WIDTH 1049
#define IDC_WIDTH_SPIN 1050
#define IDC_HEIGHT 1051
#define IDC_HEIGHT_SPIN 1052
#define IDC_ADD_TO_LIST 1053
#define IDC_REMOVE_FROM_LIST 1054
#define IDC_APPLY_SIZE 1055
#define IDC_SIZE_LIST 1056
#define IDC_MOVE_ROW_UP 1057
#define IDC_MOVE_ROW_DOWN 1058
#define IDC_SIZE_MESSAGES 1059
#define IDC_SIZE_MENU 1060

// Control of the reference file name dialog (IDD_FRAME_SIZE_SELECT_OPTION)
#define IDC_REFERENCE_NAME 1061

// clang-format on

#endif // FRIMLET2_RES_RESOURCE_H
