/* Computations: a recursive function and a floating-point average. */
#include "demo.h"

unsigned long factorial(unsigned char n) __reentrant
{
  if (n <= 1)
    return 1;
  return n * factorial(n - 1);
}

float average(const unsigned char *values, unsigned char n)
{
  float sum = 0.0f;
  unsigned char i;
  for (i = 0; i < n; i++)
    sum += values[i];
  return n ? sum / n : 0.0f;
}

/* Flags of the last computation, packed in bit-fields. */
struct calc_flags {
  unsigned int overflow : 1;
  unsigned int digits : 4;
  unsigned int mode : 3;
  unsigned int spare : 8;
};
struct calc_flags calc_status;
