/* The real-time counter on the 1 kHz oscillator, prescaler 8 (a tick a millisecond), modulo 4:
   an interrupt every 5 ms; stops after 3 of them. */
#include "board.h"

volatile uint8_t ticks;

void rtc_tick(void) __interrupt(24) {
  RTCSC |= 0x80; /* RTIF: write 1 to clear */
  ++ticks;
}

void done(void) { for (;;) ; }

void main(void) {
  watchdog_off();
  RTCMOD = 4;
  RTCSC = 0x18; /* RTIE, 1 kHz clock, prescaler code 8 */
  enable_interrupts();
  while (ticks < 3) wait_for_interrupt();
  measured();
  RTCSC = 0;
  puts_("rtc ");
  putu(ticks);
  putc_('\n');
  done();
}
