/* Blinky: eight LEDs on port B show a pattern that the timer tick moves on, and a button on
   PTA2 switches to the next pattern. The timer overflows every 65,536 bus cycles: 64 ticks a
   second at the 4,194,304 Hz bus clock. Between ticks the CPU sleeps; each time it wakes, the
   main loop services the watchdog. */
#include "qe128.h"

#define TICKS_PER_STEP 8 /* the pattern moves eight times a second */
#define BUTTON 0x04      /* PTA2; pressed, it pulls the pin low */

enum pattern { CHASE, BLINK, DARK };

volatile unsigned int ticks;
volatile enum pattern pattern = CHASE;
volatile unsigned char leds = 0x01;
volatile unsigned char presses;

/* Timer 1 overflow: one tick. */
void tick(void) __interrupt(VECTOR_TPM1_OVERFLOW)
{
  TPM1SC &= ~TOF; /* TOF was read set: writing it 0 clears it */
  ticks++;
  if (ticks % TICKS_PER_STEP != 0)
    return;
  switch (pattern) {
  case CHASE: /* one LED walks along the row */
    leds = (unsigned char)(leds << 1 | leds >> 7);
    break;
  case BLINK: /* the two halves take turns */
    leds = (unsigned char)~leds;
    break;
  case DARK:
    break;
  }
}

/* Keyboard interrupt: the button went down. Each press starts the next pattern. */
void button(void) __interrupt(VECTOR_KEYBOARD)
{
  KBI1SC |= KBACK;
  presses++;
  switch (pattern) {
  case CHASE:
    pattern = BLINK;
    leds = 0x0F;
    break;
  case BLINK:
    pattern = DARK;
    leds = 0x00;
    break;
  case DARK:
    pattern = CHASE;
    leds = 0x01;
    break;
  }
}

void main(void)
{
  SOPT1 = COPT_SHORT | 0x02; /* short watchdog timeout; bit 1 keeps its reset value */
  PTBDD = 0xFF;
  PTBD = leds;
  KBI1ES = 0; /* falling edge */
  KBI1PE = BUTTON;
  KBI1SC = KBACK | KBIE;
  TPM1MODH = 0xFF; /* count 0 to 65,535 */
  TPM1MODL = 0xFF;
  TPM1SC = TOIE | CLKS_BUS;
  enable_interrupts();
  for (;;) {
    SRS = 0x55; /* service the watchdog */
    SRS = 0xAA;
    PTBD = leds;
    wait_for_interrupt();
  }
}
