/* The SCI's receive interrupt takes three bytes, then its transmit interrupt sends a line with
   them, one byte an interrupt, and turns itself off at the end. */
#include "board.h"

volatile uint8_t received[3], nreceived;
static const char *volatile sending;
static char line[16];
volatile uint8_t sent_all;

void sci1_receive(void) __interrupt(15) {
  (void)SCI1S1;
  received[nreceived] = SCI1D;
  if (++nreceived == 3) SCI1C2 &= (uint8_t)~0x20; /* RIE off */
}

void sci1_transmit(void) __interrupt(16) {
  (void)SCI1S1;
  if (*sending) {
    SCI1D = (uint8_t)*sending++;
  } else {
    SCI1C2 &= (uint8_t)~0x80; /* TIE off */
    sent_all = 1;
  }
}

void done(void) { for (;;) ; }

void main(void) {
  uint8_t i;
  watchdog_off();
  SCI1C2 = 0x2C; /* RIE, TE, RE */
  enable_interrupts();
  while (nreceived < 3) wait_for_interrupt();
  line[0] = 'g'; line[1] = 'o'; line[2] = 't'; line[3] = ' ';
  for (i = 0; i < 3; ++i) line[4 + i] = (char)received[i];
  line[7] = '\n';
  line[8] = 0;
  sending = line;
  SCI1C2 |= 0x80; /* TIE */
  while (!sent_all) wait_for_interrupt();
  done();
}
