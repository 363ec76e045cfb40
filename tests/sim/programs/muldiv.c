/* Multiply, divide and modulo of signed and unsigned char, int and long, with negative and
   zero operands; the expected values follow C's rules (quotients truncate toward zero, the
   remainder takes the dividend's sign, results converted back to the operand type). */
#include "check.h"

static const struct { signed char a, b, product, quotient, remainder; } schar_cases[] = {
    {-100, -4, -112, 25, 0},
    {101, -4, 108, -25, 1},
    {3, 6, 18, 0, 3},
    {-35, 106, -126, 0, -35},
    {-3, 127, -125, 0, -3},
    {-8, 2, -16, -4, 0},
    {7, -16, -112, 0, 7},
    {49, 11, 27, 4, 5},
    {27, 16, -80, 1, 11},
    {-54, 4, 40, -13, -2},
    {127, -77, -51, -1, 50},
    {-2, 45, -90, 0, -2},
    {112, -1, -112, -112, 0},
    {-1, 3, -3, 0, -1},
    {-125, -60, 76, 2, -5},
    {-84, 4, -80, -21, 0},
};
static const struct { unsigned char a, b, product, quotient, remainder; } uchar_cases[] = {
    {200, 7, 120, 28, 4},
    {100, 5, 244, 20, 0},
    {255, 5, 251, 51, 0},
    {154, 222, 140, 0, 154},
    {9, 2, 18, 4, 1},
    {218, 128, 0, 1, 90},
    {51, 7, 101, 7, 2},
    {241, 2, 226, 120, 1},
    {152, 47, 232, 3, 11},
    {91, 77, 95, 1, 14},
    {1, 4, 4, 0, 1},
    {10, 4, 40, 2, 2},
    {87, 255, 169, 0, 87},
    {5, 255, 251, 0, 5},
};
static const struct { int a, b, product, quotient, remainder; } sint_cases[] = {
    {-2, -4, 8, 0, -2},
    {-3, 1, -3, -3, 0},
    {1330, 28310, -30900, 0, 1330},
    {-3, (-32767 - 1), (-32767 - 1), 0, -3},
    {-11489, 8, -26376, -1436, -1},
    {31600, 17089, -4240, 1, 14511},
    {26931, -7813, 24193, -3, 3492},
    {1, 10, 10, 0, 1},
    {0, 2, 0, 0, 0},
    {8391, 5, -23581, 1678, 1},
    {32767, -5, -32763, -6553, 2},
    {-998, 2, -1996, -499, 0},
    {26776, -9, 21160, -2975, 1},
    {-1829, 1, -1829, -1829, 0},
};
static const struct { unsigned int a, b, product, quotient, remainder; } uint_cases[] = {
    {3833u, 32654u, 54558u, 0u, 3833u},
    {63792u, 24738u, 45152u, 2u, 14316u},
    {7u, 5u, 35u, 1u, 2u},
    {34380u, 1u, 34380u, 34380u, 0u},
    {18960u, 1u, 18960u, 18960u, 0u},
    {45763u, 1u, 45763u, 45763u, 0u},
    {7u, 3u, 21u, 2u, 1u},
    {10u, 2u, 20u, 5u, 0u},
    {32768u, 10u, 0u, 3276u, 8u},
    {43530u, 37278u, 39980u, 1u, 6252u},
    {65534u, 65535u, 2u, 0u, 65534u},
    {15282u, 2u, 30564u, 7641u, 0u},
};
static const struct { long a, b, product, quotient, remainder; } slong_cases[] = {
    {-41412088L, -2L, 82824176L, 20706044L, 0L},
    {-1036465333L, 1462441321L, -191788861L, 0L, -1036465333L},
    {0L, -457757297L, 0L, 0L, 0L},
    {3L, 10L, 30L, 0L, 3L},
    {-1850323398L, 1719391449L, 774788906L, -1L, -130931949L},
    {751532562L, 197852361L, -1876914142L, 3L, 157975479L},
    {10L, 9L, 90L, 1L, 1L},
    {-1026692703L, 7L, 1403085671L, -146670386L, -1L},
    {7L, -8L, -56L, 0L, 7L},
    {-3L, -1106864303L, -974374387L, 0L, -3L},
    {-1805497147L, 4L, 1367946004L, -451374286L, -3L},
    {-1846267196L, -782798752L, -698037888L, 2L, -280669692L},
    {-10L, 1681201103L, 367858154L, 0L, -10L},
    {332936541L, 8L, -1631474968L, 41617067L, 5L},
};
static const struct { unsigned long a, b, product, quotient, remainder; } ulong_cases[] = {
    {4294967295UL, 2UL, 4294967294UL, 2147483647UL, 1UL},
    {3872337710UL, 877636138UL, 1518619020UL, 4UL, 361793158UL},
    {4294967294UL, 1990907412UL, 313152472UL, 2UL, 313152470UL},
    {7UL, 7UL, 49UL, 1UL, 0UL},
    {10UL, 479007689UL, 495109594UL, 0UL, 10UL},
    {1UL, 7UL, 7UL, 0UL, 1UL},
    {2319782717UL, 9UL, 3698175269UL, 257753635UL, 2UL},
    {4294967294UL, 1635355690UL, 1024255916UL, 2UL, 1024255914UL},
    {2848712537UL, 2UL, 1402457778UL, 1424356268UL, 1UL},
    {0UL, 2UL, 0UL, 0UL, 0UL},
    {2031035468UL, 5UL, 1565242748UL, 406207093UL, 3UL},
    {933312436UL, 10UL, 743189768UL, 93331243UL, 6UL},
};

#define COUNT(t) (sizeof(t) / sizeof(t[0]))

/* One loop per type: the operands come from the table at run time. */
#define CHECK_TABLE(t, type)                                           \
  for (i = 0; i < COUNT(t); ++i) {                                     \
    volatile type a = t[i].a, b = t[i].b;                              \
    CHECK((type)(a * b) == t[i].product);                              \
    CHECK((type)(a / b) == t[i].quotient);                             \
    CHECK((type)(a % b) == t[i].remainder);                            \
  }

void main(void) {
  unsigned char i;
  CHECK_TABLE(schar_cases, signed char)
  CHECK_TABLE(uchar_cases, unsigned char)
  CHECK_TABLE(sint_cases, int)
  CHECK_TABLE(uint_cases, unsigned int)
  CHECK_TABLE(slong_cases, long)
  CHECK_TABLE(ulong_cases, unsigned long)
  report("muldiv");
}
