/* Registers of the simulated QE128's peripherals and a console port writer for the test
   programs; each program ends in done() and its results are checked by peripherals.py. */
#include <stdint.h>

#define REG(a) (*(volatile uint8_t *)(a))
#define PTAD REG(0x00)
#define PTADD REG(0x01)
#define PTBD REG(0x02)
#define PTBDD REG(0x03)
#define KBI1SC REG(0x0C)
#define KBI1PE REG(0x0D)
#define KBI1ES REG(0x0E)
#define IRQSC REG(0x0F)
#define SCI1C2 REG(0x23)
#define SCI1S1 REG(0x24)
#define SCI1D REG(0x27)
#define TPM1SC REG(0x40)
#define TPM1MODH REG(0x43)
#define TPM1MODL REG(0x44)
#define TPM1C0SC REG(0x45)
#define TPM1C0VH REG(0x46)
#define TPM1C0VL REG(0x47)
#define RTCSC REG(0x6C)
#define RTCCNT REG(0x6D)
#define RTCMOD REG(0x6E)
#define SRS REG(0x1800)
#define SOPT1 REG(0x1802)

static void putc_(char c) { SCI1D = (uint8_t)c; }
static void puts_(const char *s) { while (*s) putc_(*s++); }
static void putu(uint16_t v) {
  char buf[6];
  uint8_t n = 0;
  do { buf[n++] = (char)('0' + v % 10); v /= 10; } while (v);
  while (n) putc_(buf[--n]);
}
static void watchdog_off(void) { SOPT1 = 0x02; }
#define enable_interrupts() __asm__("cli")
#define wait_for_interrupt() __asm__("wait")
/* Called where the time a test measures ends (before the printing). */
void measured(void) {}
