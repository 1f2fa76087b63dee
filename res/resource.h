/* Numbers of every resource, command, dialog and control of VelarMon.
   Plain defines only: this header is read by both the C++ compiler and windres. */
#ifndef VELARMON_RESOURCE_H
#define VELARMON_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* Menus and accelerators */
#define IDR_TABLE_MENU 102    /* frame menu while a table window is active */
#define IDR_NOTABLE_MENU 114  /* frame menu with no table window */
#define IDR_ACCELERATORS 119
#define IDR_COLUMN_MENU 1003  /* grid context menu on a column heading */
#define IDR_ROW_MENU 1005     /* grid context menu on a row heading */
#define IDR_GRID_MENU 126     /* grid context menu elsewhere in the table */

/* Positions of the popups in the table menu (102) */
#define MENU_TABLE_FILE 0
#define MENU_TABLE_EDIT 1
#define MENU_TABLE_OPERATIONS 2
#define MENU_TABLE_WINDOWS 3
#define MENU_TABLE_VIEW 4
#define MENU_TABLE_HELP 5

/* Positions of the popups in the no-table menu (114) */
#define MENU_NOTABLE_FILE 0
#define MENU_NOTABLE_OPERATIONS 1
#define MENU_NOTABLE_VIEW 2
#define MENU_NOTABLE_HELP 3

/* Position of the "Мультимедиа" popup inside the "&Файл" popup of either menu */
#define MENU_FILE_MULTIMEDIA 4

/* Frame commands: menus, tool bar and accelerators */
#define IDM_EXIT 100
#define IDM_CLOSE_ACTIVE 201
#define IDM_CASCADE 202
#define IDM_TILE_HORIZONTAL 203
#define IDM_TILE_VERTICAL 204
#define IDM_ARRANGE_ICONS 205
#define IDM_ABOUT 206
#define IDM_TOOLBAR 207
#define IDM_STATUSBAR 208
#define IDM_CLOSE_ALL 209
#define IDM_DELETE 210
#define IDM_INSERT 212
#define IDM_FONT 2013
#define IDM_EXPORT 2014
#define IDM_IMPORT 2016
#define IDM_EDIT 3002
#define IDM_MAXIMIZE 3003
#define IDM_SCHEDULER 3004
#define IDM_PHONEBOOK 3005
#define IDM_SMS 4021
#define IDM_PORT 4022
#define IDM_MEMO 4024
#define IDM_WRITE_PHONE 4026
#define IDM_MELODY 4030
#define IDM_PICTURE 4031
#define IDM_PHOTOS 4032
#define IDM_MOVIES 4033
#define IDM_GET_SELECTED 4036
#define IDM_GET_ALL 4037
#define IDM_RECEIVE_PHONE 4039
#define IDM_ANIMATION 4041

/* Grid window commands: context menus 1003, 1005, 126 and the undo request */
#define IDM_DELETE_RECORD 1009
#define IDM_ADD_RECORD 2011
#define IDM_SEARCH 2012
#define IDM_SORT 2015
#define IDM_UNDO 3001

/* Frame children: MDI client, first MDI child id, tool bar, status bar */
#define IDC_MDI_CLIENT 3232
#define IDM_FIRST_CHILD 1968
#define IDC_TOOLBAR 102
#define IDC_STATUSBAR 1961

/* Tool bar bitmap 102: 20 images of 16 x 16, index of each image */
#define IDB_TOOLBAR 102
#define TOOLBAR_IMAGE_COUNT 20
#define TOOLBAR_IMAGE_SIZE 16
#define TBIMG_SMS 0
#define TBIMG_PHONEBOOK 1
#define TBIMG_SCHEDULER 2
#define TBIMG_MEMO 3
#define TBIMG_MELODY 4
#define TBIMG_PICTURE 5
#define TBIMG_ANIMATION 6
#define TBIMG_PHOTOS 7
#define TBIMG_MOVIES 8
#define TBIMG_WRITE_PHONE 9
#define TBIMG_RECEIVE_PHONE 10
#define TBIMG_GET_SELECTED 11
#define TBIMG_GET_ALL 12
#define TBIMG_FONT 13
#define TBIMG_INSERT 14
#define TBIMG_EDIT 15
#define TBIMG_DELETE 16
#define TBIMG_EXPORT 17
#define TBIMG_ABOUT 18
#define TBIMG_IMPORT 19

