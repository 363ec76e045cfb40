/* Shared declarations of the parameter-passing test program. */
#ifndef PARAMS_H
#define PARAMS_H

typedef struct pair {
  int first;
  int second;
} pair_t;

typedef unsigned char byte_t;

extern pair_t last_pair;
extern _Bool ready;
extern signed char offset;

int sum3(int a, int b, int c);
long scale(long value, int factor, signed char shift) __reentrant;
byte_t low_byte(pair_t *p, byte_t mask);
char pick(char which, char first, char second);

#endif
