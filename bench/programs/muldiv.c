/* Multiply and divide heavy work for the simulator benchmark: 8, 16 and 32-bit products,
   quotients and remainders, signed and unsigned, through the CPU's MUL and DIV and the
   compiler's helpers. */
#include <stdint.h>

volatile uint8_t q8_out;
volatile uint16_t q16_out;
volatile uint32_t q32_out;
volatile int32_t s32_out;

void done(void) { for (;;) ; }

void main(void) {
  uint16_t i, round;
  uint8_t q8 = 0;
  uint16_t q16 = 1;
  uint32_t q32 = 7;
  int32_t s32 = -5;
  for (round = 0; round < 4; ++round) {
    for (i = 1; i < 1000; ++i) {
      const uint8_t b = (uint8_t)(i | 1);
      q8 += (uint8_t)(i * 3) / b + (uint8_t)i % b;
      q16 += (uint16_t)(i * 97u) / (uint16_t)(round + 3) + (q16 % (i | 1));
      q32 = q32 * 2654435761UL / (i + 13u) + (q32 % 1000003UL);
      s32 = (s32 * -7L) / ((int16_t)i - 500 | 1) + (int16_t)i * -3;
    }
  }
  q8_out = q8;
  q16_out = q16;
  q32_out = q32;
  s32_out = s32;
  done();
}
