/* Calls each kind of parameter passing: registers, static data and the stack. */
#include "params.h"
#include "twice.h"

pair_t last_pair;
_Bool ready;
signed char offset = -3;
volatile int result;

void main(void)
{
  last_pair.first = 0x1234;
  last_pair.second = 7;
  ready = 1;
  result = sum3(1, 2, 3);
  result = (int)scale(1000, 3, offset);
  result = low_byte(&last_pair, 0xf0);
  result = pick(1, 'x', 'y');
  result = twice(result);
  for (;;)
    ;
}
