/* Resource ids, shared by trellisbourne.rc and the code. Plain C so windres reads it. */
#ifndef TRELLISBOURNE_RESOURCE_IDS_H
#define TRELLISBOURNE_RESOURCE_IDS_H

#define IDI_TRELLISBOURNE 1 /* tray icon and editor window icon */
#define IDR_TRAYMENU 2      /* extended menu, one popup */
#define IDM_STOP 11842
#define IDM_CONFIGURE 11843

#define IDD_CONFIG 1 /* the configuration dialog */
#define IDC_APPLIST 101
#define IDC_WEEKENDS 102
#define IDC_WORKDAYS 103
#define IDC_WORKWEEK_ENABLE 104
#define IDC_DOW_ENABLE 105
#define IDC_DAYS 106
#define IDC_DOM_ENABLE 107
#define IDC_DOM 108
#define IDC_DOM_SCROLL 109 /* also the etched frame around the day-of-week rule */
#define IDC_FRAME3 110
#define IDC_APPLY 111
#define IDC_CANCEL 112
#define IDC_OK 113
#define IDC_DELAY 114
#define IDC_DELAY_SCROLL 115
#define IDC_NORMAL 116
#define IDC_MINIMIZED 117
#define IDC_MAXIMIZED 118
#define IDC_ADD 119
#define IDC_REMOVE 120
#define IDC_NONE 65535

#define IDS_DAY_FIRST 1000 /* 1000 Sunday ... 1006 Saturday */
#define IDS_ADD_TITLE 1008

#endif
