#pragma once
// Identifiers of the pictures (PNG files) and the icon compiled into the program.
#define IDI_VANTERO 1
#define IDB_SKIN_MAIN 101
#define IDB_HIDE_BUTTON 102
#define IDB_SKIN_EDIT 103
#define IDB_CLOSE_BUTTON 104

// The program's own pages.
#define IDR_HOME_PAGE 201
#define IDR_PRODUCT_PAGE 202
