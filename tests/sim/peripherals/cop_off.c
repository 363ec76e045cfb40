/* The COP watchdog off, as the program's first write to SOPT1 asks: a long loop without
   servicing it ends normally, and SOPT1 takes no second write. */
#include "board.h"

void done(void) { for (;;) ; }

void main(void) {
  uint16_t i, j;
  watchdog_off();
  SOPT1 = 0xC2; /* ignored: the register is written once */
  for (j = 0; j < 40; ++j)
    for (i = 0; i < 30000; ++i) ;
  puts_("no reset ");
  putu(SOPT1);
  putc_('\n');
  done();
}
