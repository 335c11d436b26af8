// resource.h: the identifiers that dialog.rc and the program share.
#define IDD_ABOUT 100
#define IDC_USER  1001
