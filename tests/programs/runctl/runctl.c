/* The run-control test program: calls of every kind the debugger has to follow (through a
   pointer, with arguments in registers, in static cells and on the stack, recursion, a software
   interrupt whose handler calls a function), each computing values that a test can work out
   from this text. main runs them once, in this order, then counts rounds forever. */
#include "runctl.h"

#define SOPT1 (*(volatile unsigned char *)0x1802)

int table[4] = {3, -7, 12, 40};
char_op current_op;
char scaled;
int weighed;
long total;
volatile unsigned char swi_count;
char clamped;
volatile unsigned int rounds;

/* The argument stays in A: no code comes before the first line of the body. */
char triple(char c)
{
  return (char)(c * 3);
}

/* Not reentrant: weight arrives in a static cell, calls keeps its value between calls. */
int weigh(int value, char weight)
{
  static unsigned char calls;
  int result;
  calls++;
  result = value * weight;
  return result + calls;
}

/* Saturates to the range of a char. */
char clamp(int v)
{
  if (v > 127)
    return 127;
  if (v < -128)
    return -128;
  return (char)v;
}

/* The software interrupt: counts itself and clamps a product. */
void on_swi(void) __interrupt(1)
{
  swi_count++;
  clamped = clamp(swi_count * 200);
}

void main(void)
{
  SOPT1 = 0x02; /* watchdog off */
  current_op = triple;
  scaled = current_op(7);
  weighed = weigh(-25, 4);
  total = sum_down(4);
  total += combine(5, 300, 100000, &table[2]);
  __asm__("swi");
  for (;;)
    rounds++;
}
