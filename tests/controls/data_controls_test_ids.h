#pragma once

// The test dialog that holds one of each data control.
#define IDD_DATA_CONTROLS_TEST 9201
#define IDC_DATA_LIST 9211
#define IDC_DATA_COMBO 9212
#define IDC_DATA_LISTBOX 9213
#define IDC_DATA_SLIDER 9214
