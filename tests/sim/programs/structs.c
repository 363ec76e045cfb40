/* Struct and array code: a table of records, sorting, searching and copying. */
#include <stdint.h>
#include <string.h>

struct point {
  int16_t x, y;
  uint8_t tag;
  char name[6];
};

struct point pts[6];
struct point copy;
uint16_t order[6];
int32_t area;
uint8_t found;
char text[24];

void done(void) { for (;;) ; }

static void sort(struct point* p, uint8_t n) {
  uint8_t i, j;
  for (i = 1; i < n; ++i) {
    struct point t;
    t = p[i];
    j = i;
    while (j > 0 && p[j - 1].x > t.x) {
      p[j] = p[j - 1];
      --j;
    }
    p[j] = t;
  }
}

void main(void) {
  uint8_t i;
  static const int16_t xs[6] = {40, -7, 300, 12, -900, 5};
  for (i = 0; i < 6; ++i) {
    pts[i].x = xs[i];
    pts[i].y = (int16_t)(xs[i] * 3 - i);
    pts[i].tag = (uint8_t)(i * 17);
    strcpy(pts[i].name, "pt");
    pts[i].name[2] = (char)('0' + i);
    pts[i].name[3] = 0;
  }
  sort(pts, 6);
  area = 0;
  for (i = 0; i < 6; ++i) {
    order[i] = pts[i].tag;
    area += (int32_t)pts[i].x * pts[i].y;
  }
  found = 0xFF;
  for (i = 0; i < 6; ++i)
    if (pts[i].x == 12) found = i;
  memcpy(&copy, &pts[found], sizeof copy);
  strcpy(text, "sorted:");
  strcat(text, copy.name);
  text[strlen(text)] = '!';
  done();
}
