/* Software interrupts: an SWI handler counts calls and sees the registers it interrupted. */
#include <stdint.h>

volatile uint8_t swi_count;
volatile uint8_t seen[8];
volatile uint16_t work;

void swi_handler(void) __interrupt(1) {
  seen[swi_count & 7] = (uint8_t)(work & 0xFF);
  ++swi_count;
  work = work * 3 + 1;
}

void done(void) { for (;;) ; }

void main(void) {
  uint8_t i;
  work = 7;
  for (i = 0; i < 6; ++i) {
    work += i;
    __asm__("swi");
  }
  __asm__("sei");
  __asm__("swi");
  done();
}
