/* The COP watchdog, left on as after reset: the program services it for a while, then stops
   servicing and the watchdog resets the chip; after that reset the status shows the cause. */
#include "board.h"

void done(void) { for (;;) ; }

void main(void) {
  uint16_t i, j;
  uint8_t cause = SRS;
  if (cause & 0x20) {
    puts_("cop reset\n");
    done();
  }
  puts_("power on ");
  putu(cause);
  putc_('\n');
  for (j = 0; j < 8; ++j) /* serviced for longer than a timeout: no reset */
    for (i = 0; i < 60000; ++i) SRS = 0x55;
  puts_("serviced\n");
  for (;;) ; /* not serviced any more */
}
