#pragma once

// Resource numbers shared by the resource script and the Windows front end. The resource
// compiler reads only preprocessor definitions, hence macros here and nowhere else.

// The program icon: the lowest number, so the shell shows it for the executable.
#define IDI_QUIVANTO 1

// The list window's banner, at 96 dpi and at twice that.
#define IDB_BANNER 101
#define IDB_BANNER_2X 102

// The five 16 x 16 picture buttons of the list window, drawn on its green, and the same
// pictures at 32 x 32 for twice the pixel density.
#define IDB_ADD 111
#define IDB_DELETE 112
#define IDB_PROPERTIES 113
#define IDB_HELP 114
#define IDB_HIDE 115
#define IDB_ADD_2X 121
#define IDB_DELETE_2X 122
#define IDB_PROPERTIES_2X 123
#define IDB_HELP_2X 124
#define IDB_HIDE_2X 125
