/* CPU-bound work for the simulator benchmark: a sieve, CRC-32 and 32-bit mixing. */
#include <stdint.h>

#define SIEVE 2000
uint8_t composite[SIEVE];
volatile uint16_t primes;
volatile uint32_t crc_out, mix_out;

void done(void) { for (;;) ; }

static uint32_t crc32(uint32_t crc, uint8_t b) {
  uint8_t k;
  crc ^= b;
  for (k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320UL & (0UL - (crc & 1)));
  return crc;
}

void main(void) {
  uint16_t i, j, round;
  uint32_t crc = 0xFFFFFFFFUL, mix = 1;
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
