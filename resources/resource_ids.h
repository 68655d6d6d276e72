#pragma once
// Identifiers of the pictures (PNG files) and the icon compiled into the program.
#define IDI_VANTERO 1
#define IDI_VANTERO_PAUSED 2  // grey: every row paused
#define IDB_SKIN_MAIN 101
#define IDB_HIDE_BUTTON 102
#define IDB_SKIN_EDIT 103
#define IDB_CLOSE_BUTTON 104

// The same pictures drawn for larger screen scales: base id + IDB_SCALE_STEP * scale index,
// so 125 % is base + 10, 150 % base + 20 and 200 % base + 30.
#define IDB_SCALE_STEP 10
#define IDB_SKIN_MAIN_125 111
#define IDB_HIDE_BUTTON_125 112
#define IDB_SKIN_EDIT_125 113
#define IDB_CLOSE_BUTTON_125 114
#define IDB_SKIN_MAIN_150 121
#define IDB_HIDE_BUTTON_150 122
#define IDB_SKIN_EDIT_150 123
#define IDB_CLOSE_BUTTON_150 124
#define IDB_SKIN_MAIN_200 131
#define IDB_HIDE_BUTTON_200 132
#define IDB_SKIN_EDIT_200 133
#define IDB_CLOSE_BUTTON_200 134

// The program's own pages.
#define IDR_HOME_PAGE 201
#define IDR_PRODUCT_PAGE 202
