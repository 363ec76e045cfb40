/* The called functions: static parameters by default, stack parameters when reentrant. */
#include "params.h"

int sum3(int a, int b, int c)
{
  return a + b + c;
}

long scale(long value, int factor, signed char shift) __reentrant
{
  long r = value * factor;
  if (shift < 0)
    r >>= -shift;
  return r;
}

byte_t low_byte(pair_t *p, byte_t mask)
{
  return (byte_t)(p->first & mask);
}

char pick(char which, char first, char second)
{
  return which ? first : second;
}
