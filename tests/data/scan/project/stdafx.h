#define AFX_VALUE 3
