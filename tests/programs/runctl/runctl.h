/* Shared declarations of the run-control test program. */
#ifndef RUNCTL_H
#define RUNCTL_H

typedef char (*char_op)(char);

long sum_down(int n) __reentrant;
long combine(char c, int i, long l, int *p) __reentrant;

#endif
