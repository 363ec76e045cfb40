/* Recursion with stack-held locals: Fibonacci, Ackermann and a recursive sum of an array. */
#include <stdint.h>

uint16_t fib_result;
uint16_t ack_result;
int32_t sum_result;
uint8_t depth_max;
int16_t values[10] = {5, -3, 700, 12, -8000, 41, 3, 3, 9, -1};

static uint8_t depth;

uint16_t fib(uint8_t n) __reentrant {
  uint16_t r;
  if (++depth > depth_max) depth_max = depth;
  r = n < 2 ? n : fib(n - 1) + fib(n - 2);
  --depth;
  return r;
}

uint16_t ack(uint16_t m, uint16_t n) __reentrant {
  if (m == 0) return n + 1;
  if (n == 0) return ack(m - 1, 1);
  return ack(m - 1, ack(m, n - 1));
}

int32_t sum(int16_t* p, uint8_t n) __reentrant {
  int32_t rest;
  if (n == 0) return 0;
  rest = sum(p + 1, n - 1);
  return rest + *p;
}

void done(void) { for (;;) ; }

void main(void) {
  fib_result = fib(12);
  ack_result = ack(2, 3);
  sum_result = sum(values, 10);
  done();
}
