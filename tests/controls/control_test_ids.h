#pragma once

// The test dialog that holds one of each control.
#define IDD_CONTROLS_TEST 9001
#define IDC_TEST_BUTTON 9101
#define IDC_TEST_CHECKBOX 9102
#define IDC_TEST_OTHER 9103
#define IDC_TEST_SEGMENTS 9104
#define IDC_TEST_PICTURE 9105
#define IDC_TEST_LABEL 9106
#define IDC_TEST_FIELD 9108
#define IDC_TEST_GROUP 9109
#define IDC_TEST_CAPTION 9110

// The test dialog that holds one of each data control.
#define IDD_DATA_CONTROLS_TEST 9201
#define IDC_DATA_LIST 9211
#define IDC_DATA_COMBO 9212
#define IDC_DATA_LISTBOX 9213
#define IDC_DATA_SLIDER 9214
