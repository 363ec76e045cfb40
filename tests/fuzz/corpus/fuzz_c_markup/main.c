/* The demo's main loop: fills a table, walks the shapes, computes and reports. */
#include "demo.h"

#define SOPT1 (*(volatile unsigned char *)0x1802)

int count; /* loop iterations: console.c has a static of the same name */
unsigned char table[TABLE_SIZE];
unsigned long fact_result;
float mean;

static void fill_table(unsigned char seed)
{
  unsigned char i;
  for (i = 0; i < TABLE_SIZE; i++)
    table[i] = (unsigned char)(seed + i * 3);
}

void main(void)
{
  int perimeter;
  SOPT1 = 0x02; /* watchdog off */
  console_init();
  shapes_init();
  console_puts("demo " );
  console_putu(DEMO_VERSION);
  console_putc('\n');
  for (;;) {
    fill_table((unsigned char)count);
    perimeter = shapes_walk();
    fact_result = factorial(5);
    mean = average(table, TABLE_SIZE);
    console_putu((unsigned int)perimeter);
    console_putc(' ');
    console_putu((unsigned int)fact_result);
    console_putc('\n');
    count++;
  }
}
