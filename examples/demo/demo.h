/* Shared declarations of the demo program. */
#ifndef DEMO_H
#define DEMO_H

#define DEMO_VERSION 3
#define TABLE_SIZE 8

enum color { RED, GREEN = 4, BLUE };

struct point {
  int x;
  int y;
};

struct shape {
  enum color color;
  struct point corner;
  unsigned char sides;
  struct shape *next;
};

union word_bytes {
  unsigned int word;
  unsigned char bytes[2];
};

extern unsigned char table[TABLE_SIZE];

void console_init(void);
void console_putc(char c);
void console_puts(const char *text);
void console_putu(unsigned int value);

void shapes_init(void);
int shapes_perimeter(struct shape *s);
int shapes_walk(void);

unsigned long factorial(unsigned char n) __reentrant;
float average(const unsigned char *values, unsigned char n);

#endif
