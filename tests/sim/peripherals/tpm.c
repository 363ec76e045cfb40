/* TPM1: overflow every MOD+1 = 1000 bus cycles (prescaler 1) and a channel 0 compare at 500,
   both by interrupt; stops after 10 overflows. */
#include "board.h"

volatile uint8_t overflows, compares;

void tpm1_overflow(void) __interrupt(7) {
  TPM1SC &= 0x7F; /* read TOF set, write it 0 */
  ++overflows;
}

void tpm1_channel0(void) __interrupt(4) {
  TPM1C0SC &= 0x7F;
  ++compares;
}

void done(void) { for (;;) ; }

void main(void) {
  watchdog_off();
  TPM1MODH = 0x03; /* 999 */
  TPM1MODL = 0xE7;
  TPM1C0VH = 0x01; /* 500 */
  TPM1C0VL = 0xF4;
  TPM1C0SC = 0x50; /* CH0IE, output compare */
  TPM1SC = 0x48;   /* TOIE, bus clock, divide by 1 */
  enable_interrupts();
  while (overflows < 10) wait_for_interrupt();
  measured();
  TPM1SC = 0;
  puts_("overflows ");
  putu(overflows);
  puts_(" compares ");
  putu(compares);
  putc_('\n');
  done();
}
