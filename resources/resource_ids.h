#pragma once
// Identifiers of the pictures (PNG files) and the icon compiled into the program.
#define IDI_VANTERO 1
#define IDB_SKIN_MAIN 101
#define IDB_HIDE_BUTTON 102
#define IDB_SKIN_EDIT 103
#define IDB_CLOSE_BUTTON 104

// Each picture is also drawn at 125, 150 and 200 percent, under its id plus one, two and three
// times this step.
#define IDB_SCALE_STEP 10
