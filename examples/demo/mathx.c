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
