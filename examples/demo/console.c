/* Output through the QE128's first serial port: each byte written to its data register
   once the transmitter is empty. */
#include "demo.h"

#define SCI1BDH (*(volatile unsigned char *)0x0020)
#define SCI1BDL (*(volatile unsigned char *)0x0021)
#define SCI1C2 (*(volatile unsigned char *)0x0023)
#define SCI1S1 (*(volatile unsigned char *)0x0024)
#define SCI1D (*(volatile unsigned char *)0x0027)
#define TDRE 0x80

static unsigned int count; /* characters written so far: a static with a global's name */

void console_init(void)
{
  SCI1BDH = 0;
  SCI1BDL = 26;
  SCI1C2 = 0x08;
  count = 0;
}

void console_putc(char c)
{
  while ((SCI1S1 & TDRE) == 0)
    ;
  SCI1D = c;
  count++;
}

void console_puts(const char *text)
{
  while (*text)
    console_putc(*text++);
}

void console_putu(unsigned int value)
{
  char digits[6];
  unsigned char n = 0;
  do {
    digits[n++] = (char)('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0)
    console_putc(digits[--n]);
}
