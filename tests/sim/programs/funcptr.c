/* Function pointers: a table of operations, callbacks and a small state machine. */
#include <stdint.h>

typedef int16_t (*binop)(int16_t, int16_t) __reentrant;

static int16_t add(int16_t a, int16_t b) __reentrant { return a + b; }
static int16_t sub(int16_t a, int16_t b) __reentrant { return a - b; }
static int16_t mul(int16_t a, int16_t b) __reentrant { return a * b; }
static int16_t divi(int16_t a, int16_t b) __reentrant { return b ? a / b : 0; }

const binop ops[4] = {add, sub, mul, divi};
int16_t results[12];
uint8_t state_trace[16];
uint8_t steps;

typedef uint8_t (*state_fn)(uint8_t);
static uint8_t s_idle(uint8_t in) { return in & 1 ? 1 : 0; }
static uint8_t s_run(uint8_t in) { return in > 5 ? 2 : 1; }
static uint8_t s_stop(uint8_t in) { return in == 9 ? 0 : 2; }
const state_fn states[3] = {s_idle, s_run, s_stop};

static void apply(binop f, int16_t* out, int16_t a, int16_t b) { *out = f(a, b); }

void done(void) { for (;;) ; }

void main(void) {
  uint8_t i, s = 0;
  for (i = 0; i < 12; ++i) apply(ops[i & 3], &results[i], (int16_t)(i * 100 - 300), (int16_t)(i + 3));
  for (i = 0; i < 16; ++i) {
    s = states[s]((uint8_t)(i * 7 % 11));
    state_trace[i] = s;
    ++steps;
  }
  done();
}
