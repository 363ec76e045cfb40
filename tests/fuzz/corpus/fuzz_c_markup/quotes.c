typedef int (*h)(int);
#define A "x\"/*"
char q = '"';
