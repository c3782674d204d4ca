// Resource identifiers, shared by the C++ code and by sorowa.rc. Plain #defines only, so
// that windres's preprocessor reads this file as well as the compiler does.
#ifndef SOROWA_RES_RESOURCE_H
#define SOROWA_RES_RESOURCE_H

// Templates and the program's icon.
#define IDD_ABOUTBOX  101
#define IDD_MAIN      102
#define IDR_MAINFRAME 128

// Main window (IDD_MAIN). Start and Exit are IDOK and IDCANCEL.
#define IDC_PATH1   1000  // first path field, accepts drops
#define IDC_PATH2   1001  // second path field, accepts drops
#define IDC_BROWSE1 1003  // browse button of the first path field
#define IDC_BROWSE2 1004  // browse button of the second path field
#define IDC_RESULT  1006  // multi-line result box
#define IDC_STOP    1007  // Stop button, disabled while idle
#define IDC_ABOUT   1008  // opens the About box

// About box (IDD_ABOUTBOX). Its OK button is IDOK.
#define IDC_VERSION   1011  // product name and version, filled at run time
#define IDC_COPYRIGHT 1012  // copyright line, filled at run time
#define IDC_URL       1013  // web page link
#define IDC_MAIL      1014  // mail address link

#endif  // SOROWA_RES_RESOURCE_H
