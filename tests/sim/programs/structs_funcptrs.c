/* Struct copies (whole-struct assignment between globals, locals and array elements, and
   through pointers) and calls through function pointers held in variables, tables and
   structs. */
#include "check.h"

struct point {
  int x, y;
};
struct shape {
  unsigned char kind;
  struct point corner[3];
  long area;
  char name[5];
};

static void make(struct shape *s, unsigned char kind, int base) {
  unsigned char k;
  s->kind = kind;
  for (k = 0; k < 3; ++k) {
    s->corner[k].x = base + k;
    s->corner[k].y = -base - 10 * k;
  }
  s->area = (long)base * 1000L;
  s->name[0] = 's';
  s->name[1] = (char)('0' + kind);
  s->name[2] = 0;
}

static int sum_corners(const struct shape *s) {
  int total = 0;
  unsigned char k;
  for (k = 0; k < 3; ++k) total += s->corner[k].x + s->corner[k].y;
  return total;
}

static int add(int a, int b) __reentrant { return a + b; }
static int sub(int a, int b) __reentrant { return a - b; }
static int mul(int a, int b) __reentrant { return a * b; }

typedef int (*binary)(int, int) __reentrant;
static const binary operations[] = {add, sub, mul};
struct operation {
  char symbol;
  binary apply;
};
static struct operation chosen, other;

static int apply_twice(binary f, int a, int b) { return f(f(a, b), b); }

struct shape shapes[2];

void main(void) {
  volatile int a = -7, b = 12;
  unsigned char k;
  struct shape copy;
  struct shape *to = &shapes[1];

  make(&shapes[0], 1, 40);
  *to = shapes[0];
  to->kind = 2;
  CHECK(shapes[0].kind == 1 && shapes[1].kind == 2);
  CHECK(shapes[1].corner[2].x == 42 && shapes[1].corner[2].y == -60);
  CHECK(shapes[1].area == 40000L && shapes[1].name[1] == '1');
  copy = shapes[1];
  shapes[1].corner[0].x = 9999;  /* the copy stays */
  CHECK(sum_corners(&copy) == (40 + 41 + 42) - (40 + 50 + 60));
  CHECK(copy.corner[0].x == 40 && copy.kind == 2 && copy.name[0] == 's');
  shapes[0] = copy;
  CHECK(shapes[0].kind == 2 && shapes[0].area == 40000L);

  CHECK(operations[0](a, b) == 5);
  CHECK(operations[1](a, b) == -19);
  CHECK(operations[2](a, b) == -84);
  for (k = 0; k < 3; ++k) CHECK(apply_twice(operations[k], a, b) == (k == 0 ? 17 : k == 1 ? -31 : -1008));
  chosen.symbol = '-';
  chosen.apply = sub;
  other = chosen;
  CHECK(other.symbol == '-' && other.apply(b, a) == 19);
  report("structs_funcptrs");
}
