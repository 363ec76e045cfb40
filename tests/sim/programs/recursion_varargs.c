/* Recursion through __reentrant functions (locals and arguments on the stack) and functions
   taking a variable argument list of char, int and long values. */
#include <stdarg.h>

#include "check.h"

static unsigned long factorial(unsigned char n) __reentrant {
  return n <= 1 ? 1UL : n * factorial(n - 1);
}

static int fib(int n) __reentrant {
  return n < 2 ? n : fib(n - 1) + fib(n - 2);
}

/* Ackermann's function: deep, uneven recursion with two live arguments. */
static unsigned int ackermann(unsigned int m, unsigned int n) __reentrant {
  if (m == 0) return n + 1;
  if (n == 0) return ackermann(m - 1, 1);
  return ackermann(m - 1, ackermann(m, n - 1));
}

/* Sums `count` ints, then subtracts the long that follows them. */
static long sum_ints(unsigned char count, ...) {
  va_list ap;
  long total = 0;
  va_start(ap, count);
  while (count--) total += va_arg(ap, int);
  total -= va_arg(ap, long);
  va_end(ap);
  return total;
}

/* Formats like a tiny printf: 'c' char (passed as int), 'd' int, 'l' long. */
static long weigh(const char *format, ...) {
  va_list ap;
  long total = 0;
  va_start(ap, format);
  for (; *format; ++format) {
    if (*format == 'c') total += (char)va_arg(ap, int);
    else if (*format == 'd') total += 10L * va_arg(ap, int);
    else if (*format == 'l') total += 100L * va_arg(ap, long);
  }
  va_end(ap);
  return total;
}

void main(void) {
  CHECK(factorial(1) == 1UL);
  CHECK(factorial(10) == 3628800UL);
  CHECK(factorial(12) == 479001600UL);
  CHECK(fib(15) == 610);
  CHECK(ackermann(2, 3) == 9);
  CHECK(ackermann(3, 2) == 29);
  CHECK(sum_ints(0, 5L) == -5L);
  CHECK(sum_ints(3, -1, 300, -32767 - 1, 70000L) == -1L + 300 - 32768 - 70000L);  /* -32768 alone is a long */
  CHECK(weigh("cdl", 'A', -3, -123456L) == 65L - 30L - 12345600L);
  CHECK(weigh("dd", 32767, 32767) == 655340L);
  report("recursion_varargs");
}
