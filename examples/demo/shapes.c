/* A small list of shapes: structs, arrays, enums and pointers. */
#include "demo.h"

#define SHAPE_COUNT 3

struct shape shapes[SHAPE_COUNT];
struct shape *first_shape;
static enum color last_color;
union word_bytes packed;

void shapes_init(void)
{
  unsigned char i;
  for (i = 0; i < SHAPE_COUNT; i++) {
    shapes[i].color = (enum color)(i == 0 ? RED : (i == 1 ? GREEN : BLUE));
    shapes[i].corner.x = i * 10;
    shapes[i].corner.y = i * 20 + 5;
    shapes[i].sides = (unsigned char)(i + 3);
    shapes[i].next = (i + 1 < SHAPE_COUNT) ? &shapes[i + 1] : 0;
  }
  first_shape = &shapes[0];
  packed.word = 0x1234;
}

int shapes_perimeter(struct shape *s)
{
  int side = s->corner.x + s->corner.y;
  last_color = s->color;
  return side * s->sides;
}

int shapes_walk(void)
{
  struct shape *s;
  int total = 0;
  for (s = first_shape; s != 0; s = s->next)
    total += shapes_perimeter(s);
  return total;
}
