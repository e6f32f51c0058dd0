// The string resources of the frame's built-in menu items. Read by the
// resource compiler too: plain defines only.
#pragma once

#define IDS_MENU_MINIMIZE 4001
#define IDS_MENU_MAXIMIZE 4002
#define IDS_MENU_RESTORE 4003
#define IDS_MENU_ROLLUP 4004
#define IDS_MENU_MINIMIZE_TO_TRAY 4005
#define IDS_MENU_CLOSE 4006
