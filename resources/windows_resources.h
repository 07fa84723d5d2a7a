#pragma once

// Identifiers of the program's Windows resources, shared by orvex-capture.rc and the code that
// loads them. The icon has the lowest number: Windows shows the first icon as the program's.
#define IDI_CAMERA 1
#define IDC_HAND_POINTER 2
#define IDB_ABOUT_CARD 3
