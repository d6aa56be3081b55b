#pragma once

// Every numbered resource of Clipvane. The numbers are fixed: skins, the
// artwork script and the .rc files all refer to them. Included from .rc files,
// so only #define lines belong here.

// String table.
#define IDS_ABOUTBOX 101  // "&About Clipvane..." on the main window's system menu

// Dialog templates.
#define IDD_CLIPVANE_DIALOG 102  // the main window
#define IDD_SPLASH 106           // the splash picture shown while the program starts
#define IDD_SKIN_MESSAGEBOX 107  // the skinned message box

// Controls of the skinned message box (its buttons are IDOK and IDCANCEL).
#define IDC_MESSAGE_ICON 1001
#define IDC_MESSAGE_TEXT 1002
#define IDC_MESSAGE_TITLE 1003
#define IDC_MESSAGE_CLOSE 1004

// Controls of the main window.
#define IDC_VERSION 1003
#define IDC_CLOSE 1004
#define IDC_TASK_LIST 1011
#define IDC_ADD 1012
#define IDC_REMOVE 1013
#define IDC_REMOVE_ALL 1014
#define IDC_HELP_BUTTON 1016
#define IDC_MINIMISE 1019
#define IDC_OUTPUT_FOLDER 1021
#define IDC_CHOOSE_FOLDER 1022
#define IDC_OUTPUT_FOLDER_LABEL 1034
#define IDC_PROFILE_LIST_LABEL 1036
#define IDC_ASPECT_LABEL 1039
#define IDC_VIDEO_QUALITY_LABEL 1044
#define IDC_CHANNELS_LABEL 1045
#define IDC_TRIM_SLIDER 1047
#define IDC_START 1048
#define IDC_STOP 1049
#define IDC_SETTINGS_GROUP 1052
#define IDC_PLAYER 1053
#define IDC_PLAY 1054
#define IDC_STOP_PREVIEW 1055
#define IDC_PICTURE 1058
#define IDC_SHUT_DOWN 1059
#define IDC_PROFILE_LIST 1065
#define IDC_DESCRIPTION 1066
#define IDC_PROFILE_SETTING_LABEL 1071
#define IDC_PROFILE_SETTING 1072
#define IDC_VIDEO_TYPE_LABEL 1073
#define IDC_VIDEO_TYPE 1074
#define IDC_VIDEO_SIZE_LABEL 1075
#define IDC_VIDEO_SIZE 1076
#define IDC_FRAME_RATE_LABEL 1077
#define IDC_FRAME_RATE 1078
#define IDC_VIDEO_QUALITY 1079
#define IDC_ASPECT 1080
#define IDC_AUDIO_QUALITY_LABEL 1081
#define IDC_AUDIO_QUALITY 1082
#define IDC_CHANNELS 1083
#define IDC_SAMPLE_RATE_LABEL 1084
#define IDC_SAMPLE_RATE 1085
#define IDC_VOLUME_LABEL 1086
#define IDC_VOLUME 1087
#define IDC_DEVICE_TABS 1088
#define IDC_THREE_GP_TYPE 1089
#define IDC_THREE_GP_TYPE_LABEL 1090
#define IDC_AT_ONCE 1091

// Icons. Button icons come in pairs: the one shown while the mouse is over the
// button or it is pressed, then the one shown when idle.
#define IDI_PROGRAM 128
#define IDI_MESSAGE_WARNING 129
#define IDI_MESSAGE_QUESTION 130
#define IDI_MESSAGE_ERROR 131
#define IDI_MESSAGE_INFORMATION 132
#define IDI_OUTPUT_FOLDER_HOVER 133
#define IDI_OUTPUT_FOLDER_IDLE 134
#define IDI_REMOVE_SELECTED_HOVER 135
#define IDI_REMOVE_SELECTED_IDLE 136
#define IDI_ADD_FILE_HOVER 137
#define IDI_ADD_FILE_IDLE 138
#define IDI_REMOVE_ALL_HOVER 139
#define IDI_REMOVE_ALL_IDLE 140
#define IDI_HELP_HOVER 141
#define IDI_HELP_IDLE 142
#define IDI_SPARE1_HOVER 143  // the numbered icon range keeps three pairs no window uses yet
#define IDI_SPARE1_IDLE 144
#define IDI_STOP_CONVERTING_HOVER 145
#define IDI_STOP_CONVERTING_IDLE 146
#define IDI_START_CONVERTING_HOVER 147
#define IDI_START_CONVERTING_IDLE 148
#define IDI_CLOSE_HOVER 149
#define IDI_CLOSE_IDLE 150
#define IDI_MINIMISE_HOVER 151
#define IDI_MINIMISE_IDLE 152
#define IDI_SPARE2_HOVER 153
#define IDI_SPARE2_IDLE 154
#define IDI_SPARE3_HOVER 155
#define IDI_SPARE3_IDLE 156
#define IDI_SHUTDOWN_CHECK_HOVER 157
#define IDI_SHUTDOWN_CHECK_IDLE 158
#define IDI_PREVIEW_PLAY_HOVER 188
#define IDI_PREVIEW_PLAY_IDLE 189
#define IDI_PREVIEW_STOP_HOVER 190
#define IDI_PREVIEW_STOP_IDLE 191

// Bitmaps: the built-in skin elements (used when the skin does not name them).
#define IDB_COLUMNHEADER_SPAN 159   // 1 x 16
#define IDB_COLUMNHEADER_START 160  // 2 x 16
#define IDB_COLUMNHEADER_END 161    // 2 x 16
#define IDB_COLUMNHORZ_THUMB 162    // 67 x 16
#define IDB_COLUMNHORZ_RIGHTARROW 163
#define IDB_COLUMNHORZ_SPAN 164  // 1 x 16
#define IDB_COLUMNHORZ_LEFTARROW 165
#define IDB_SPARE_166 166  // numbered in the element range, named by no element
#define IDB_COLUMNVERT_UPARROW 167
#define IDB_COLUMNVERT_SPAN 168   // 16 x 1
#define IDB_COLUMNVERT_THUMB 169  // 16 x 67
#define IDB_COLUMNVERT_DOWNARROW 170
#define IDB_SPARE_171 171
#define IDB_COLUMNVERT_BOTTOM 172
#define IDB_SPLASH 173  // 348 x 188
#define IDB_SPARE_174 174
#define IDB_TITLE 175         // 372 x 25
#define IDB_BACKGROUND 176    // 372 x 279
#define IDB_EDIT_BACK 177     // 1 x 18, also the combo box background strip
#define IDB_EDIT_FORE 178     // 54 x 12
#define IDB_COMBO_ARROW 179   // 16 x 16
#define IDB_COMBO_WINDOW 180  // 113 x 13, also the list box background

// Bitmaps of the main window.
#define IDB_MAIN_FRAME 185          // 865 x 602, pure green outside the window's shape
#define IDB_FADE_PICTURE 190        // 348 x 188
#define IDB_SLIDER_TRACK 198        // 6 x 11
#define IDB_SLIDER_LEFT_THUMB 199   // 13 x 17
#define IDB_SLIDER_RIGHT_THUMB 200  // 13 x 17
#define IDB_SLIDER_RANGE 201        // 3 x 7
#define IDB_TAB_IPOD 202            // device tab bar, 447 x 15 each
#define IDB_TAB_PSP 203
#define IDB_TAB_3GP 204
#define IDB_TAB_XBOX 205
#define IDB_TAB_PPC 206
#define IDB_TAB_PMP 207
