/* Shifts of every width and signedness by run-time counts, and bit-fields packed in a byte
   and across bytes; the expected values follow C's rules on this target (int 16 bits,
   long 32, right shifts of negative values arithmetic as SDCC does them). */
#include "check.h"

struct packed {
  unsigned int low : 3;
  unsigned int mid : 5;
  unsigned int wide : 7;
  unsigned int flag : 1;
};

struct mixed {
  unsigned char tag;
  signed int small : 4;
  unsigned int rest : 12;
};

volatile unsigned char count;
volatile struct packed p;
volatile struct mixed m;

void main(void) {
  volatile unsigned char uc = 0x96;
  volatile signed char sc = -100;
  volatile unsigned int ui = 0xB00F;
  volatile int si = -20000;
  volatile unsigned long ul = 0x80000001UL;
  volatile long sl = -1000000L;

  count = 3;
  CHECK((unsigned char)(uc << count) == 0xB0);
  CHECK((uc >> count) == 0x12);
  CHECK((signed char)(sc >> count) == -13);
  CHECK((unsigned int)(ui << count) == 0x8078);
  CHECK((ui >> count) == 0x1601);
  CHECK((si >> count) == -2500);
  CHECK((ul << count) == 0x00000008UL);
  CHECK((ul >> count) == 0x10000000UL);
  CHECK((sl >> count) == -125000L);
  count = 15;
  CHECK((ui >> count) == 1);
  CHECK((si >> count) == -1);
  CHECK((unsigned int)(ui << count) == 0x8000);
  count = 31;
  CHECK((ul >> count) == 1);
  CHECK((sl >> count) == -1L);
  CHECK((ul << count) == 0x80000000UL);
  count = 17;
  CHECK((ul >> count) == 0x4000UL);
  CHECK(((unsigned long)sl << count) == 0x7B800000UL);
  count = 0;
  CHECK((uc << count) == 0x96);
  CHECK((sl >> count) == -1000000L);

  p.low = 5;
  p.mid = 19;
  p.wide = 100;
  p.flag = 1;
  CHECK(p.low == 5 && p.mid == 19 && p.wide == 100 && p.flag == 1);
  count = 9;
  p.low = count;  /* keeps the low 3 bits */
  CHECK(p.low == 1 && p.mid == 19);
  p.mid += 20;  /* 39 wraps to 7 in 5 bits */
  CHECK(p.mid == 7 && p.low == 1 && p.wide == 100);
  p.wide = p.wide * 2;  /* 200 wraps to 72 in 7 bits */
  CHECK(p.wide == 72 && p.flag == 1 && p.mid == 7);

  m.tag = 0xAA;
  m.small = -3;
  m.rest = 4000;
  CHECK(m.small == -3 && m.rest == 4000 && m.tag == 0xAA);
  count = 7;
  m.small = count;
  m.small += 1;  /* 8 does not fit a signed 4-bit field: it wraps to -8 */
  CHECK(m.small == -8 && m.rest == 4000);
  report("shifts_bitfields");
}
