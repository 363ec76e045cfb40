/* 8, 16 and 32-bit arithmetic, with the compiler's multiply, divide and shift helpers. */
#include <stdint.h>

volatile uint8_t u8[8];
volatile int16_t s16[8];
volatile uint32_t u32[6];
volatile int32_t s32[4];

void done(void) { for (;;) ; }

void main(void) {
  uint8_t a = 200, b = 77;
  int16_t x = -1234, y = 57;
  uint32_t p = 0x12345678UL, q = 0x9ABCUL;
  int32_t m = -100000L, n = 333L;
  uint8_t i;

  u8[0] = a + b;
  u8[1] = a - b;
  u8[2] = a * b;
  u8[3] = a / b;
  u8[4] = a % b;
  u8[5] = (uint8_t)(a << 3) | (b >> 2);
  u8[6] = ~a ^ b;
  s16[0] = x + y;
  s16[1] = x - y;
  s16[2] = x * y;
  s16[3] = x / y;
  s16[4] = x % y;
  s16[5] = x >> 3;
  s16[6] = (x < y) ? 1 : 2;
  u32[0] = p + q;
  u32[1] = p * q;
  u32[2] = p / q;
  u32[3] = p % q;
  u32[4] = p >> 7;
  s32[0] = m * n;
  s32[1] = m / n;
  s32[2] = m % n;
  for (i = 0; i < 10; ++i) {
    p = p * 1103515245UL + 12345UL;
    x += (int16_t)(p >> 16);
  }
  u32[5] = p;
  s16[7] = x;
  done();
}
