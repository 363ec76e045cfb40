/* Reentrant functions: their arguments after the first, and their locals, live on the stack. */
#include "runctl.h"

/* n * 1024 + (n - 1) * 1024 + ... + 1024: one frame for each step, each holding its part. */
long sum_down(int n) __reentrant
{
  /* volatile: kept in its own stack slot, where the debug information says it is (SDCC would
     otherwise compute it in a spill location and leave its declared slot unwritten). */
  volatile long here;
  if (n == 0)
    return 0;
  here = (long)n << 10;
  return here + sum_down(n - 1);
}

/* Arguments of every size: c in A, the others on the stack. */
long combine(char c, int i, long l, int *p) __reentrant
{
  long acc = l + i;
  acc = (acc << 1) + c;
  return acc - *p;
}
