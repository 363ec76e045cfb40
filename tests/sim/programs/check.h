/* Self-checking test programs: each check counts, a failed one records its line, and the
   program ends by printing "NAME: pass" or "NAME: fail at line N" through the console port
   (the SCI data register at 0x27 of the simulated chip; the transmitter is always ready). */
#ifndef CHECK_H
#define CHECK_H

volatile unsigned int checks, failures, failed_line;
__at(0x27) volatile unsigned char console_data;

#define CHECK(cond)                 \
  do {                              \
    ++checks;                       \
    if (!(cond)) {                  \
      ++failures;                   \
      failed_line = __LINE__;       \
    }                               \
  } while (0)

static void print(const char *s) {
  while (*s) console_data = *s++;
}

static void print_number(unsigned int n) {
  char digits[6];
  unsigned char k = 0;
  do {
    digits[k++] = (char)('0' + n % 10);
    n /= 10;
  } while (n);
  while (k) console_data = digits[--k];
}

void done(void) { for (;;) ; }

static void report(const char *name) {
  print(name);
  if (failures) {
    print(": fail at line ");
    print_number(failed_line);
    print("\n");
  } else {
    print(": pass\n");
  }
  done();
}

#endif