/* Tool tips: the string table keys each tool tip by its command id (IDM_ above) */

/* Bitmaps */
#define IDB_FRAME_TILE 110   /* MDI client background tile */
#define IDB_TABLE_TILE 112   /* table window background tile */
#define IDB_SPLASH 115       /* picture of the splash dialog */
#define IDB_LOGO 123         /* 160 x 160 logo in the lower right corner of the MDI client */
#define IDB_ABOUT 128        /* picture of the about dialog */
#define LOGO_SIZE 160

/* Icons and cursor */
#define IDI_APP 104          /* frame window class */
#define IDI_DATETIME 106     /* big icon of the date and time dialog */
#define IDI_TABLE 107        /* table window class */
#define IDC_LOADING 106      /* shown while a table is being loaded */

/* AVI clip played by the progress dialog */
#define IDR_PROGRESS_AVI 126

/* The database schema in code page 1251, from which a user's first database
   is made (raw data) */
#define IDR_SCHEMA 127

/* Private window messages */
#define VM_PROGRESS_POS (0x0400 + 1)    /* splash and progress dialogs: wParam = position */
#define VM_PROGRESS_ITEM (0x0400 + 2)   /* progress dialog: lParam = the current item's row */
#define VM_EXCHANGE_DONE (0x0400 + 3)   /* frame: the exchange worker has finished */

/* About dialog */
#define IDD_ABOUT 101

/* Port dialog */
#define IDD_PORT 103
#define IDC_PORT_LIST 1002
#define IDC_FAST_EXCHANGE 1004  /* check box: fast exchange with the phone */

/* Splash dialog */
#define IDD_SPLASH 113
#define IDC_SPLASH_PROGRESS 1049

/* Progress dialog of phone exchanges */
#define IDD_PROGRESS 120
#define IDC_PROGRESS_BAR 1040
#define IDC_PROGRESS_TEXT 1041
#define IDC_PROGRESS_ANIMATION 1047
#define IDC_PROGRESS_STOP 1042

/* Melody and picture open-file dialog: extra panel */
#define IDD_MEDIA_OPEN 123
#define IDC_MEDIA_CHOICE 1043
#define IDC_MEDIA_LABEL 1044

/* Animation open-file dialog: extra panel */
#define IDD_ANIMATION_OPEN 129
#define IDC_ANIMATION_FRAMES 1051
#define IDC_ANIMATION_WIDTH 1052
#define IDC_ANIMATION_HEIGHT 1053

/* SMS panel */
#define IDD_SMS 128
#define IDC_SMS_OWN_NUMBER 1033
#define IDC_SMS_RECIPIENT 1034
#define IDC_SMS_TEXT 1035
#define IDC_SMS_SEND 1037
#define IDC_SMS_SAVE 1038
#define IDC_SMS_CHARS_LEFT 1045
#define SMS_TEXT_LIMIT 80
#define SMS_NUMBER_LIMIT 20

/* Search dialog */
#define IDD_SEARCH 124
#define IDC_SEARCH_TEXT 1016
#define IDC_SEARCH_NEXT 1017

/* Date and time dialog */
#define IDD_DATETIME 1655
#define IDC_DATETIME_DAY 1653
#define IDC_DATETIME_HOUR 1046
#define IDC_DATETIME_MINUTE 1047
#define IDC_DATETIME_CALENDAR 2017
#define IDC_DATETIME_YEAR 2019
#define IDC_DATETIME_YEAR_SPIN 2020
#define IDC_DATETIME_MONTH 2021

/* In-place cell editors of the grid window */
#define IDC_EDITOR_TEXT 55
#define IDC_EDITOR_CHECK 56
#define IDC_EDITOR_LIST 57
#define IDC_EDITOR_DATE 58

#endif
