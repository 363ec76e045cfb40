/* CPU-bound work for the simulator benchmark: a sieve, CRC-32 and 32-bit mixing. */
#include <stdint.h>

#define SIEVE 2000
uint8_t composite[SIEVE];
volatile uint16_t primes;
volatile uint32_t crc_out, mix_out;

void done(void) { for (;;) ; }

#ifdef TIMERS
/* Built with -DTIMERS: the same work with a 1 ms timer tick (TPM1 overflow) and a 1 ms RTC
   interrupt running on the GENERIC chip (its timer block at 0x1800). */
#define REG(a) (*(volatile uint8_t *)(a))
volatile uint16_t tpm_ticks, rtc_ticks;
void tpm1_overflow(void) __interrupt(7) {
  REG(0x1840) &= 0x7F;
  ++tpm_ticks;
}
void rtc_tick(void) __interrupt(24) {
  REG(0x186C) |= 0x80;
  ++rtc_ticks;
}
static void start_timers(void) {
  REG(0x1843) = 0x1F; /* TPM1 modulo 7999: 8000 bus cycles at 8 MHz */
  REG(0x1844) = 0x3F;
  REG(0x1840) = 0x48; /* overflow interrupt, bus clock, divide by 1 */
  REG(0x186C) = 0x18; /* RTC interrupt, 1 kHz clock, a tick a millisecond */
  __asm__("cli");
}
#else
static void start_timers(void) {}
#endif

static uint32_t crc32(uint32_t crc, uint8_t b) {
  uint8_t k;
  crc ^= b;
  for (k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320UL & (0UL - (crc & 1)));
  return crc;
}

void main(void) {
  uint16_t i, j, round;
  uint32_t crc = 0xFFFFFFFFUL, mix = 1;
  start_timers();
  for (round = 0; round < 16; ++round) {
    for (i = 0; i < SIEVE; ++i) composite[i] = 0;
    primes = 0;
    for (i = 2; i < SIEVE; ++i) {
      if (composite[i]) continue;
      ++primes;
      for (j = i + i; j < SIEVE; j += i) composite[j] = 1;
    }
    for (i = 0; i < 1500; ++i) crc = crc32(crc, (uint8_t)(i ^ round));
    for (i = 0; i < 1500; ++i) mix = mix * 2654435761UL + (mix >> 13) + i;
  }
  crc_out = ~crc;
  mix_out = mix;
  done();
}
