/* The IRQ pin (falling edge) and the keyboard interrupt on PTA2 (falling edge), each counted by
   its handler; the ports' direction and data registers. peripherals.py pulls IRQ low and PTA2
   low at given cycles. */
#include "board.h"

volatile uint8_t irqs, keys;
volatile uint8_t order[2], norder;

void irq_pin(void) __interrupt(2) {
  IRQSC |= 0x04; /* IRQACK */
  ++irqs;
  order[norder++ & 1] = 'I';
}

void keyboard(void) __interrupt(18) {
  KBI1SC |= 0x04; /* KBACK */
  ++keys;
  order[norder++ & 1] = 'K';
}

void done(void) { for (;;) ; }

void main(void) {
  watchdog_off();
  PTBDD = 0xF0; /* high nibble out */
  PTBD = 0x5A;
  IRQSC = 0x12;  /* IRQPE, IRQIE, falling edge */
  KBI1ES = 0x00; /* falling edges */
  KBI1PE = 0x04; /* PTA2 */
  KBI1SC = 0x02; /* KBIE */
  enable_interrupts();
  while (irqs + keys < 2) wait_for_interrupt();
  measured();
  puts_("irq ");
  putu(irqs);
  puts_(" kbi ");
  putu(keys);
  puts_(" order ");
  putc_((char)order[0]);
  putc_((char)order[1]);
  puts_(" pta ");
  putu(PTAD);
  puts_(" ptb ");
  putu(PTBD);
  putc_('\n');
  done();
}
